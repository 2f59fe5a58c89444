// The title clean-up: what is stored can always be split back into the same fields.
#include "app/EventText.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

TEST(CleanEventTitle, KeepsTheRecordSeparatorsOutOfTheTitle) {
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"Dinner with Ann", "Dinner with Ann"},
        {"a//b", "a/b"},
        {"a////b///c", "a/b/c"},
        {"and/or", "and/or"},
        {"trip/", "trip"},
        {"trip//", "trip"},
        {"/start", "/start"},
        {"left|right", "left right"},
        {"||", "  "},
        {"two\nlines\r\n", "twolines"},
        {"/\n/", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanEventTitle(c.typed), c.stored) << c.typed;
}

TEST(CleanEventTitle, ACleanTitleSplitsBackOutOfItsRecord) {
    for (const char* typed : {"x//Special", "a/", "//", "a|b//c\n/"}) {
        const std::string title = CleanEventTitle(typed);
        const std::string value = "2026-12-25 00:00:00//" + title + "//Countdown";
        EXPECT_EQ(NthField(value, "//", 2), title) << typed;
        EXPECT_EQ(NthField(value, "//", 3), "Countdown") << typed;
        EXPECT_EQ(title.find('|'), std::string::npos) << typed;
    }
}
