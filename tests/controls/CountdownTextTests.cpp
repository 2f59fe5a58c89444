// The badge's day count and title lines.
#include "controls/CountdownText.h"
#include "platform/Dictionary.h"

#include <gtest/gtest.h>

TEST(CountdownDays, CountsWholeDaysUntilAndSince) {
    const Date countdown(2026, 12, 25);
    const struct {
        Date now;
        int number;
        bool since;
    } cases[] = {
        {Date(2026, 12, 15, 12, 0), 10, false}, // ten days before, at noon
        {Date(2026, 12, 22, 15, 0), 3, false},
        {Date(2026, 12, 24, 0, 0), 2, false}, // exactly a day before
        {Date(2026, 12, 25, 0, 0), 1, false}, // the countdown's own moment
        {Date(2026, 12, 25, 12, 0), 0, false},
        {Date(2026, 12, 26, 0, 0), 0, false}, // exactly a day after
        {Date(2026, 12, 26, 0, 0, 1), 1, true},
        {Date(2026, 12, 26, 12, 0), 1, true},
        {Date(2026, 12, 27, 0, 0), 2, true},
        {Date(2026, 12, 27, 12, 0), 2, true},
        {Date(2026, 12, 28, 0, 0), 3, true},
        {Date(2027, 12, 25, 0, 0), 365, true},
    };
    for (const auto& c : cases) {
        const CountdownCount count = CountdownDays(countdown, c.now);
        EXPECT_EQ(count.number, c.number) << c.now.SQLDateTime();
        EXPECT_EQ(count.since, c.since) << c.now.SQLDateTime();
    }
}

TEST(CountdownTitle, WideTitlesSplitAfterTheFirstBlank) {
    const struct {
        const char* title;
        const char* first;
        const char* second;
    } cases[] = {
        {"New Year Party", "New", "Year Party"}, {"Bob and Bob party", "Bob", "and Bob party"},
        {"ab ab xyz", "ab", "ab xyz"},           {" leading blank", "", "leading blank"},
        {"Graduation", "Graduation", ""},
    };
    for (const auto& c : cases) {
        const TitleLines lines = SplitTitle(c.title);
        EXPECT_EQ(lines.first, c.first) << c.title;
        EXPECT_EQ(lines.second, c.second) << c.title;
    }
}

TEST(CountdownTitle, IsTheSecondFieldOfTheEntryOrChristmas) {
    Dictionary store;
    store.Value("2026-07-04 00:00:00", "2026-07-04 00:00:00//Picnic//Countdown");
    store.Value("2026-08-01 00:00:00", "2026-08-01 00:00:00//a//b//Countdown");
    store.Value("2026-09-01 00:00:00", "no separator");
    EXPECT_EQ(CountdownTitle(store, "2026-07-04 00:00:00"), "Picnic");
    EXPECT_EQ(CountdownTitle(store, "2026-08-01 00:00:00"), "a");
    EXPECT_EQ(CountdownTitle(store, "2026-09-01 00:00:00"), "");
    EXPECT_EQ(CountdownTitle(store, "2026-10-01 00:00:00"), "Christmas");
}
