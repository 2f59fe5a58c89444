// A click on the week grid picks a slot, a day note or an event and opens the event editor
// on it; keys are swallowed.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "controls/WeekGrid.h"

#include <algorithm>

namespace {
// The column under x by the columns' real edges; the day columns may differ by a pixel, so
// the far right edge stays in column 7.
int ColumnAt(const ListBox& grid, int x) {
    int left = 0;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        left += grid.ColumnWidth(column);
        if (x < left) return column;
    }
    return grid.ColumnCount() - 1;
}

// Clears the flag however the editor ends.
struct EditingFlag {
    explicit EditingFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~EditingFlag() { flag_ = false; }
    bool& flag_;
};
} // namespace

bool CalendarWindow::GlanceList_MouseDown(int x, int y) {
    if (editingEvent_) return true;
    calList& grid = *GlanceList;
    const int row = y / grid.RowHeight();
    const int column = std::min(ColumnAt(grid, x), 7);
    if (x < 0 || column <= 0 || row < 0 || row > WeekGrid::kDayNoteRow) return true;
    app& a = App();
    Date& selected = a.selectedDate;
    const std::string dayBefore = selected.SQLDate();
    selected.SetDay(selected.Day() - (selected.DayOfWeek() - column));
    const bool real = row < grid.ListCount();
    const std::string tag = real ? grid.CellTag(row, column) : std::string();
    const std::string kind = WeekGrid::TagKind(tag);
    if (row == WeekGrid::kDayNoteRow) {
        selected.SetHour(0);
        selected.SetMinute(0);
        selected.SetSecond(1);
    } else if (kind == "1" || kind == "4" || kind.empty()) {
        selected.SetHour(a.StartTime + row / 2);
        selected.SetMinute(row % 2 == 1 ? 30 : 0);
        selected.SetSecond(0);
        if (kind.empty() && real) grid.SetCell(row, column, " ");
    } else if (kind == "2" || kind == "3") {
        selected.SetSQLDateTime(WeekGrid::TagStart(tag));
    }
    // The shading follows the day at once, so what the editor's slider repaints matches it.
    if (selected.SQLDate() != dayBefore) ShowStoreChanges();
    {
        EditingFlag flag(editingEvent_);
        OpenEventEditor();
    }
    if (row < grid.ListCount()) grid.SetCell(row, column, "");
    // However the editor ended: saved, deleted or closed.
    ShowStoreChanges();
    return true;
}

bool CalendarWindow::GlanceList_KeyDown(const std::string&) {
    return true;
}
