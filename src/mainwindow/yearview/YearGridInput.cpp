// Driving the year face: a click on a day opens its week; the wheel, the keys and the year
// arrows page between the three years; the space bar slides the calendar away and back.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Screen.h"
#include "windows/TabWindow.h"

bool CalendarWindow::Calendar_MouseDown(int X, int Y) {
    const calCanvas& grid = *Calendar;
    const auto cell = YearGrid::CellAt(grid, X, Y);
    if (!cell) return true;
    const int row = cell->row + YearGrid::ShownYearOffset();
    const int column = cell->column;
    if (row < 0 || column < 0 || row > grid.CellTag.UBound(1) || column > grid.CellTag.UBound(2))
        return true;
    // Empty cells and weekday letters; month names fail to parse below.
    const std::string& tag = grid.CellTag(row, column);
    if (tag.size() <= 1) return true;
    // The day cell tag starts with its short date; the event markers after it are ignored.
    Date day(2000, 1, 1);
    if (!ParseDate(tag, day)) return true;
    App().selectedDate.SetTotalSeconds(day.TotalSeconds());
    ReloadCalLists();
    GlanceOn();
    return true;
}

bool CalendarWindow::Calendar_MouseWheel(int, int, int deltaX, int deltaY) {
    if (deltaY < 0 || deltaX < 0)
        PagePreviousYear();
    else
        PageNextYear();
    return false;
}

bool CalendarWindow::Event_MouseWheel(int x, int y, int deltaX, int deltaY) {
    return Calendar_MouseWheel(x, y, deltaX, deltaY);
}

bool CalendarWindow::Calendar_KeyDown(const std::string& key) {
    KeyBoardControl(key);
    return false;
}

void CalendarWindow::PageNextYear() {
    if (PageYear(1)) Calendar->Refresh(true);
}

void CalendarWindow::PagePreviousYear() {
    if (PageYear(-1)) Calendar->Invalidate(false);
}

bool CalendarWindow::PageYear(int step) {
    const int first = Customization().calendarStartYear;
    const int year = yearOnReturn_.value_or(YearGrid::ShownYear()) + step;
    if (year < first || year > first + 2) return false;
    // The week face goes on acting on the week it shows, its header, grid, editor and printing
    // reading the selected date: the year face takes the page when it comes back.
    if (!Calendar->Visible()) {
        yearOnReturn_ = year;
        return false;
    }
    App().selectedDate.SetYear(year);
    return true;
}

void CalendarWindow::KeyBoardControl(const std::string& key) {
    const int code = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
    if (code == 11 || code == 30) {
        PagePreviousYear();
    } else if (code == 12 || code == 31) {
        PageNextYear();
    } else if (code == 32) {
        Instance().SlideAwayOrBack(App().Deactivated);
        // The tab lies wholly on the main screen.
        TabWindow& tab = TabWindow::Instance();
        if (!tab.Visible()) tab.Show();
        const int rightmost = Screen(0).AvailableWidth - tab.Width();
        if (tab.Left() < 0) tab.SetLeft(0);
        if (tab.Left() > rightmost) tab.SetLeft(rightmost);
    }
}

void CalendarWindow::CalendarScrollButton_Open() {
    // A child of the grid, so the arrows go with it when the week face shows.
    CalendarScrollButton->SetParent(Calendar);
    const ScreenInfo screen = Screen(0);
    CalendarScrollButton->SetLeft(screen.AvailableWidth - CalendarScrollButton->Width() - 5);
    CalendarScrollButton->SetTop(
        YearGrid::Int(screen.AvailableHeight * Customization().TitleAreaHeightPercent + 4.0));
    if (Customization().hideYearScroll) CalendarScrollButton->SetVisible(false);
}

void CalendarWindow::CalendarScrollButton_Up() {
    PagePreviousYear();
}

void CalendarWindow::CalendarScrollButton_Down() {
    PageNextYear();
}
