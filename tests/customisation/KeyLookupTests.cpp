#include "customisation/CustomizationModule.h"

#include "platform/Text.h"

#include "support/TestEnvironment.h"

#include <sstream>

namespace {

std::string Text(const std::string& calspc, const std::string& key) {
    return std::get<std::string>(CustomizationModule::ParseSpec(calspc, key));
}

Color Colour(const std::string& calspc, const std::string& key) {
    return std::get<Color>(CustomizationModule::ParseSpec(calspc, key));
}

// The lookup as stored editions were written for: the first occurrence of the key's text
// anywhere, up to the line's end.
std::string FirstOccurrenceValue(const std::string& calspc, const std::string& key) {
    const int p = InStr(calspc, key);
    if (p == 0) return {};
    size_t end = calspc.find_first_of("\r\n", static_cast<size_t>(p - 1));
    if (end == std::string::npos) end = calspc.size();
    const std::string rest = calspc.substr(static_cast<size_t>(p - 1), end - (p - 1));
    const size_t equals = rest.find('=');
    return equals == std::string::npos ? rest : rest.substr(equals + 1);
}

std::vector<std::string> Keys(const std::string& calspc) {
    std::vector<std::string> keys;
    std::istringstream lines(calspc);
    for (std::string line; std::getline(lines, line);)
        if (const size_t equals = line.find('='); equals != std::string::npos)
            keys.push_back(line.substr(0, equals));
    return keys;
}

} // namespace

using KeyLookupTest = IsolatedTest;

TEST_F(KeyLookupTest, FindsAWholeKeyAtTheStartOfItsLine) {
    const std::string calspc = "vendorURL=https://example.test/?menuColor=9\n"
                               "  ImageCycle = Monthly \n"
                               "TitleAreaHeightWide=120\n"
                               "TitleAreaHeight=90\n"
                               "menuColor=255,128\n"
                               "homeButtonLink\n";
    EXPECT_EQ(Text(calspc, "imageCycle"), " Monthly "); // the value is not trimmed
    EXPECT_EQ(Text(calspc, "TitleAreaHeight"), "90");
    EXPECT_EQ(Text(calspc, "TitleAreaHeightWide"), "120");
    EXPECT_EQ(Colour(calspc, "menuColor"), RGB(255, 128, 0));
    EXPECT_EQ(Text(calspc, "vendorURL"), "https://example.test/?menuColor=9");
    EXPECT_EQ(Text(calspc, "homeButtonLink"), ""); // a line without "=" gives no value
    EXPECT_EQ(Text(calspc, "vendorName"), "");
    EXPECT_EQ(Colour(calspc, "tabColor"), RGB(0, 0, 0));
    EXPECT_EQ(Text("TitleAreaHeight=90\nTitleAreaHeightWide=120", "TitleAreaHeight"), "90");
}

TEST_F(KeyLookupTest, AnyLineEndingEndsTheValue) {
    for (const char* ending : {"\n", "\r\n", "\r"}) {
        const std::string e = ending;
        const std::string calspc = "vendorName=Ombrelline" + e + "imageCycle=Seasonal" + e +
                                   "tabColor=1,2,3" + e + "calendarStartYear=2012";
        EXPECT_EQ(Text(calspc, "vendorName"), "Ombrelline");
        EXPECT_EQ(Text(calspc, "imageCycle"), "Seasonal");
        EXPECT_EQ(Colour(calspc, "tabColor"), RGB(1, 2, 3));
        EXPECT_EQ(Text(calspc, "calendarStartYear"), "2012"); // no line ending after it
    }
    EXPECT_EQ(Text("\xEF\xBB\xBFvendorName=A\n", "vendorName"), "A");
}

TEST_F(KeyLookupTest, ColoursMayMissFieldsOrBeWrittenInHex) {
    const std::pair<const char*, Color> cases[] = {{"10,20,30", RGB(10, 20, 30)},
                                                   {" 10, 20 ,30", RGB(10, 20, 30)},
                                                   {"255,128", RGB(255, 128, 0)},
                                                   {",,9", RGB(0, 0, 9)},
                                                   {"7", RGB(0, 0, 7)},
                                                   {"&h00FF00", RGB(0, 255, 0)},
                                                   {"300,-5,abc", RGB(255, 0, 0)},
                                                   {"12.9,0,0", RGB(12, 0, 0)},
                                                   {"", RGB(0, 0, 0)}};
    for (const auto& [value, colour] : cases)
        EXPECT_EQ(Colour(std::string("tabColor=") + value + "\n", "TABCOLOR"), colour) << value;
}

// The sample editions keep each shorter key above the longer keys it begins, and no key's
// text inside an earlier value, as stored editions do: for such files the whole-key lookup
// gives what the first-occurrence lookup gave.
TEST_F(KeyLookupTest, SampleEditionsReadAsTheFirstOccurrenceLookupReadThem) {
    const std::filesystem::path editions = std::filesystem::path(CALENDAR_SOURCE_DIR) / "editions";
    for (const char* edition : {"Four Seasons", "Twelve Months"}) {
        const std::string calspc = TestEnvironment::ReadFile(editions / edition / "calspc.dat");
        const auto keys = Keys(calspc);
        ASSERT_GT(keys.size(), 40u) << edition;
        for (const std::string& key : keys) {
            const std::string expected = FirstOccurrenceValue(calspc, key);
            if (InStr(key, "color"))
                EXPECT_EQ(Colour(calspc, key), Colour(key + "=" + expected, key)) << key;
            else
                EXPECT_EQ(Text(calspc, key), expected) << key;
        }
    }
}
