#include "customisation/CustomizationModule.h"

#include "platform/Text.h"

#include "support/TestEnvironment.h"

#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string Text(const std::string& spec, const std::string& key) {
    return std::get<std::string>(CustomizationModule::ParseSpec(spec, key));
}

Color Colour(const std::string& spec, const std::string& key) {
    return std::get<Color>(CustomizationModule::ParseSpec(spec, key));
}

// The lookup as stored editions were written for: the first occurrence of the key's text
// anywhere, up to the line's end.
std::string FirstOccurrenceValue(const std::string& spec, const std::string& key) {
    const int p = InStr(spec, key);
    if (p == 0) return {};
    size_t end = spec.find_first_of("\r\n", static_cast<size_t>(p - 1));
    if (end == std::string::npos) end = spec.size();
    const std::string rest = spec.substr(static_cast<size_t>(p - 1), end - (p - 1));
    const size_t equals = rest.find('=');
    return equals == std::string::npos ? rest : rest.substr(equals + 1);
}

std::vector<std::string> Keys(const std::string& spec) {
    std::vector<std::string> keys;
    std::istringstream lines(spec);
    for (std::string line; std::getline(lines, line);)
        if (const size_t equals = line.find('='); equals != std::string::npos)
            keys.push_back(line.substr(0, equals));
    return keys;
}

} // namespace

using SpecLookupTest = IsolatedTest;

TEST_F(SpecLookupTest, FindsAWholeKeyAtTheStartOfItsLine) {
    const std::string spec = "vendorURL=https://example.test/?menuColor=9\n"
                             "  ImageCycle = Monthly \n"
                             "TitleAreaHeightWide=120\n"
                             "TitleAreaHeight=90\n"
                             "menuColor=255,128\n"
                             "homeButtonLink\n";
    EXPECT_EQ(Text(spec, "imageCycle"), " Monthly "); // the value is not trimmed
    EXPECT_EQ(Text(spec, "TitleAreaHeight"), "90");
    EXPECT_EQ(Text(spec, "TitleAreaHeightWide"), "120");
    EXPECT_EQ(Colour(spec, "menuColor"), RGB(255, 128, 0));
    EXPECT_EQ(Text(spec, "vendorURL"), "https://example.test/?menuColor=9");
    EXPECT_EQ(Text(spec, "homeButtonLink"), ""); // a line without "=" gives no value
    EXPECT_EQ(Text(spec, "vendorName"), "");
    EXPECT_EQ(Colour(spec, "tabColor"), RGB(0, 0, 0));
    EXPECT_EQ(Text("TitleAreaHeight=90\nTitleAreaHeightWide=120", "TitleAreaHeight"), "90");
}

TEST_F(SpecLookupTest, AnyLineEndingEndsTheValue) {
    for (const char* ending : {"\n", "\r\n", "\r"}) {
        const std::string e = ending;
        const std::string spec = "vendorName=Ombrelline" + e + "imageCycle=Seasonal" + e +
                                 "tabColor=1,2,3" + e + "calendarStartYear=2012";
        EXPECT_EQ(Text(spec, "vendorName"), "Ombrelline");
        EXPECT_EQ(Text(spec, "imageCycle"), "Seasonal");
        EXPECT_EQ(Colour(spec, "tabColor"), RGB(1, 2, 3));
        EXPECT_EQ(Text(spec, "calendarStartYear"), "2012"); // no line ending after it
    }
    EXPECT_EQ(Text("\xEF\xBB\xBFvendorName=A\n", "vendorName"), "A");
}

TEST_F(SpecLookupTest, ColourKeysGiveColours) {
    const std::string spec = "menuColor=255,128\n"
                             "tabColor= 10, 20 ,30\n"
                             "yearColor=300,-5,abc\n"
                             "daysColor=&hFF8000\n"
                             "homeTextColor=12.9,0,0\n"
                             "glanceEventColor=\n";
    EXPECT_EQ(Colour(spec, "menuColor"), RGB(255, 128, 0));
    EXPECT_EQ(Colour(spec, "tabColor"), RGB(10, 20, 30));
    EXPECT_EQ(Colour(spec, "yearColor"), RGB(255, 0, 0));
    EXPECT_EQ(Colour(spec, "DAYSCOLOR"), RGB(255, 128, 0));
    EXPECT_EQ(Colour(spec, "homeTextColor"), RGB(12, 0, 0));
    EXPECT_EQ(Colour(spec, "glanceEventColor"), RGB(0, 0, 0));
}

// The sample editions keep each shorter key above the longer keys it begins, as stored
// editions do; for such files the lookup gives what the first-occurrence lookup gave.
TEST_F(SpecLookupTest, SampleEditionsFollowTheOrderRule) {
    const std::filesystem::path editions = std::filesystem::path(CALENDAR_SOURCE_DIR) / "editions";
    for (const char* edition : {"Four Seasons", "Twelve Months"}) {
        const std::string spec = TestEnvironment::ReadFile(editions / edition / "calspc.dat");
        const auto keys = Keys(spec);
        ASSERT_GT(keys.size(), 40u) << edition;
        for (size_t i = 0; i < keys.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(keys[i].size() < keys[j].size() && InStr(keys[j], keys[i]) == 1)
                    << keys[i] << " stands below " << keys[j] << " in " << edition;
        for (const std::string& key : keys) {
            const std::string expected = FirstOccurrenceValue(spec, key);
            if (InStr(key, "color"))
                EXPECT_EQ(Colour(spec, key), Colour(key + "=" + expected, key)) << key;
            else
                EXPECT_EQ(Text(spec, key), expected) << key;
        }
    }
}
