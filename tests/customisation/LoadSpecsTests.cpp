#include "CustomisationFixture.h"

#include "customisation/CustomisationText.h"

namespace {

constexpr Color kBlue = RGB(0, 0, 200);
constexpr Color kGreen = RGB(0, 160, 0);

const std::string kBases = "backgroundImageWide=wide.png\nbackgroundImageStandard=standard.png\n";

class LoadSpecsTest : public CustomisationTest {
  protected:
    // Fresh properties loaded from an edition with a wide base 300 x 120 (blue) and a standard
    // base 200 x 160 (green).
    void Load(const std::string& keys) {
        Customization() = CustomizationModule{};
        const auto folder = WriteEdition(kBases + keys);
        WritePicture(folder / "wide.png", 300, 120, kBlue);
        WritePicture(folder / "standard.png", 200, 160, kGreen);
        CustomizationModule::CustomizeCalendar();
    }
};

} // namespace

// Only the base picture of the screen's shape is read; the background is a new 32-bit copy.
TEST_F(LoadSpecsTest, TheScreenIsWideAbove1Point5) {
    for (const auto& [width, wide] : {std::pair{1499, false}, {1500, false}, {1501, true}}) {
        SetScreen(width, 1000);
        Load("");
        const CustomizationModule& m = Customization();
        EXPECT_EQ(m.WideScreen, wide) << width;
        EXPECT_EQ(bool(m.backgroundImageWide), wide);
        EXPECT_EQ(bool(m.backgroundImageStandard), !wide);
        ASSERT_TRUE(m.backgroundImage);
        EXPECT_NE(m.backgroundImage, wide ? m.backgroundImageWide : m.backgroundImageStandard);
        EXPECT_EQ(m.backgroundImage->Depth(), 32);
        EXPECT_EQ(m.backgroundImage->Pixel(wide ? 299 : 199, 119), wide ? kBlue : kGreen);
    }
}

TEST_F(LoadSpecsTest, FlagsAreTrueInAnyLetterCaseAndTextsStayAsWritten) {
    Load("customAboutWindow=true\nscrollImage=TRUE\nincludeHomeButton=tRuE\n"
         "monthDividersHidden=True\ncycleImages=False\n"
         // A blank after or before the word, another word, a number: all false.
         "hideTime=True \nhideYearScroll= True\nincludeStriping=Yes\nyearOnRight=1\n"
         "otherCopyright= (c) 2025 \nimageCycle= Monthly\noneYearCalendarYear=2012\n"
         "monthNamesFont=\"Arial\"\nmenuColor=1,2,3\n");
    const CustomizationModule& m = Customization();
    EXPECT_EQ((std::vector<bool>{m.customAboutWindow, m.scrollImage, m.includeHomeButton,
                                 m.hideMonthDividers}),
              std::vector<bool>(4, true));
    EXPECT_EQ((std::vector<bool>{m.cycleImages, m.hideTime, m.hideYearScroll, m.includeStriping,
                                 m.yearOnRight, m.includeLinkButtons /* absent */}),
              std::vector<bool>(6, false));
    EXPECT_EQ(m.otherCopyright, " (c) 2025 ");
    EXPECT_EQ(m.imageCycle, " Monthly");
    EXPECT_EQ(m.oneYearCalendarYear, 2012);
    EXPECT_EQ(m.monthNamesFont, "\"Arial\"");
    EXPECT_EQ(m.menuColor, RGB(1, 2, 3));
}

TEST_F(LoadSpecsTest, TheFirstYearDefaultsToLastYearAlsoForYearsNoDateCarries) {
    FixDate(2026, 3, 1);
    Load("calendarStartYear=0\nyearImageStartYear=2000\n");
    EXPECT_EQ(Customization().calendarStartYear, 2025);
    EXPECT_EQ(Customization().yearImageStartYear, 2000);
    const std::pair<const char*, int> cases[] = {
        {"", 2025},     {"2012", 2012},  {"1904", 1904},       {"9997", 9997}, {"1903", 2025},
        {"9998", 2025}, {"-2012", 2025}, {"2147483647", 2025}, {"1e300", 2025}};
    for (const auto& [written, year] : cases) {
        Load(std::string("calendarStartYear=") + written + "\n");
        EXPECT_EQ(Customization().calendarStartYear, year) << written;
    }
}

