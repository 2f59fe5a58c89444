#pragma once
// Where a benchmark points at a date's cell of the year grid.
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Text.h"

#include <utility>

// A point in the left half of the date's cell, in the grid's coordinates.
inline std::pair<int, int> PointOf(const CalendarWindow& window, const Date& date) {
    const calCanvas& grid = *window.Calendar;
    const std::string cell = window.CalDateCell(date);
    const int row = static_cast<int>(Val(NthField(cell, ",", 1))) % 27;
    const int column = static_cast<int>(Val(NthField(cell, ",", 2)));
    return {static_cast<int>(grid.LeftMarginWidth + column * grid.ColumnsWidth + 3),
            grid.MarginHeight + row * grid.DefaultRowHeight - 3};
}
