#pragma once
// The main window on a 1440 x 900 screen (876 pixels high below a 24-pixel panel) with a grid
// of the years 2009 to 2011, at a fixed moment of 2010, and helpers to reach a date's cell.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Date.h"
#include "platform/Text.h"

#include <string>

class YearGridTest : public CalendarWindowTest {
  protected:
    YearGridTest() {
        Customization().calendarStartYear = 2009;
        FixToday(Date(2010, 6, 15, 12, 0));
    }

    void FixToday(const Date& today) {
        Date::FixClock(today.TotalSeconds());
        application.currentDate = today;
        application.selectedDate = today;
    }

    // An event entry: start and end as SQL date-times, the title and the kind.
    void AddEntry(const std::string& start, const std::string& end, const std::string& title,
                  const std::string& kind = "") {
        application.eventDict.Value(start, end + "//" + title + (kind.empty() ? "" : "//" + kind));
    }
    void AddHoliday(const std::string& day, const std::string& name) {
        AddEntry(day + " 00:00:00", day + " 00:00:00", name);
    }

    struct GridCell {
        int row, column;
    };
    static GridCell Cell(const CalendarWindow& window, const Date& date) {
        const std::string key = window.CalDateCell(date);
        return {static_cast<int>(Val(NthField(key, ",", 1))),
                static_cast<int>(Val(NthField(key, ",", 2)))};
    }
    static const std::string& Tag(const CalendarWindow& window, const Date& date) {
        const GridCell cell = Cell(window, date);
        return window.Calendar->CellTag(cell.row, cell.column);
    }

    // A point in the left half of the date's cell of the shown year, in the grid's coordinates.
    static std::pair<int, int> PointOf(const CalendarWindow& window, const Date& date) {
        const calCanvas& grid = *window.Calendar;
        const GridCell cell = Cell(window, date);
        const int bandRow = cell.row % 27;
        return {static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth + 3),
                grid.MarginHeight + bandRow * grid.DefaultRowHeight - 3};
    }
};
