// Up to five rectangles of the background picture that act as web links: invisible areas
// placed over the picture as it is scaled to the screen, with a finger cursor and a help tag.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/CustomizationModule.h"
#include "platform/Numbers.h"
#include "platform/Screen.h"
#include "platform/ShowURL.h"
#include "platform/Text.h"

void CalendarWindow::floatingLinkCanvas_Open(int index) {
    const CustomizationModule& module = Customization();
    const PicturePtr& picture = module.backgroundImage;
    if (!picture) return;
    FloatingLinkCanvasControl& area = *floatingLinkCanvas[static_cast<size_t>(index)];
    area.SetParent(nullptr);

    const std::string& rectangle = module.floatingLinkCoordinates[static_cast<size_t>(index)];
    // Pixels of the picture: a number far past its edges stands for a picture's size.
    const auto field = [&](int n, int size) {
        return ClampToInt(Val(NthField(rectangle, ",", n)), -size, size);
    };
    const int x = field(1, picture->Width()), y = field(2, picture->Height());
    const int w = field(3, picture->Width()), h = field(4, picture->Height());

    const ScreenInfo screen = Screen(0);
    const int aw = screen.AvailableWidth, ah = screen.AvailableHeight;
    // The factors are kept in single precision, as the picture's scale is everywhere else.
    const float sx = static_cast<float>(static_cast<double>(aw) / picture->Width());
    const float sy = static_cast<float>(static_cast<double>(ah) / picture->Height());
    area.SetBounds(static_cast<int>(static_cast<double>(x) * aw / picture->Width()),
                   static_cast<int>(y * static_cast<double>(sy)),
                   static_cast<int>(w * static_cast<double>(sx)),
                   static_cast<int>(h * static_cast<double>(sy)));
    area.SetHelpTag("Goto " + module.floatingLink[static_cast<size_t>(index)]);
    area.SetCursor(MouseCursor::Finger);
    area.SetVisible(true);
}

bool CalendarWindow::floatingLinkCanvas_MouseDown(int index, int, int) {
    ShowURL(Customization().floatingLink[static_cast<size_t>(index)]);
    return true;
}
