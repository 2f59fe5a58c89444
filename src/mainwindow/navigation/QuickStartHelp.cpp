// The quick-start help: a transparent overlay over the top of the window whose call-outs point
// a new user at the home button, the calendar toggle tab and the dates. It greets the first run
// and goes at the first click on it.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "windows/TabWindow.h"

#include <string>

namespace {
constexpr Color kArrowColour = RGB(0, 80, 255);

// An arrow with its tip at (x, y), a shaft of length shaft below it and a shadowed rounded box
// of boxWidth hanging from the shaft's end with the text in it.
struct Callout {
    int x, y, shaft, boxWidth;
    std::string text;
    // Keeps the box from starting left of the overlay; the arrow stays where it points.
    bool keepBoxInside = false;
};

// The box's height is measured before the text's own font is set, so it follows whatever the
// surface holds then: its defaults for the first call-out, the text font for the later ones.
void DrawCallout(Graphics& g, const Callout& callout) {
    int x = callout.x;
    const int y = callout.y, shaft = callout.shaft, width = callout.boxWidth;
    g.TextSize = 13;
    const int height = static_cast<int>(g.StringHeight(callout.text, 200) + 20);

    g.ForeColor = kArrowColour;
    g.PenWidth = g.PenHeight = 2;
    g.DrawLine(x, y, x - 11, y + 11);
    g.DrawLine(x + 1, y, x + 12, y + 11);
    g.DrawLine(x + 1, y + 1, x + 1, y + shaft);

    if (callout.keepBoxInside && x < 50) x = 50;
    g.ForeColor = RGB(160, 160, 160);
    g.FillRoundRect(x - 45, y + shaft + 5, width - 3, height - 3, 16, 16);
    g.PenWidth = g.PenHeight = 1;
    g.ForeColor = RGB(255, 255, 255);
    g.FillRoundRect(x - 50, y + shaft, width, height, 16, 16);
    g.ForeColor = RGB(100, 100, 100);
    g.DrawRoundRect(x - 50, y + shaft, width, height, 16, 16);

    g.ForeColor = RGB(40, 40, 40);
    g.TextFont = "Arial";
    g.TextSize = 12;
    g.Bold = true;
    g.DrawString(callout.text, x - 40, y + shaft + 22, 200);
}
} // namespace

void CalendarWindow::QuickStartHelp_Open() {
    Canvas& overlay = *QuickStartHelp;
    overlay.SetParent(nullptr);
    const ScreenInfo screen = Screen(0);
    overlay.SetBounds(
        0, 0, screen.AvailableWidth,
        static_cast<int>(screen.AvailableHeight * Customization().CalendarAreaHeightPercent));
    overlay.SetVisible(App().firstRun);
}

// Any click on the overlay puts it away for the rest of the run.
bool CalendarWindow::QuickStartHelp_MouseDown(int, int) {
    QuickStartHelp->SetVisible(false);
    App().firstRun = false;
    return false;
}

// Every position is taken afresh, so the call-outs follow the tab when the user has moved it.
void CalendarWindow::QuickStartHelp_Paint(Graphics& g) {
    const CustomizationModule& module = Customization();
    const int availableHeight = Screen(0).AvailableHeight;
    if (module.includeHomeButton) {
        const cCanvas& home = *HomeButton;
        DrawCallout(g, {static_cast<int>(home.Left() + home.Width() / 2.0),
                        home.Top() + home.Height(), 30, 320, "Goto " + module.vendorURL});
    }
    int tabX = static_cast<int>(TabWindow::Middle() - Left() - 2);
    if (tabX < 0) tabX = 0;
    DrawCallout(g, {tabX, 10,
                    static_cast<int>(availableHeight * module.TitleAreaHeightPercent - 20), 220,
                    "Calendar Toggle - click to display or hide the calendar.\r\rThe toggle can "
                    "be moved to any location at screen top.",
                    true});
    DrawCallout(g, {300,
                    static_cast<int>(availableHeight * module.CalendarAreaHeightPercent / 27 * 20),
                    30, 220, "Click a date to display a week at a glance."});
}
