// The home button in the title band: three pictures, each with "Home" on it, swapped by the
// mouse (the normal one made when the window opens, the ones under the pointer and pressed once
// its first frame is shown); a click opens the edition's home page.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/navigation/Navigation.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/ShowURL.h"

#include <iostream>
#include <memory>

namespace {
constexpr Color kLitCaption = RGB(255, 255, 254);

// "Home" centred on the width at baseline 15, in the caption's font.
void DrawCaption(Graphics& g, int width, Color colour) {
    g.TextFont = "Tahoma";
    g.TextSize = 13;
    g.Bold = true;
    g.ForeColor = colour;
    const int w = static_cast<int>(g.StringWidth("Home"));
    g.DrawString("Home", static_cast<int>(width / 2.0 - w / 2.0), 15);
}

// The artwork under the shared mask, with the caption made opaque on the mask.
PicturePtr ComposeHomePicture(int width, int height, const Picture& artwork, const Picture& mask,
                              Color caption) {
    auto picture = std::make_shared<Picture>(width, height, 32);
    picture->Graphics().DrawPicture(artwork, 0, 0);
    Graphics& maskSurface = picture->Mask().Graphics();
    maskSurface.DrawPicture(mask, 0, 0);
    DrawCaption(maskSurface, width, RGB(0, 0, 0));
    DrawCaption(picture->Graphics(), width, caption);
    return picture;
}
} // namespace

void CalendarWindow::HomeButton_Open() {
    const CustomizationModule& module = Customization();
    if (!module.includeHomeButton) return;
    const PicturePtr normal = homeButtonNormal(), over = homeButtonMouseOver(),
                     down = homeButtonMouseDown(), mask = homeButtonMask();
    if (!normal || !over || !down || !mask) {
        std::cerr << "Home button left hidden: a built-in picture of it (homeButtonNormal, "
                     "homeButtonMouseOver, homeButtonMouseDown or homeButtonMask) is missing\n";
        return;
    }
    cCanvas& button = *HomeButton;
    button.SetParent(nullptr);
    const int width = normal->Width(), height = normal->Height();
    const int availableHeight = Screen(0).AvailableHeight;
    // Centred in the title band; a band lower than the button puts its top above the window.
    const int top =
        static_cast<int>(availableHeight * module.TitleAreaHeightPercent / 2 - height / 2.0);
    button.SetBounds(button.Left(), top, width, height);
    button.SetVisible(true);
    button.SetEnabled(true);
    button.SetHelpTag("Goto " + module.vendorURL);

    HomeButtonN = ComposeHomePicture(width, height, *normal, *mask, module.homeTextColor);
    button.cachedImage = HomeButtonN;
    // The first frame shows only the normal picture.
    AfterFirstFrame([this] { ComposeLitHomePictures(); });
}

// The pictures under the pointer and pressed, made once, when first needed.
void CalendarWindow::ComposeLitHomePictures() {
    if (!HomeButtonN || (HomeButtonMO && HomeButtonMD)) return;
    const PicturePtr over = homeButtonMouseOver(), down = homeButtonMouseDown(),
                     mask = homeButtonMask();
    if (!over || !down || !mask) return;
    const int width = HomeButtonN->Width(), height = HomeButtonN->Height();
    HomeButtonMO = ComposeHomePicture(width, height, *over, *mask, kLitCaption);
    HomeButtonMD = ComposeHomePicture(width, height, *down, *mask, kLitCaption);
}

void CalendarWindow::HomeButton_Paint(Graphics& g) {
    if (HomeButton->cachedImage) g.DrawPicture(*HomeButton->cachedImage, 0, 0);
}

void CalendarWindow::ShowHomeButtonPicture(const PicturePtr& picture) {
    HomeButton->cachedImage = picture;
    HomeButton->Refresh(true);
}

void CalendarWindow::HomeButton_MouseEnter() {
    if (CorvessaEdition())
        HomeButton->SetCursor(MouseCursor::Finger);
    else {
        ComposeLitHomePictures();
        ShowHomeButtonPicture(HomeButtonMO);
    }
}

void CalendarWindow::HomeButton_MouseExit() {
    if (CorvessaEdition())
        HomeButton->SetCursor(MouseCursor::Standard);
    else
        ShowHomeButtonPicture(HomeButtonN);
}

bool CalendarWindow::HomeButton_MouseDown(int, int) {
    if (!CorvessaEdition()) {
        ComposeLitHomePictures();
        ShowHomeButtonPicture(HomeButtonMD);
    }
    return true;
}

// The release opens the page wherever it happens: the press was on the button.
void CalendarWindow::HomeButton_MouseUp(int, int) {
    if (!CorvessaEdition()) ShowHomeButtonPicture(HomeButtonMO);
    ShowURL(Customization().homeButtonLink);
}