// The title band is pixels of the background; the calendar area a share or pixels of it.
TEST_F(LoadSpecsTest, TheTitleBandAndCalendarAreaFollowTheScreensShape) {
    const struct {
        const char* keys;
        double title, area;
    } wide[] = {{"TitleAreaHeight=60\nTitleAreaHeightWide=96\n", 96.0 / 120, 0.0},
                {"TitleAreaHeight=80\nTitleAreaHeightWide=0\n", 80.0 / 120, 0.0},
                {"CalendarAreaHeightPercentWide=0.62\n", 0.0, 0.62},
                {"CalendarAreaHeightPercentWide=1\n", 0.0, 1.0},
                {"CalendarAreaHeightPercentWide=93\n", 0.0, 93.0 / 120}};
    for (const auto& c : wide) {
        Load(c.keys);
        EXPECT_DOUBLE_EQ(Customization().TitleAreaHeightPercent, c.title) << c.keys;
        EXPECT_DOUBLE_EQ(Customization().CalendarAreaHeightPercent, c.area) << c.keys;
    }
    // Standard: the plain title value whichever line comes first; no fall-back from one
    // shape's calendar area to the other's.
    SetScreen(1024, 768);
    Load("TitleAreaHeightWide=120\nTitleAreaHeight=40\nCalendarAreaHeightPercentWide=0.7\n"
         "CalendarAreaHeightPercentStandard=80\n");
    EXPECT_DOUBLE_EQ(Customization().TitleAreaHeightPercent, 40.0 / 160);
    EXPECT_DOUBLE_EQ(Customization().CalendarAreaHeightPercent, 0.5);
}

TEST_F(LoadSpecsTest, NumbersPastTheirRangeActAsTheNearestSoundOne) {
    const struct {
        const char* value;
        double share;
    } cases[] = {{"1e300", 1.0}, {"-1e300", 0.0}, {"1e999", 1.0}, {"0.25", 0.25}};
    for (const auto& c : cases) {
        Load(std::string("TitleAreaHeightWide=") + c.value +
             "\nCalendarAreaHeightPercentWide=" + c.value + "\ntopMargin_pct=" + c.value +
             "\nleftMargin_pct=" + c.value + "\nrightMargin_pct=" + c.value + "\n");
        const CustomizationModule& m = Customization();
        // The title band's value is pixels of the 120 high background.
        EXPECT_DOUBLE_EQ(m.TitleAreaHeightPercent, c.share == 0.25 ? 0.25 / 120 : c.share)
            << c.value;
        for (const double share :
             {m.CalendarAreaHeightPercent, m.topMargin_pct, m.leftMargin_pct, m.rightMargin_Pct})
            EXPECT_DOUBLE_EQ(share, c.share) << c.value;
    }
}

TEST_F(LoadSpecsTest, FloatingLinksFollowTheFullScreensShape) {
    const std::string links = "floatingLink1=https://one.test/\n"
                              "floatingLink1CoordinatesWide=1,2,3,4\n"
                              "floatingLink1CoordinatesStandard=5,6,7,8\n"
                              "floatingLink5=https://five.test/\n"
                              "floatingLink5CoordinatesStandard=9,9,9,9\n"
                              "floatingLink6=https://six.test/\n";
    // Available 1152 x 746 is wide; the full 1152 x 768 is exactly 1.5, so not.
    SetScreen(1152, 746, 1152, 768);
    Load(links);
    const CustomizationModule& m = Customization();
    EXPECT_TRUE(m.WideScreen);
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{m.floatingLink[1], m.floatingLink[5], m.floatingLink[6]}),
              (Texts{"https://one.test/", "https://five.test/", ""}));
    EXPECT_EQ((Texts{m.floatingLinkCoordinates[1], m.floatingLinkCoordinates[5]}),
              (Texts{"5,6,7,8", "9,9,9,9"}));

    SetScreen(1920, 1150, 1920, 1200);
    Load(links);
    EXPECT_EQ((Texts{m.floatingLinkCoordinates[1], m.floatingLinkCoordinates[5]}),
              (Texts{"1,2,3,4", ""}));
}

