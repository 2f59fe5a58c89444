#include "platform/Date.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Date, FieldAssignmentsNormaliseAtOnce) {
    Date d(2026, 3, 15, 10, 30, 0);
    d.SetDay(0); // the last day of the previous month
    EXPECT_EQ(d.SQLDateTime(), "2026-02-28 10:30:00");
    d.SetDay(29); // past February's end
    EXPECT_EQ(d.SQLDate(), "2026-03-01");
    d.SetMonth(13);
    EXPECT_EQ(d.SQLDate(), "2027-01-01");
    d.SetMonth(-1); // two months before January
    EXPECT_EQ(d.SQLDate(), "2026-11-01");
    d.SetHour(24);
    EXPECT_EQ(d.SQLDateTime(), "2026-11-02 00:30:00");
    d.SetMinute(-31);
    EXPECT_EQ(d.SQLDateTime(), "2026-11-01 23:29:00");
    d.SetSecond(3600);
    EXPECT_EQ(d.SQLDateTime(), "2026-11-02 00:29:00");

    Date leap(2024, 2, 29);
    leap.SetYear(2025); // 29 February of a common year becomes 1 March
    EXPECT_EQ(leap.SQLDate(), "2025-03-01");
}

TEST(Date, CalendarArithmetic) {
    EXPECT_EQ(Date(2026, 12, 5).DayOfWeek(), 7);  // a Saturday
    EXPECT_EQ(Date(1904, 1, 1).DayOfWeek(), 6);   // the epoch was a Friday
    EXPECT_EQ(Date(1899, 12, 31).DayOfWeek(), 1); // before the epoch
    EXPECT_EQ(Date(2024, 12, 31).DayOfYear(), 366);
    EXPECT_EQ(Date(2025, 3, 1).DayOfYear(), 60);
    EXPECT_EQ((std::vector{Date::DaysInMonth(2028, 2), Date::DaysInMonth(2100, 2),
                           Date::DaysInMonth(2000, 2)}),
              (std::vector{29, 28, 29}));
    EXPECT_THROW(Date::DaysInMonth(2028, 0), OutOfBoundsException);
    EXPECT_THROW(Date::DaysInMonth(2028, 13), OutOfBoundsException);

    // 2026 begins on a Thursday: week 1 is 1 to 3 January, week 2 starts on Sunday the 4th.
    // 2023 begins on a Sunday.
    for (const auto& [date, week] : {std::pair{Date(2026, 1, 3), 1},
                                     {Date(2026, 1, 4), 2},
                                     {Date(2023, 1, 1), 1},
                                     {Date(2023, 1, 8), 2},
                                     {Date(2026, 12, 31), 53}})
        EXPECT_EQ(date.WeekOfYear(), week) << date.SQLDate();
}

TEST(Date, TotalSecondsAreCivilAndCopyMoments) {
    EXPECT_EQ(Date(1904, 1, 1).TotalSeconds(), 0);
    EXPECT_EQ(Date(1904, 1, 2).TotalSeconds(), 86400);
    // A day that holds a daylight-saving change in many places is still 86400 seconds long.
    EXPECT_EQ(Date(2026, 3, 30).TotalSeconds() - Date(2026, 3, 29).TotalSeconds(), 86400);
    Date copy(2000, 1, 1);
    copy.SetTotalSeconds(Date(2030, 6, 15, 12, 0, 1).TotalSeconds());
    EXPECT_EQ(copy.SQLDateTime(), "2030-06-15 12:00:01");
}

TEST(Date, TextForms) {
    const Date d(2026, 7, 4, 0, 5, 9);
    EXPECT_EQ(
        (std::vector<std::string>{d.ShortDate(), d.LongDate(), d.SQLDateTime()}),
        (std::vector<std::string>{"7/4/2026", "Saturday, July 4, 2026", "2026-07-04 00:05:09"}));
    EXPECT_EQ((std::vector<std::string>{d.ShortTime(), Date(2026, 7, 4, 12, 0).ShortTime(),
                                        Date(2026, 7, 4, 23, 59).ShortTime()}),
              (std::vector<std::string>{"12:05 AM", "12:00 PM", "11:59 PM"}));
}

TEST(Date, SQLDateTimeParsingIsStrict) {
    Date d(2000, 1, 1);
    d.SetSQLDateTime("2025-12-25 18:30:00");
    EXPECT_EQ(d.SQLDateTime(), "2025-12-25 18:30:00");
    for (const char* bad :
         {"", "Events Data:", "2025-12-25", "2025-12-25 18:30", "2025-13-01 00:00:00",
          "2025-02-29 00:00:00", "2025-12-25 24:00:00", "2025-12-25T18:30:00",
          "2025-12-25 18:30:00 ", " 2025-12-25 18:30:00", "20x5-12-25 18:30:00"}) {
        EXPECT_THROW(d.SetSQLDateTime(bad), UnsupportedFormatException) << bad;
        EXPECT_EQ(d.SQLDateTime(), "2025-12-25 18:30:00") << "a refused text changes nothing";
    }
    d.SetSQLDate("2024-02-29"); // keeps the time of day
    EXPECT_EQ(d.SQLDateTime(), "2024-02-29 18:30:00");
    EXPECT_THROW(d.SetSQLDate("2024-2-29"), UnsupportedFormatException);
}

TEST(Date, ParseDateReadsShortDatesBack) {
    Date d(2000, 1, 31, 9, 15);
    ASSERT_TRUE(ParseDate("2/29/2024", d));
    EXPECT_EQ(d.SQLDateTime(), "2024-02-29 09:15:00");
    // A day cell tag carries its events behind the date.
    ASSERT_TRUE(ParseDate("12/25/2009//Christmas|//Dinner|", d));
    EXPECT_EQ(d.SQLDate(), "2009-12-25");
    for (const char* bad : {"", "January", "S", "13/1/2009", "2/30/2009", "2/3/09", "2/3/20091"})
        EXPECT_FALSE(ParseDate(bad, d)) << bad;
    EXPECT_EQ(d.SQLDate(), "2009-12-25");
    // Every short date reads back as the date it was written from.
    for (const int year : {1, 9, 99, 999, 1000, 1904, 2026, 9999}) {
        const Date written(year, 12, 31);
        Date read(2000, 1, 1);
        ASSERT_TRUE(ParseDate(written.ShortDate(), read)) << written.ShortDate();
        EXPECT_EQ(read.SQLDate(), written.SQLDate());
    }
}
