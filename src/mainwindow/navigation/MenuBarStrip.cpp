// The in-window menu bar strip above the bottom of the title band: a bar with the words File,
// Help and Home, and a 14 x 14 toggle picture that a press flips between shown and hidden. The
// window creates it hidden, so it waits for a press that cannot come; it is kept complete.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"

#include <memory>

namespace {
constexpr int kToggleSize = 14;
constexpr int kShownToggleLeft = 16;

// Draws a toggle artwork into the strip's toggle picture: the 14 x 14 area at (16, 0) while the
// strip is shown, the picture from its corner while it is hidden; then the mask over it. A
// missing artwork is left out.
void DrawToggle(Picture& toggle, const PicturePtr& artwork, bool shown) {
    if (artwork) {
        if (shown)
            toggle.Graphics().DrawPicture(*artwork, 0, 0, kToggleSize, kToggleSize,
                                          kShownToggleLeft, 0, kToggleSize, kToggleSize);
        else
            toggle.Graphics().DrawPicture(*artwork, 0, 0);
    }
    if (const PicturePtr mask = menutoggleMask2())
        toggle.Mask().Graphics().DrawPicture(*mask, 0, 0);
}
} // namespace

void CalendarWindow::MenuBarCanvas_Open() {
    cCanvas& strip = *MenuBarCanvas;
    strip.SetParent(nullptr);
    strip.SetTop(static_cast<int>(
        Screen(0).AvailableHeight * Customization().TitleAreaHeightPercent - strip.Height() - 2));
    strip.cachedImage = std::make_shared<Picture>(kToggleSize, kToggleSize, 32);
    // The backdrop stays the layout's until the first mouse event.
    DrawToggle(*strip.cachedImage, menutoggle2(), false);
}

void CalendarWindow::MenuBarCanvas_Paint(Graphics& g) {
    const cCanvas& strip = *MenuBarCanvas;
    if (const PicturePtr bar = menuButtons())
        g.DrawPicture(*bar, 0, 0, strip.Width(), strip.Height(), 0, 0, 5, strip.Height());
    g.ForeColor = RGB(255, 255, 255);
    g.TextFont = "Tahoma";
    g.TextSize = 10;
    g.Bold = true;
    g.DrawString("    File   Help           Home", 3, 11);
}

bool CalendarWindow::MenuBarCanvas_MouseDown(int, int) {
    cCanvas& strip = *MenuBarCanvas;
    const bool show = !strip.Visible();
    strip.SetVisible(show);
    RedrawMenuBarToggle(menutoggle2());
    return false;
}

void CalendarWindow::MenuBarCanvas_MouseEnter() {
    RedrawMenuBarToggle(menutoggleMouseover2());
}

void CalendarWindow::MenuBarCanvas_MouseExit() {
    RedrawMenuBarToggle(menutoggle2());
}

void CalendarWindow::RedrawMenuBarToggle(const PicturePtr& artwork) {
    cCanvas& strip = *MenuBarCanvas;
    if (!strip.cachedImage)
        strip.cachedImage = std::make_shared<Picture>(kToggleSize, kToggleSize, 32);
    DrawToggle(*strip.cachedImage, artwork, strip.Visible());
    strip.SetBackdrop(strip.cachedImage);
}
