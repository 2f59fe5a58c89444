// The year grid's model: its geometry from the screen, the cells of the three years and the
// markers of the events in the store.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "controls/WeekGrid.h"
#include "customisation/CustomizationModule.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Log.h"
#include "platform/Numbers.h"
#include "platform/Screen.h"
#include "platform/SideBySide.h"
#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>
#include <thread>
#include <vector>

namespace YearGrid {

int Int(double value) {
    return ClampToInt(value);
}

int ShownYear() {
    const int first = Customization().calendarStartYear;
    return std::clamp(App().selectedDate.Year(), first, first + 2);
}

int ShownYearOffset() {
    return (ShownYear() - Customization().calendarStartYear) * kRowsPerYear;
}

bool Marked(std::string_view key, std::string_view value) {
    return key <= WeekGrid::ValueField(value, 1);
}

void AppendMarker(std::string& tag, std::string_view value) {
    // The title and the kind, the value's second and third fields, found in one pass: a day
    // of the grid may gather thousands of markers.
    std::string_view title, kind;
    if (const size_t first = value.find("//"); first != std::string_view::npos) {
        std::string_view rest = value.substr(first + 2);
        const size_t second = rest.find("//");
        title = rest.substr(0, second);
        if (second != std::string_view::npos) {
            rest.remove_prefix(second + 2);
            kind = rest.substr(0, rest.find("//"));
        }
    }
    tag.append("//").append(title).append(1, '|').append(kind);
}

std::optional<BandCell> CellAt(const calCanvas& grid, int x, int y) {
    if (grid.DefaultRowHeight <= 0 || grid.ColumnsWidth <= 0) return std::nullopt;
    const int row = Int(static_cast<double>(y - grid.MarginHeight) / grid.DefaultRowHeight +
                        grid.ScrollPosition + 1.0);
    const int column = Int((x - grid.LeftMarginWidth) / grid.ColumnsWidth);
    return BandCell{row, column};
}

} // namespace YearGrid

using YearGrid::Int;