TEST_F(LoadSpecsTest, AMissingBackgroundEndsTheLoad) {
    const auto folder = WriteEdition("backgroundImageStandard=standard.png\nmenuColor=1,2,3\n");
    WritePicture(folder / "standard.png", 200, 160, kGreen);
    CustomizationModule::CustomizeCalendar(); // a wide screen, whose picture is not named
    EXPECT_EQ(Messages(), std::vector<std::string>{CustomisationText::kNoBackground});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(Customization().menuColor, RGB(0, 0, 0)); // not reached
}

TEST_F(LoadSpecsTest, AFailureDuringTheLoadShowsTheFatalMessageAndQuits) {
    // The dialog seam throws while the cycle reports its missing picture.
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord& record) -> int {
        if (record.message == CustomisationText::kCyclePictureMissing)
            throw std::runtime_error("interrupted");
        return 0;
    });
    FixDate(2026, 7, 1);
    Load("cycleImages=True\nimageCycle=Seasonal\nmenuColor=1,2,3\n");
    EXPECT_EQ(Messages(), (std::vector<std::string>{CustomisationText::kCyclePictureMissing,
                                                    CustomisationText::kFatalLoadError}));
    EXPECT_TRUE(Quit());
    EXPECT_EQ(Customization().menuColor, RGB(0, 0, 0));
}

TEST_F(LoadSpecsTest, YearDigitsAreCutFromTheStripWithTheirMasks) {
    const auto folder = Folder("Edition");
    Picture strip(24, 400), mask(24, 400);
    for (int digit = 0; digit < 10; ++digit) {
        strip.Graphics().ForeColor = RGB(digit * 20, 0, 0);
        strip.Graphics().FillRect(0, digit * 40, 24, 40);
        mask.Graphics().ForeColor = digit == 7 ? RGB(0, 0, 0) : RGB(255, 255, 255);
        mask.Graphics().FillRect(0, digit * 40, 24, 40);
    }
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(strip.Save(folder / "digits.png"));
    ASSERT_TRUE(mask.Save(folder / "digits-mask.png"));
    Load("yearNumbers=digits.png\nyearNumbers_Mask=digits-mask.png\n");
    const auto& digits = Customization().yearNumber;
    ASSERT_EQ(digits.size(), 10u);
    for (int digit = 0; digit < 10; ++digit) {
        const PicturePtr& picture = digits[static_cast<size_t>(digit)];
        ASSERT_TRUE(picture) << digit;
        EXPECT_EQ(picture->Height(), 40);
        EXPECT_EQ(picture->Pixel(10, 39), RGB(digit * 20, 0, 0)) << digit;
        EXPECT_EQ(picture->Mask().Pixel(10, 0), digit == 7 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }

    // A later load without the mask strip: ten empty entries.
    WriteEdition(kBases + "yearNumbers=digits.png\n");
    CustomizationModule::CustomizeCalendar();
    EXPECT_EQ(Customization().yearNumber, std::vector<PicturePtr>(10));
}

TEST_F(LoadSpecsTest, PicturesNamedWithOtherLetterCaseAreFound) {
    const auto folder =
        WriteEdition("backgroundImageWide=Wide.PNG\ncustomAboutWindowImage=about.png\n");
    WritePicture(folder / "wide.png", 300, 120, kBlue);
    WritePicture(folder / "About.png", 40, 30, kGreen);
    CustomizationModule::CustomizeCalendar();
    EXPECT_TRUE(Customization().backgroundImageWide);
    EXPECT_TRUE(Customization().customAboutWindowImage);
}
