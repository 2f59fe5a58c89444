// The two small months beside the week grid: the selected date's month and the next; a click
// on a day of another week shows that week.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "platform/Graphics.h"
#include "platform/Text.h"

using YearGrid::Int;

namespace {
// The month a small month holds, from its day cells; nullopt before it is filled.
std::optional<Date> HeldMonth(const ListBox& list) {
    for (int row = 2; row < list.ListCount(); ++row) {
        for (int column = 0; column < list.ColumnCount(); ++column) {
            Date day(2000, 1, 1);
            if (ParseDate(list.CellTag(row, column), day)) return day;
        }
    }
    return std::nullopt;
}
} // namespace

bool CalendarWindow::MiniCalList_KeyDown(int, const std::string&) {
    return true;
}

bool CalendarWindow::MiniCalList_CellBackgroundPaint(int index, Graphics& g, int row, int column) {
    const MiniCalListControl& mini = *MiniCalList[index];
    const int w = mini.ColumnWidth(column);
    const int h = mini.RowHeight();
    g.ForeColor = mini.Selected(row) ? RGB(200, 215, 240) : RGB(255, 255, 255);
    g.FillRect(0, 0, w, h);
    if (row != 0) return true;
    // The title of the month the list shows, whatever the selected date is now.
    const std::optional<Date> month = HeldMonth(mini);
    if (!month) return true;
    const std::string title =
        NthField(month->LongDate(), " ", 2) + " " + Str(static_cast<long long>(month->Year()));
    g.ForeColor = RGB(0, 0, 0);
    g.TextFont = mini.TextFont;
    g.TextSize = mini.TextSize + 1;
    g.Bold = true;
    g.DrawString(title, Int(7.0 * w / 2 - g.StringWidth(title) / 2 - column * w), h - 3);
    return true;
}

bool CalendarWindow::MiniCalList_CellClick(int index, int row, int column, int, int) {
    Date day(2000, 1, 1);
    if (!ParseDate(MiniCalList[index]->CellTag(row, column), day)) return true;
    Date& selected = App().selectedDate;
    if (day.WeekOfYear() != selected.WeekOfYear()) {
        MiniCalList[0]->SetListIndex(-1);
        MiniCalList[1]->SetListIndex(-1);
        selected.SetSQLDate(day.SQLDate());
        GlanceList->LoadEvents(*GlanceList);
    }
    return false;
}
