#include "platform/Color.h"
#include "platform/Dictionary.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Dictionary, EnumeratesInKeyOrderAndReplaces) {
    Dictionary d;
    for (const char* key : {"2025-12-25 18:00:00", "2025-01-01 00:00:00", "2025-12-25 09:30:00"})
        d.Value(key, "old");
    d.Value("2025-12-25 18:00:00", "replaced");
    ASSERT_EQ(d.Count(), 3);
    std::vector<std::string> keys;
    for (const auto& [key, value] : d)
        keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"2025-01-01 00:00:00", "2025-12-25 09:30:00",
                                              "2025-12-25 18:00:00"}));
    EXPECT_EQ(d.Key(2), keys[2]);
    EXPECT_EQ(d.Value(keys[2]), "replaced");
    EXPECT_THROW(d.Value("missing"), KeyNotFoundException);
    EXPECT_THROW(d.Key(3), OutOfBoundsException);
    EXPECT_EQ(d.Lookup("missing", "x"), "x");
    d.Remove(keys[0]);
    EXPECT_FALSE(d.HasKey(keys[0]));
}

TEST(Text, FieldsCountFromOne) {
    const std::string entry = "2025-01-01 10:00:00//Lunch//Special";
    EXPECT_EQ(NthField(entry, "//", 1), "2025-01-01 10:00:00");
    EXPECT_EQ(NthField(entry, "//", 3), "Special");
    EXPECT_EQ(NthField(entry, "//", 4), "");
    EXPECT_EQ(NthField("abc", ";", 0), "");
    EXPECT_EQ(CountFields("", ";"), 0);
    EXPECT_EQ(CountFields("1;250;0;1;", ";"), 5);
}

TEST(Text, SearchAndComparisonIgnoreCase) {
    EXPECT_EQ(InStr("My COUNTDOWN party", "countdown"), 4);
    EXPECT_EQ(InStr(5, "abcabc", "ABC"), 0);
    EXPECT_EQ(InStr(4, "abcabc", "ABC"), 4);
    EXPECT_FALSE(TextEquals("True ", "true"));
    EXPECT_LT(StrComp("apple", "Banana"), 0);
}

TEST(Text, ValReadsALeadingNumber) {
    const std::pair<const char*, double> cases[] = {{"-12;", -12}, {"  3.75x", 3.75}, {"1e3", 1000},
                                                    {"abc", 0},    {"-", 0},          {"0x1A", 0},
                                                    {"inf", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Val(text), value) << text;
    EXPECT_EQ(Str(3.0), "3");
    EXPECT_EQ(Str(0.5), "0.5");
}

TEST(Text, ColoursFromTextAndBadTextIsBlack) {
    EXPECT_EQ(RGB(300, -4, 17), (Color{255, 0, 17}));
    const std::pair<const char*, Color> cases[] = {
        {"&hFF8000", RGB(255, 128, 0)}, {"#102030", RGB(16, 32, 48)}, {" 65280", RGB(0, 255, 0)},
        {"16777471", RGB(0, 0, 255)},   {"red", RGB(0, 0, 0)},        {"#xyz", RGB(0, 0, 0)},
        {"1e30", RGB(0, 0, 0)},         {"-1e300", RGB(0, 0, 0)}};
    for (const auto& [text, colour] : cases)
        EXPECT_EQ(ColorFromText(text), colour) << text;
}
