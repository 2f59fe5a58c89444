// Printing the window: a print command hides what is not to go on paper and arms PrintTimer;
// its action draws the window into a picture, takes today's ring out of the year face, frames
// the picture and hands it to the application's printing, then shows again what was shown.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Log.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "windows/TabWindow.h"

#include <algorithm>

using YearGrid::Int;

namespace {

constexpr Color kToday = RGB(255, 0, 0);
constexpr Color kFrame = RGB(180, 180, 180);

// The height of the ring round today's number: the painter sizes it from the day font.
int RingSize(const calCanvas& grid) {
    Picture scratch(1, 1);
    Graphics& g = scratch.Graphics();
    g.TextFont = "Arial";
    g.TextSize = grid.TextSize + 2;
    return Int(g.StringHeight("9", 99)) + 2;
}

// Spreads the colour up and to the left over the red pixels of today's ring, row by row from
// the top, so the ring's place takes the colours around it. Only today's column is touched,
// from the title band's foot down through the grid and at least to the ring's foot, and only
// when the grid shows today's year.
void RemoveTodayMark(const CalendarWindow& window, Picture& picture) {
    const calCanvas& grid = *window.Calendar;
    const std::string cell = window.CalDateCell(App().currentDate);
    const int bandRow = Int(Val(NthField(cell, ",", 1))) - YearGrid::ShownYearOffset();
    const int column = Int(Val(NthField(cell, ",", 2)));
    if (bandRow < 1 || bandRow > YearGrid::kRowsPerYear) return;

    const int ring = RingSize(grid);
    const int left = grid.Left() + Int(grid.LeftMarginWidth + column * grid.ColumnsWidth - 2);
    const int right = left + ring - 1;
    const int ringFoot = grid.Top() + grid.MarginHeight + bandRow * grid.DefaultRowHeight + 1;
    const int top = window.TopCanvas->Height();
    const int foot = std::max(
        Int(top + Screen(0).AvailableHeight * Customization().CalendarAreaHeightPercent - 5.0),
        ringFoot);
    // Every pixel read, one up and one left, lies inside the picture.
    for (int y = std::max(top, 1); y <= std::min(foot, picture.Height() - 1); ++y)
        for (int x = std::max(left, 1); x <= std::min(right, picture.Width() - 1); ++x)
            if (picture.Pixel(x, y) == kToday) picture.SetPixel(x, y, picture.Pixel(x - 1, y - 1));
}

} // namespace

// What a print keeps off paper besides the tab window and the hover tip, by where it was
// chosen. The menu bar's Print hides the quick-start help, the clock, the hidden menu button,
// the year arrows and the countdown badge; the pop-up menu's only the clock and the menu
// button, so that its page shows the arrows, the badge and any quick-start help as they are.
// RestoreAfterPrint below says what comes back.
std::vector<RectControl*> CalendarWindow::OffPaper(PrintCommand command) const {
    if (command == PrintCommand::PopUpMenu) return {theTimeText, MainMenuButton};
    return {QuickStartHelp, theTimeText, MainMenuButton, CalendarScrollButton, CountdownCanvas};
}

bool CalendarWindow::ArmPrint(PrintCommand command) {
    if (armedPrint_) {
        LogProblem("a print is already under way; this one is ignored");
        return false;
    }
    ArmedPrint armed;
    TabWindow& tab = TabWindow::Instance();
    armed.tabWasVisible = tab.Visible();
    tab.SetVisible(false);
    for (RectControl* control : OffPaper(command)) {
        armed.hidden.emplace_back(control, control->Visible());
        control->SetVisible(false);
    }
    // The hover tip is not printed, and it is not shown again: the mouse has moved on.
    HideTip();
    armedPrint_ = std::move(armed);
    Refresh(true);
    PrintTimer->SetMode(Timer::ModeSingle);
    return true;
}

PicturePtr CalendarWindow::PrintPicture() {
    auto picture = std::make_shared<Picture>(Width(), Height(), 32);
    if (picture->Width() == 0 || picture->Height() == 0) return nullptr;
    Graphics& g = picture->Graphics();
    DrawInto(g, 0, 0);
    if (Calendar->Visible()) RemoveTodayMark(*this, *picture);
    g.ForeColor = kFrame;
    g.DrawRect(0, 0, picture->Width(), picture->Height());
    return picture;
}

void CalendarWindow::PrintTimer_Action() {
    // However printing ends, cancelled or failed included, the window comes back.
    struct RestoreOnExit {
        CalendarWindow& window;
        ~RestoreOnExit() { window.RestoreAfterPrint(); }
    } restore{*this};
    HideTip(); // shown again if the mouse moved over a day since the command
    if (const PicturePtr picture = PrintPicture()) App().PrintCalendar(picture);
}

// Shows what was shown when the print was armed. The quick-start help and the hidden menu
// button stay hidden: a print closes the one, and the other is never shown.
// Nothing else is shown unasked: an edition may hide its clock or arrows for good, and the user
// may have had the tab hidden. Nor can the menu's caption say whether the countdown badge was
// shown: once the print has hidden it, the menu update turns that caption to "Show Countdown
// Event".
void CalendarWindow::RestoreAfterPrint() {
    if (!armedPrint_) return;
    const ArmedPrint armed = std::move(*armedPrint_);
    armedPrint_.reset();
    if (TabWindow* tab = FindOpenWindow<TabWindow>()) tab->SetVisible(armed.tabWasVisible);
    for (const auto& [control, wasVisible] : armed.hidden)
        if (control != QuickStartHelp && control != MainMenuButton) control->SetVisible(wasVisible);
}
