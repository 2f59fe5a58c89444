#include "platform/Color.h"
#include "platform/Dictionary.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Dictionary, EnumeratesInKeyOrderAndReplaces) {
    Dictionary d;
    d.Value("2025-12-25 18:00:00", "late");
    d.Value("2025-01-01 00:00:00", "first");
    d.Value("2025-12-25 09:30:00", "morning");
    d.Value("2025-12-25 18:00:00", "replaced");
    ASSERT_EQ(d.Count(), 3);
    EXPECT_EQ(d.Key(0), "2025-01-01 00:00:00");
    EXPECT_EQ(d.Key(2), "2025-12-25 18:00:00");
    EXPECT_EQ(d.Value("2025-12-25 18:00:00"), "replaced");
    std::vector<std::string> keys;
    for (const auto& [key, value] : d)
        keys.push_back(key);
    EXPECT_EQ(keys.front(), d.Key(0));
    EXPECT_EQ(keys.back(), d.Key(2));

    EXPECT_THROW(d.Value("missing"), KeyNotFoundException);
    EXPECT_THROW(d.Remove("missing"), KeyNotFoundException);
    EXPECT_THROW(d.Key(3), OutOfBoundsException);
    EXPECT_EQ(d.Lookup("missing", "x"), "x");
    d.Remove("2025-01-01 00:00:00");
    EXPECT_FALSE(d.HasKey("2025-01-01 00:00:00"));
    EXPECT_EQ(d.Count(), 2);
}

TEST(Text, FieldsCountFromOne) {
    EXPECT_EQ(NthField("2025-01-01 10:00:00//Lunch//Special", "//", 1), "2025-01-01 10:00:00");
    EXPECT_EQ(NthField("2025-01-01 10:00:00//Lunch//Special", "//", 3), "Special");
    EXPECT_EQ(NthField("2025-01-01 10:00:00//Lunch", "//", 3), "");
    EXPECT_EQ(NthField("a;b;", ";", 3), "");
    EXPECT_EQ(NthField("abc", ";", 0), "");
    EXPECT_EQ(CountFields("", ";"), 0);
    EXPECT_EQ(CountFields("a", ";"), 1);
    EXPECT_EQ(CountFields("1;250;0;1;", ";"), 5);
    EXPECT_EQ(CountFields("a//b//c", "//"), 3);
}

TEST(Text, SearchAndComparisonIgnoreCase) {
    EXPECT_EQ(InStr("My COUNTDOWN party", "countdown"), 4);
    EXPECT_EQ(InStr("abc", "d"), 0);
    EXPECT_EQ(InStr(5, "abcabc", "ABC"), 0);
    EXPECT_EQ(InStr(4, "abcabc", "ABC"), 4);
    EXPECT_EQ(InStr(10, "abc", "a"), 0);
    EXPECT_TRUE(TextEquals("TRUE", "true"));
    EXPECT_FALSE(TextEquals("True ", "true"));
    EXPECT_LT(StrComp("apple", "Banana"), 0);
    EXPECT_EQ(StrComp("Seasonal", "SEASONAL"), 0);
}

TEST(Text, ValReadsALeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"250", 250}, {"-12;", -12}, {"  3.75x", 3.75}, {"1e3", 1000}, {"", 0},
        {"abc", 0},   {".", 0},      {"-", 0},          {"0x1A", 0},   {"inf", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Val(text), value) << text;
    EXPECT_EQ(Str(-250LL), "-250");
    EXPECT_EQ(Str(3.0), "3");
    EXPECT_EQ(Str(0.5), "0.5");
}

TEST(Text, ColoursFromText) {
    EXPECT_EQ(RGB(300, -4, 17), (Color{255, 0, 17}));
    EXPECT_EQ(ColorFromText("&hFF8000"), RGB(255, 128, 0));
    EXPECT_EQ(ColorFromText("&c0000ff"), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromText("#102030"), RGB(16, 32, 48));
    EXPECT_EQ(ColorFromText("255"), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromText(" 65280"), RGB(0, 255, 0));
    EXPECT_EQ(ColorFromText("red"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("#xyz"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText(""), RGB(0, 0, 0));
    // Numbers too large for a colour are black; otherwise the low 24 bits count.
    EXPECT_EQ(ColorFromText("1e30"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("-1e300"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("16777471"), RGB(0, 0, 255));
}
