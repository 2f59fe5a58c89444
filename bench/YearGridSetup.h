#pragma once
// What the benchmarks of the year grid share: a calendar on a 1440x900 screen showing June 2010,
// and where to point at a date's cell.
#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "support/TestEnvironment.h"

#include <optional>
#include <utility>

// Its own home, the clock at noon on 15 June 2010 and the years from 2009 on the screen; the
// benchmark adds its events.
struct YearGridSetup {
    YearGridSetup() {
        SetScreenForTesting(ScreenInfo{0, 0, 1440, 900, 0, 0, 1440, 900});
        Customization().calendarStartYear = 2009;
        Date::FixClock(Date(2010, 6, 15, 12, 0).TotalSeconds());
        application.currentDate = application.selectedDate = Date();
    }
    ~YearGridSetup() {
        Date::FixClock(std::nullopt);
        SetScreenForTesting(std::nullopt);
    }
    YearGridSetup(const YearGridSetup&) = delete;
    YearGridSetup& operator=(const YearGridSetup&) = delete;
    TestEnvironment environment;
    app application;
};

// A point in the left half of the date's cell, in the grid's coordinates.
inline std::pair<int, int> PointOf(const CalendarWindow& window, const Date& date) {
    const calCanvas& grid = *window.Calendar;
    const std::string cell = window.CalDateCell(date);
    const int row = static_cast<int>(Val(NthField(cell, ",", 1))) % 27;
    const int column = static_cast<int>(Val(NthField(cell, ",", 2)));
    return {static_cast<int>(grid.LeftMarginWidth + column * grid.ColumnsWidth + 3),
            grid.MarginHeight + row * grid.DefaultRowHeight - 3};
}
