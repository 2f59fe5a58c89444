// The product caption in a bottom corner: the product's name in the edition's colour, drawn
// only when the edition asks for it, but placed and clickable always; a press opens the maker's
// site (or the edition's own page for it, which no edition sets).
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/CustomizationModule.h"
#include "mainwindow/navigation/Navigation.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/ShowURL.h"

void CalendarWindow::ZantriqueLogo_Open() {
    Canvas& caption = *ZantriqueLogo;
    caption.SetParent(nullptr);
    caption.SetHelpTag(std::string("Goto ") + Navigation::kMakerSite);
    caption.SetCursor(MouseCursor::Finger);
    const ScreenInfo screen = Screen(0);
    const int left =
        Customization().QVLogoRightJustify ? screen.AvailableWidth - caption.Width() - 25 : 10;
    caption.SetBounds(left, screen.AvailableHeight - caption.Height() - 2, caption.Width(),
                      caption.Height());
}

void CalendarWindow::ZantriqueLogo_Paint(Graphics& g) {
    const CustomizationModule& module = Customization();
    if (!module.includeQVLogo) return;
    g.TextFont = "Arial";
    g.TextSize = 10;
    g.Italic = true;
    g.ForeColor = module.QVlogoColor;
    const Canvas& caption = *ZantriqueLogo;
    g.DrawString(
        Navigation::kProductName,
        static_cast<int>(caption.Width() / 2.0 - g.StringWidth(Navigation::kProductName) / 2),
        caption.Height() - 5);
}

// Opens on the press itself; the release is not asked for.
bool CalendarWindow::ZantriqueLogo_MouseDown(int, int) {
    const std::string& page = Customization().ZantriqueURL;
    ShowURL(page.empty() ? Navigation::kMakerSite : page);
    return false;
}
