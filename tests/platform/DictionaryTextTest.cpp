#include "platform/Color.h"
#include "platform/Dictionary.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {
using Listing = std::vector<std::pair<std::string, std::string>>;

Listing List(std::span<const Dictionary::Entry> d) {
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
// the value stored last. A snapshot keeps the entries of its moment through every change.
TEST(Dictionary, ListsInKeyOrderWithTheLastValueWhateverTheOrderOfChanges) {
    const struct {
        const char* name;
        std::vector<std::pair<const char*, const char*>> set; // value nullptr: remove the key
        Listing expected;
    } cases[] = {
        {"falling", {{"c", "3"}, {"b", "2"}, {"a", "1"}}, {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
        {"into the middle",
         {{"a", "1"}, {"d", "4"}, {"b", "2"}, {"c", "3"}},
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}}},
        {"replaced first, middle and last",
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"b", "x"}, {"c", "y"}, {"a", "z"}},
         {{"a", "z"}, {"b", "x"}, {"c", "y"}}},
        {"removed and added again",
         {{"a", "1"}, {"b", "2"}, {"c", "3"}, {"b", nullptr}, {"a", nullptr}, {"a", "4"}},
         {{"a", "4"}, {"c", "3"}}},
        {"empty key and value first", {{"", ""}, {"a", "1"}}, {{"", ""}, {"a", "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Dictionary d;
        for (const auto& [key, value] : c.set) {
            const uint64_t revision = d.Revision();
            const Listing before = List(d.Entries());
            const Dictionary::Snapshot snapshot = d.TakeSnapshot();
            value ? d.Value(key, value) : d.Remove(key);
            EXPECT_GT(d.Revision(), revision) << "every change gives a higher revision";
            EXPECT_EQ(List(snapshot.Entries()), before);
        }
        const uint64_t revision = d.Revision();
        EXPECT_EQ(List(d), c.expected);
        EXPECT_EQ(d.Key(d.Count() - 1), c.expected.back().first);
        EXPECT_THROW(d.Key(d.Count()), OutOfBoundsException);
        EXPECT_THROW(d.Value("b0"), KeyNotFoundException);
        EXPECT_THROW(d.Remove("b0"), KeyNotFoundException);
        EXPECT_EQ(d.Lookup("b0", "fallback"), "fallback");
        (void)d.HasKey("a"), (void)d.LowerBound("a");
        EXPECT_EQ(d.Revision(), revision) << "reading changes nothing";
    }
}

// A merge is as if its entries were stored one after the other: the later of two with one key
// wins over the earlier and over what the store held, in any order of keys, and the texts of
// what was replaced stay valid.
TEST(Dictionary, AMergeInAnyOrderKeepsTheLastOfEachKey) {
    Dictionary d;
    for (const char* key : {"b", "d", "f"})
        d.Value(key, std::string("held ") + key);
    const std::string_view replaced = d.Value("b");
    uint64_t revision = d.Revision();
    const Listing file = {{"c", "file c"}, {"a", "first a"}, {"e", "file e"}, {"a", "second a"},
                          {"b", "file b"}, {"a", "third a"}, {"e", "last e"}};
    const Listing merged = {{"a", "third a"}, {"b", "file b"}, {"c", "file c"},
                            {"d", "held d"},  {"e", "last e"}, {"f", "held f"}};
    Merge(d, file);
    EXPECT_EQ(List(d), merged);
    EXPECT_EQ(replaced, "held b");
    EXPECT_GT(d.Revision(), revision);

    constexpr int kCount = 100000; // falling, over many blocks of text
    Listing falling;
    for (int i = kCount - 1; i >= 0; --i)
        falling.emplace_back("k" + std::to_string(100000 + i), std::to_string(i));
    Merge(d, falling);
    ASSERT_EQ(d.Count(), kCount + 6);
    EXPECT_TRUE(std::ranges::is_sorted(d, {}, &Dictionary::Entry::first));
    EXPECT_EQ(d.Value("k100000"), "0");
    EXPECT_EQ(d.Key(kCount + 5), "k199999");
    revision = d.Revision();
    const Dictionary::Snapshot snapshot = d.TakeSnapshot();
    d.Clear();
    EXPECT_GT(d.Revision(), revision);
    // A store put in the place of another must not pass for the one whose revision was noted.
    revision = d.Revision();
    d = Dictionary();
    EXPECT_GT(d.Revision(), revision);
    // The snapshot keeps the texts of a store cleared and replaced since.
    ASSERT_EQ(snapshot.Entries().size(), kCount + 6u);
    EXPECT_EQ(snapshot.Entries()[0], Dictionary::Entry("a", "third a"));
    EXPECT_EQ(snapshot.Entries().back(), Dictionary::Entry("k199999", "99999"));
}

// Copies of a snapshot keep its entries until the last of them goes; a change made after that
// works on the entries in place, without copying them.
TEST(Dictionary, ASnapshotKeepsItsEntriesUntilItsLastCopyGoes) {
    Dictionary d;
    d.Value("a", "1");
    std::optional<Dictionary::Snapshot> copy;
    {
        const Dictionary::Snapshot snapshot = d.TakeSnapshot();
        const Dictionary::Snapshot another = d.TakeSnapshot();
        copy = snapshot;
    }
    d.Value("b", "2");
    EXPECT_EQ(List(copy->Entries()), (Listing{{"a", "1"}}));
    const std::vector<Dictionary::Entry>* entries = &d.Entries();
    copy = d.TakeSnapshot();
    copy.reset();
    d.Value("c", "3");
    d.Remove("a");
    EXPECT_EQ(&d.Entries(), entries);
    EXPECT_EQ(List(d), (Listing{{"b", "2"}, {"c", "3"}}));
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
    // A partial match just before the real one, a match that ends the text, and no room left.
    EXPECT_EQ(InStr("//Speci|//SPECIAL", "special"), 11);
    EXPECT_EQ(InStr("ab", "abc"), 0);
    EXPECT_EQ(InStr(3, "abab", "ab"), 3);
    EXPECT_EQ(InStr(4, "abab", "ab"), 0);
    // Only ASCII letters fold: the bytes of other letters are compared as they are.
    EXPECT_EQ(InStr("CAF\xC3\x89", "caf\xC3\xA9"), 0);
    EXPECT_FALSE(TextEquals("True ", "true"));
    EXPECT_LT(StrComp("apple", "Banana"), 0);
}

TEST(Text, ValReadsALeadingNumber) {
    const std::pair<const char*, double> cases[] = {{"-12;", -12},
                                                    {"  3.75x", 3.75},
                                                    {"1e3", 1000},
                                                    {"abc", 0},
                                                    {"-", 0},
                                                    {"0x1A", 0},
                                                    {"inf", 0},
                                                    {".5", 0.5},
                                                    {"+2.5e", 2.5},
                                                    {".", 0},
                                                    {"-.e5", 0},
                                                    {"+-1", 0},
                                                    {"1,5", 1},
                                                    {"1e400", HUGE_VAL},
                                                    {"-0.01e312", -HUGE_VAL},
                                                    {"1e-400", 0},
                                                    {"4500e-310", 4.5e-307},
                                                    {"1e99999999999999999999", HUGE_VAL}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(Val(text), value) << text;
    const std::pair<double, const char*> numbers[] = {{3.0, "3"},
                                                      {0.5, "0.5"},
                                                      {-2.25e-9, "-2.25e-09"},
                                                      {1212 / 7.0, "173.1429"},
                                                      {1e15, "1e+15"}};
    for (const auto& [number, text] : numbers)
        EXPECT_EQ(Str(number), text);
    EXPECT_EQ(Uppercase("april \xC3\xA9t\xC3\xA9"), "APRIL \xC3\xA9T\xC3\xA9") << "ASCII only";
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
