#include "platform/Color.h"
#include "platform/Dictionary.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {
using Listing = std::vector<std::pair<std::string, std::string>>;

Listing List(const Dictionary& d) {
    Listing entries;
    for (const auto& [key, value] : d)
        entries.emplace_back(key, value);
    return entries;
}

// Merges the entries as the event reader does: their texts in one block handed to the store.
void Merge(Dictionary& d, const Listing& entries) {
    size_t size = 0;
    for (const auto& [key, value] : entries)
        size += key.size() + value.size();
    auto text = std::make_unique<char[]>(size);
    std::vector<Dictionary::Entry> views;
    char* at = text.get();
    for (const auto& [key, value] : entries) {
        std::ranges::copy(key + value, at);
        views.emplace_back(std::string_view(at, key.size()),
                           std::string_view(at + key.size(), value.size()));
        at += key.size() + value.size();
    }
    d.Merge(std::move(text), std::move(views));
}
} // namespace

// Whatever the order of the changes, the store lists its entries in key order, a key once, with
// the value stored last.
TEST(Dictionary, ListsInKeyOrderWithTheLastValueWhateverTheOrderOfChanges) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> set; // value nullptr: remove the key
        Listing expected;
    } cases[] = {
        {"rising", {{"a", "1"}, {"b", "2"}, {"c", "3"}}, {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
        {"falling", {{"c", "3"}, {"b", "2"}, {"a", "1"}}, {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
        {"into the middle",
         {{"a", "1"}, {"d", "4"}, {"b", "2"}, {"c", "3"}},
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}}},
        {"replaced first, middle and last",
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"b", "x"}, {"c", "y"}, {"a", "z"}},
         {{"a", "z"}, {"b", "x"}, {"c", "y"}}},
        {"a prefix sorts first",
         {{"ab", "2"}, {"a", "1"}, {"", "0"}},
         {{"", "0"}, {"a", "1"}, {"ab", "2"}}},
        {"removed and added again",
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"b", nullptr}, {"a", nullptr}, {"a", "4"}},
         {{"a", "4"}, {"c", "3"}}},
        {"emptied", {{"a", "1"}, {"a", nullptr}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dictionary d;
        for (const auto& [key, value] : c.set)
            value ? d.Value(key, value) : d.Remove(key);
        EXPECT_EQ(List(d), c.expected);
        ASSERT_EQ(d.Count(), static_cast<int>(c.expected.size()));
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(d.Key(static_cast<int>(i)), c.expected[i].first);
            EXPECT_TRUE(d.HasKey(c.expected[i].first));
            EXPECT_EQ(d.Value(c.expected[i].first), c.expected[i].second);
        }
        EXPECT_THROW(d.Key(d.Count()), OutOfBoundsException);
        EXPECT_THROW(d.Value("b0"), KeyNotFoundException);
        EXPECT_THROW(d.Remove("b0"), KeyNotFoundException);
        EXPECT_EQ(d.Lookup("b0", "fallback"), "fallback");
    }
}

TEST(Dictionary, LowerBoundFindsTheFirstKeyAtOrAfter) {
    Dictionary d;
    for (const char* key : {"2025-12-25 18:00:00", "2025-01-01 00:00:00", "2026-03-01 09:30:00"})
        d.Value(key, "v");
    EXPECT_EQ(d.LowerBound("2025")->first, "2025-01-01 00:00:00");
    EXPECT_EQ(d.LowerBound("2025-12-25 18:00:00")->first, "2025-12-25 18:00:00");
    EXPECT_EQ(d.LowerBound("2025-12-25 18:00:01")->first, "2026-03-01 09:30:00");
    EXPECT_EQ(d.LowerBound("2027"), d.end());
}

// A merge is as if its entries were stored one after the other: the later of two with one key
// wins over the earlier and over what the store held, in any order of keys.
TEST(Dictionary, AMergeInAnyOrderKeepsTheLastOfEachKey) {
    const Listing file = {{"c", "file c"}, {"a", "first a"}, {"e", "file e"}, {"a", "second a"},
                          {"b", "file b"}, {"a", "third a"}, {"e", "last e"}};
    const Listing merged = {{"a", "third a"}, {"b", "file b"}, {"c", "file c"},
                            {"d", "held d"},  {"e", "last e"}, {"f", "held f"}};
    const std::vector<Listing> held = {{}, {{"b", "held b"}, {"d", "held d"}, {"f", "held f"}}};
    for (const auto& before : held) {
        Dictionary d;
        for (const auto& [key, value] : before)
            d.Value(key, value);
        Merge(d, file);
        Listing expected = merged;
        if (before.empty())
            std::erase_if(expected, [](const auto& entry) { return entry.second[0] == 'h'; });
        EXPECT_EQ(List(d), expected);
        // In order and after everything held, a merge appends.
        Merge(d, {{"x", "1"}, {"y", "2"}});
        EXPECT_EQ(d.Key(d.Count() - 1), "y");
    }
}

TEST(Dictionary, ALargeFallingMergeIsInOrderAndItsViewsOutliveLaterChanges) {
    constexpr int kCount = 200000; // added texts over many blocks
    Listing entries;
    for (int i = kCount - 1; i >= 0; --i)
        entries.emplace_back("key " + std::to_string(1000000 + i), "value " + std::to_string(i));
    Dictionary d;
    d.Value("key 1000000", "held");
    d.Value("key 9", "held too");
    const std::string_view kept = d.Value("key 1000000");
    Merge(d, entries);
    ASSERT_EQ(d.Count(), kCount + 1);
    EXPECT_EQ(kept, "held") << "a replaced value's text stays until the store is cleared";
    EXPECT_TRUE(std::ranges::is_sorted(d, {}, &Dictionary::Entry::first));
    EXPECT_EQ(d.Value("key 1000000"), "value 0");
    EXPECT_EQ(d.Value("key 9"), "held too");
    const std::string_view last = d.Value(d.Key(kCount - 1));
    for (int i = 0; i < 1000; ++i)
        d.Value("key 0" + std::to_string(i), std::string(1000, 'x'));
    EXPECT_EQ(last, "value 199999");
}

TEST(Dictionary, EveryChangeGivesANewRevisionAndReadsNone) {
    Dictionary d;
    std::vector<uint64_t> seen{d.Revision()};
    const auto changed = [&] {
        EXPECT_EQ(std::ranges::count(seen, d.Revision()), 0) << "step " << seen.size();
        seen.push_back(d.Revision());
    };
    d.Value("b", "1");
    changed();
    d.Value("b", "2");
    changed();
    d.Value("a", "1");
    changed();
    Merge(d, {{"c", "1"}});
    changed();
    d.Remove("a");
    changed();
    (void)d.HasKey("b"), (void)d.Lookup("b"), (void)d.LowerBound("b"), (void)d.Key(0);
    EXPECT_EQ(d.Revision(), seen.back()) << "reading changes nothing";
    d.Clear();
    changed();
    // A store put in its place must not pass for the one whose revision was noted.
    Dictionary other;
    other.Value("z", "1");
    d = std::move(other);
    changed();
    EXPECT_EQ(d.Value("z"), "1");
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
