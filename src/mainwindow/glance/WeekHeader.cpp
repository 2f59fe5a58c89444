// The week header: the month, the year and the days of the selected week over the week grid,
// and over the small months the paging glyphs, the second month's toggle and the return arrow.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/Glance.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "controls/WeekGrid.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/MenuBar.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

using YearGrid::Int;

namespace {

constexpr const char* kMonthNames =
    "January,February,March,April,May,June,July,August,September,October,November,December";

int PictureHeight(const PicturePtr& picture) {
    return picture ? picture->Height() : 0;
}

// Where a cell's upper zone ends and its navigation strip begins.
int StripTop(int rowHeight) {
    return rowHeight - PictureHeight(glanceHeader2()) - 4;
}

void DrawStretched(Graphics& g, const PicturePtr& picture, int y, int width) {
    if (!picture) return;
    g.DrawPicture(*picture, 0, y, width, picture->Height(), 0, 0, picture->Width(),
                  picture->Height());
}

// Sets year and month, keeping the day where the target month has it and its last day
// otherwise: a month back from 31 March is the 28th or 29th of February, not 3 March.
void SetYearAndMonth(Date& date, int year, int month) {
    const int day = date.Day();
    date.SetDay(1);
    date.SetYear(year);
    date.SetMonth(month);
    date.SetDay(std::min(day, Date::DaysInMonth(date.Year(), date.Month())));
}

// The glyphs of the paging columns: left, right, up and down triangles.
const char* PagingGlyph(int column) {
    switch (column) {
    case 8:
        return "\u25C0";
    case 9:
        return "\u25B6";
    case 11:
        return "\u25B2";
    case 12:
        return "\u25BC";
    default:
        return "";
    }
}

} // namespace

bool CalendarWindow::GlanceHeader_CellBackgroundPaint(Graphics& g, int, int column) {
    const calList& header = *GlanceHeader;
    const int w = header.ColumnWidth(column);
    const int h = header.RowHeight();
    const Date& selected = App().selectedDate;
    g.TextFont = header.TextFont;
    DrawStretched(g, glanceHeader1(), 0, w);
    if (column == 12) {
        const PicturePtr arrow =
            header.MouseEnteredColumn[0] ? returnArrowNewMO() : returnArrowNew();
        g.DrawPicture(*arrow, w - arrow->Width() - 2, 8);
    }
    g.ForeColor = RGB(240, 240, 240);
    g.TextSize = 16;
    g.Bold = true;
    if (column == 4) {
        const std::string month = NthField(selected.LongDate(), " ", 2);
        g.DrawString(month, w - g.StringWidth(month) - 10, 23);
    } else if (column == 5) {
        g.DrawString(Str(static_cast<long long>(selected.Year())), 10, 23);
    }
    DrawStretched(g, glanceHeader2(), StripTop(h), w);
    g.Bold = false;
    if (column >= 1 && column <= 7) {
        const Date day = WeekGrid::ColumnDay(selected, column);
        const std::string label =
            NthField(day.LongDate(), " ", 1) + " " + Str(static_cast<long long>(day.Day()));
        g.ForeColor = RGB(254, 254, 254);
        g.TextSize = 12;
        g.DrawString(label, Int(w / 2.0 - g.StringWidth(label) / 2), h - 10);
    }
    if (column >= 8) {
        g.Bold = true;
        g.ForeColor = RGB(160, 160, 160);
        g.TextSize = 15;
        static constexpr int kGlyphX[] = {14, -2, 0, 12, -2};
        if (column == 10) {
            // A diamond: a square of side 8 / sqrt 2 turned by a quarter right angle.
            const int cx = w / 2, cy = h - 13;
            g.FillPolygon({cx, cy - 4, cx + 4, cy, cx, cy + 4, cx - 4, cy});
        } else {
            g.DrawString(PagingGlyph(column), kGlyphX[column - 8], h - 7);
        }
    }
    return true;
}

