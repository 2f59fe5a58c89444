// The badge's day count: the countdown's own day shows 0 days until, each later day 1, 2, ...
// days since.
#include "controls/CountdownText.h"

#include <gtest/gtest.h>

TEST(CountdownDays, CountsWholeDaysUntilAndSince) {
    const struct {
        Date now;
        int number;
        bool since;
    } cases[] = {
        {Date(2026, 12, 15, 12, 0), 10, false}, {Date(2026, 12, 22, 15, 0), 3, false},
        {Date(2026, 12, 25, 0, 0), 1, false},   {Date(2026, 12, 25, 12, 0), 0, false},
        {Date(2026, 12, 26, 0, 0), 0, false},   {Date(2026, 12, 26, 0, 0, 1), 1, true},
        {Date(2026, 12, 27, 0, 0), 2, true},    {Date(2026, 12, 27, 12, 0), 2, true},
    };
    for (const auto& c : cases) {
        const CountdownCount count = CountdownDays(Date(2026, 12, 25), c.now);
        EXPECT_EQ(std::pair(count.number, count.since), std::pair(c.number, c.since))
            << c.now.SQLDateTime();
    }
}

// The badge and the countdown editor break a long title at its first blank; neither line keeps it.
TEST(SplitTitle, BreaksAtTheFirstBlankAndDropsIt) {
    const struct {
        const char* title;
        const char* first;
        const char* second;
    } cases[] = {
        {"New Year Party", "New", "Year Party"},
        {"Extraordinariness", "Extraordinariness", ""},
        {"Trailing ", "Trailing", ""},
    };
    for (const auto& c : cases) {
        const TitleLines lines = SplitTitle(c.title);
        EXPECT_EQ(lines.first + "|" + lines.second, std::string(c.first) + "|" + c.second)
            << c.title;
    }
}
