#include "customisation/CustomizationModule.h"

#include "support/TestEnvironment.h"

namespace {

std::string Text(const std::string& calspc, const std::string& key) {
    return std::get<std::string>(CustomizationModule::ParseSpec(calspc, key));
}

Color Colour(const std::string& calspc, const std::string& key) {
    return std::get<Color>(CustomizationModule::ParseSpec(calspc, key));
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