bool CalendarWindow::GlanceHeader_CellClick(int, int column, int, int y) {
    Date& selected = App().selectedDate;
    if (y >= StripTop(GlanceHeader->RowHeight())) {
        if (column < 8) return true;
        if (column == 8) selected.SetDay(selected.Day() - 7);
        if (column == 9) selected.SetDay(selected.Day() + 7);
        if (column == 10) ToggleSecondMonth();
        if (column == 11) SetYearAndMonth(selected, selected.Year(), selected.Month() - 1);
        if (column == 12) SetYearAndMonth(selected, selected.Year(), selected.Month() + 1);
        ReloadCalLists();
        return true;
    }
    if (column == 12) {
        GlanceOff();
    } else if (column == 4) {
        std::vector<std::string> names;
        for (int m = 1; m <= 12; ++m)
            names.push_back(NthField(kMonthNames, ",", m));
        const std::string chosen = ChooseFromPopUp(names);
        if (chosen.empty()) return true;
        for (int m = 1; m <= 12; ++m) {
            const std::string name = NthField(Date(selected.Year(), m, 1).LongDate(), " ", 2);
            if (InStr(name, chosen) > 0) {
                SetYearAndMonth(selected, selected.Year(), m);
                ReloadCalLists();
                break;
            }
        }
    } else if (column == 5) {
        const int first = Customization().calendarStartYear;
        const std::string chosen = ChooseFromPopUp({Str(static_cast<long long>(first)),
                                                    Str(static_cast<long long>(first + 1)),
                                                    Str(static_cast<long long>(first + 2))});
        if (chosen.empty()) return true;
        // A year chosen here is the one the year face shows when it comes back.
        yearOnReturn_.reset();
        SetYearAndMonth(selected, static_cast<int>(Val(chosen)), selected.Month());
        ReloadCalLists();
    }
    return true;
}

void CalendarWindow::ToggleSecondMonth() {
    const int m0 = MiniCalList[0]->Height();
    ListBox& todo = *TodoList;
    if (!MiniCalList[1]->Visible()) {
        MiniCalList[1]->SetVisible(true);
        todoHeightBeforeMonth_ = todo.Height();
        ToDoListHeader->SetTop(ToDoListHeader->Top() + m0);
        // A short screen leaves no room below the month; the list shrinks to nothing.
        todo.SetHeight(std::max(0, todo.Height() - m0));
        todo.SetTop(todo.Top() + m0);
    } else {
        ToDoListHeader->SetTop(ToDoListHeader->Top() - m0);
        todo.SetTop(todo.Top() - m0);
        todo.SetHeight(todoHeightBeforeMonth_);
        MiniCalList[1]->SetVisible(false);
    }
    todo.SetScrollBarVertical(todo.Height() < (todo.ListCount() + 3) * todo.RowHeight());
}

// The hover picture belongs to the return arrow, in the top band of the last column.
void CalendarWindow::GlanceHeader_MouseMove(int x, int y) {
    calList& header = *GlanceHeader;
    const bool over = x >= header.ColumnLeft(12) && y < PictureHeight(glanceHeader1());
    if (over == header.MouseEnteredColumn[0]) return;
    header.MouseEnteredColumn[0] = over;
    header.InvalidateCell(0, 12);
}

void CalendarWindow::GlanceHeader_MouseExit() {
    calList& header = *GlanceHeader;
    if (!header.MouseEnteredColumn[0]) return;
    header.MouseEnteredColumn[0] = false;
    header.InvalidateCell(0, 12);
}

std::string CalendarWindow::ChooseFromPopUp(const std::vector<std::string>& items) {
    MenuItem menu("", "");
    for (const std::string& item : items)
        menu.Append(std::make_unique<MenuItem>(item));
    const MenuItem* chosen = menu.PopUp();
    return chosen ? chosen->Text : std::string();
}