namespace {

constexpr const char* kBadEntry = "An error occurred while loading events - an incorrectly "
                                  "formatted event was encountered and will be skipped.";

void SetGeometry(calCanvas& grid, const CustomizationModule& module) {
    const ScreenInfo screen = Screen(0);
    const double availableHeight = screen.AvailableHeight;
    grid.SetLeft(0);
    grid.SetTop(Int(availableHeight * module.TitleAreaHeightPercent));
    grid.SetWidth(screen.AvailableWidth);
    grid.SetHeight(Int(availableHeight * module.CalendarAreaHeightPercent));
    grid.ColumnCount = 33;
    const double width = grid.Width();
    grid.LeftMarginWidth = width * (module.leftMargin_pct == 0 ? 0.088 : module.leftMargin_pct);
    grid.RightMarginWidth = width * (module.rightMargin_Pct == 0 ? 0.088 : module.rightMargin_Pct);
    grid.MarginHeight = Int(grid.Height() * module.topMargin_pct);
    // Thirty columns share the width between the margins, though the grid has 33.
    grid.ColumnsWidth =
        Int((width - (grid.LeftMarginWidth + grid.RightMarginWidth)) / (grid.ColumnCount - 3));
    grid.DefaultRowHeight =
        Int((grid.Height() - grid.MarginHeight) / static_cast<double>(YearGrid::kRowsPerYear));
    grid.TextSize = Int(availableHeight * 0.0138);
    if (!module.monthNamesFont.empty()) grid.TextFont = module.monthNamesFont;
}

// Three years of four-by-three month blocks, each 9 rows by 8 columns: an empty row, the
// month's name, the weekday letters and six week rows; column 0 of a block stays empty.
void BuildMonths(calCanvas& grid, int startYear) {
    Date d;
    d.SetYear(startYear);
    d.SetDay(1);
    for (int year = 0; year < 3; ++year) {
        for (int monthRow = 0; monthRow < 3; ++monthRow) {
            for (int monthColumn = 0; monthColumn < 4; ++monthColumn) {
                d.SetMonth(4 * monthRow + monthColumn + 1);
                const int R = YearGrid::kRowsPerYear * year + 9 * monthRow;
                const int C = 8 * monthColumn;
                // The day before the Sunday that starts the week of the 1st.
                Date c = d;
                c.SetDay(1 - d.DayOfWeek());
                grid.CellTag(R + 1, C + 1) = NthField(d.LongDate(), " ", 2);
                for (int k = 1; k <= 7; ++k)
                    grid.CellTag(R + 2, C + k) = NthField("S,M,T,W,T,F,S", ",", k);
                for (int w = 3; w <= 9; ++w) {
                    for (int k = 1; k <= 7; ++k) {
                        c.SetDay(c.Day() + 1);
                        if (c.Month() == d.Month()) grid.CellTag(R + w, C + k) = c.ShortDate();
                    }
                }
            }
        }
        d.SetYear(d.Year() + 1);
    }
}

// What marking a stretch of the store found wrong, told once the whole grid is marked.
struct MarkingProblems {
    bool badFormat = false;
    std::vector<std::string> log;
};

// Appends a marker for every event of [from, to) of the store to the cell of its start day. A
// bad entry is skipped and the others are still marked.
MarkingProblems MarkStretch(const CalendarWindow& window, calCanvas& grid, int startYear,
                            Dictionary::const_iterator from, Dictionary::const_iterator to) {
    MarkingProblems problems;
    Date d(2000, 1, 1);
    // The store lists its entries in order of their start, so the events of one day come
    // together: the day's date and cell are worked out once, for the first of them.
    std::string day;
    std::string* tag = nullptr; // the day's cell, while the day is one the grid shows
    for (auto entry = from; entry != to; ++entry) {
        const std::string_view key = entry->first;
        const std::string_view value = entry->second;
        try {
            if (!Date::IsSQLDateTime(key))
                throw UnsupportedFormatException("not an SQL date-time: " + std::string(key));
            if (key.substr(0, 10) != day) {
                day = key.substr(0, 10);
                tag = nullptr;
                d.SetSQLDateTime(std::string(key));
                if (d.Year() < startYear) continue;
                const std::string cell = window.CalDateCell(d);
                const int row = Int(Val(NthField(cell, ",", 1)));
                const int column = Int(Val(NthField(cell, ",", 2)));
                if (row < 0 || column < 0 || row >= grid.ListCount || column >= grid.ColumnCount)
                    continue;
                tag = &grid.CellTag(row, column);
            }
            // A key that the date reads is exactly the text it writes, so the value is the
            // one stored under the start as the date gives it.
            if (tag && YearGrid::Marked(key, value)) YearGrid::AppendMarker(*tag, value);
        } catch (const UnsupportedFormatException&) {
            problems.badFormat = true;
            problems.log.push_back("the year grid skips an event whose start is not a date: " +
                                   std::string(key));
        } catch (const OutOfBoundsException&) {
            problems.badFormat = true;
            problems.log.push_back("the year grid skips an event outside its years: " +
                                   std::string(key));
        } catch (const std::exception& error) {
            problems.log.push_back("the year grid skips the event " + std::string(key) + ": " +
                                   error.what());
        }
    }
    return problems;
}

// Where the events of the month start in the store, whose keys begin with the date as the date
// writes it: years below 1000 padded to four digits, and none past 9999, so that the months after
// it start at the end.
Dictionary::const_iterator FirstOfMonth(const Dictionary& store, int year, int month) {
    if (year > 9999) return store.end();
    return store.LowerBound(Date(std::max(year, 0), month, 1).SQLDate().substr(0, 7));
}

// Marks the events of the three shown years; a bad entry's problem is reported once at the end.
// Their keys start with the year, so they lie together from the first key of the first year to
// the first of the year after the last. Many of them are marked in stretches side by side on
// threads: a stretch ends where a month starts, so that no two share a day's cell.
void MarkEvents(const CalendarWindow& window, calCanvas& grid, int startYear) {
    constexpr std::ptrdiff_t kEntriesPerThread = 4000;
    const Dictionary& store = App().eventDict;
    const auto first = FirstOfMonth(store, startYear, 1);
    const auto last = FirstOfMonth(store, startYear + 3, 1);
    const std::ptrdiff_t total = last - first;
    const std::ptrdiff_t threads = std::clamp<std::ptrdiff_t>(
        total / kEntriesPerThread, 1, std::max(1u, std::thread::hardware_concurrency()));
    // Twice as many stretches as threads, so that a slow one leaves less for the others to wait
    // for; each ends at the first month start past its share of the entries.
    const std::ptrdiff_t stretches = threads == 1 ? 1 : 2 * threads;
    std::vector<Dictionary::const_iterator> bounds{first}; // stretch i: [bounds[i], bounds[i + 1])
    for (int month = 1; month < 36; ++month) {
        const int m = month % 12 + 1;
        const auto at = FirstOfMonth(store, startYear + month / 12, m);
        if ((at - first) * stretches >= std::ssize(bounds) * total) bounds.push_back(at);
    }
    bounds.push_back(last);
    std::vector<MarkingProblems> problems(bounds.size() - 1);
    // A thread the system cannot give is no loss: the stretches it would have taken are left
    // to the others.
    if (const auto failure =
            RunSideBySide(problems.size(), static_cast<size_t>(threads - 1), [&](size_t i) {
                problems[i] = MarkStretch(window, grid, startYear, bounds[i], bounds[i + 1]);
            }))
        LogProblem(std::string("the year grid is marked on fewer threads: ") + failure->what());

    bool badFormat = false;
    for (const MarkingProblems& stretch : problems) {
        for (const std::string& line : stretch.log)
            LogProblem(line);
        badFormat = badFormat || stretch.badFormat;
    }
    if (badFormat) MsgBox(kBadEntry);
}

} // namespace

void CalendarWindow::Calendar_Open() {
    const CustomizationModule& module = Customization();
    try {
        SetGeometry(*Calendar, module);
        BuildMonths(*Calendar, module.calendarStartYear);
    } catch (const RuntimeException&) {
        MsgBox(kBadEntry);
        return;
    }
    MarkEvents(*this, *Calendar, module.calendarStartYear);
}

std::string CalendarWindow::CalDateCell(const Date& d) const {
    const int startYear = Customization().calendarStartYear;
    Date first = d;
    first.SetDay(1);
    // Week rows count from 3, the week that holds the 1st.
    const int row = (d.Year() - startYear) * YearGrid::kRowsPerYear + ((d.Month() - 1) / 4) * 9 +
                    (d.WeekOfYear() - first.WeekOfYear() + 3);
    const int m = d.Month() % 4;
    const int columnOffset = m == 0 ? 24 : 8 * (m - 1);
    return std::to_string(row) + "," + std::to_string(columnOffset + d.DayOfWeek());
}
