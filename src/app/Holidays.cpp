// The built-in holidays of the three calendar years.
#include "app/App.h"

#include "customisation/CustomizationModule.h"

namespace {

void StoreHoliday(Dictionary& store, int year, int month, int day, const char* suffix) {
    const std::string key = Date(year, month, day).SQLDateTime();
    store.Value(key, key + suffix);
}

// The day of the n-th given weekday (1 Sunday .. 7 Saturday) of a month; n = -1 for the last.
int NthWeekday(int year, int month, int weekday, int n) {
    int count = 0, last = 0;
    for (int day = 1; day <= Date::DaysInMonth(year, month); ++day) {
        if (Date(year, month, day).DayOfWeek() != weekday) continue;
        last = day;
        if (++count == n) return day;
    }
    return last;
}

} // namespace

void app::LoadHolidays() {
    constexpr int kMonday = 2, kThursday = 5;
    const int first = Customization().calendarStartYear;
    for (int year = first; year <= first + 2; ++year) {
        StoreHoliday(eventDict, year, 1, 1, "//New Years");
        StoreHoliday(eventDict, year, 7, 4, "//Independence Day");
        StoreHoliday(eventDict, year, 11, 11, "//Veterans Day");
        StoreHoliday(eventDict, year, 12, 25, "//Christmas");
        StoreHoliday(eventDict, year, 11, NthWeekday(year, 11, kThursday, 4), "//Thanksgiving");
        StoreHoliday(eventDict, year, 2, NthWeekday(year, 2, kMonday, 3), "//Washington's Day");
        StoreHoliday(eventDict, year, 5, NthWeekday(year, 5, kMonday, -1), "//Memorial Day");
        StoreHoliday(eventDict, year, 9, NthWeekday(year, 9, kMonday, 1), "//Labor Day");
    }
}
