// The sample editions that the build puts beside the program.
#include "CustomisationFixture.h"

#include "platform/Text.h"

namespace fs = std::filesystem;

namespace {
class SampleEditionsTest : public CustomisationTest {
  protected:
    // Every link area of the edition lies above or below the calendar area, where a click
    // would otherwise reach the link instead of the day under it.
    static void ExpectLinksClearOfTheCalendar() {
        const CustomizationModule& m = Customization();
        const double height = m.backgroundImage->Height();
        const double top = m.TitleAreaHeightPercent * height;
        const double bottom = (m.TitleAreaHeightPercent + m.CalendarAreaHeightPercent) * height;
        for (int i = 1; i <= 5; ++i) {
            if (m.floatingLink[i].empty()) continue;
            const double y = Val(NthField(m.floatingLinkCoordinates[i], ",", 2));
            const double h = Val(NthField(m.floatingLinkCoordinates[i], ",", 4));
            EXPECT_TRUE(y >= bottom || y + h <= top) << "link " << i;
            EXPECT_GT(h, 0) << "link " << i;
        }
    }

    // The program's folder as the build leaves it, read through links so nothing there changes.
    void UseEdition(const std::string& name) {
        for (const char* edition : {"Four Seasons", "Twelve Months"})
            fs::create_directory_symlink(fs::path(CALENDAR_BIN_DIR) / edition, Folder(edition));
        TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", name + "\n");
        ASSERT_EQ(TestEnvironment::ReadFile(fs::path(CALENDAR_BIN_DIR) / "caldef.dat"),
                  "Four Seasons\n");
    }
};
} // namespace

TEST_F(SampleEditionsTest, TheSeasonalEditionInSummerOnAWideScreen) {
    UseEdition("Four Seasons");
    FixDate(2026, 7, 20);
    CustomizationModule::CustomizeCalendar();
    EXPECT_TRUE(Messages().empty());
    const CustomizationModule& m = Customization();
    ASSERT_TRUE(m.backgroundImage);
    EXPECT_EQ(m.backgroundImage->Width(), 1920);
    EXPECT_EQ(m.backgroundImage->Height(), 1200);
    ASSERT_TRUE(m.backgroundImage2Wide);
    EXPECT_EQ(m.backgroundImage2Wide->Height(), 1104); // summer is shorter than the base
    // Summer's bottom row stands on the bottom; the spring base's title band stays above it.
    EXPECT_EQ(m.backgroundImage->Pixel(700, 1199), m.backgroundImage2Wide->Pixel(700, 1103));
    EXPECT_EQ(m.backgroundImage->Pixel(700, 40), m.backgroundImageWide->Pixel(700, 40));
    EXPECT_DOUBLE_EQ(m.TitleAreaHeightPercent, 96.0 / 1200);
    EXPECT_DOUBLE_EQ(m.CalendarAreaHeightPercent, 0.62);
    ASSERT_EQ(m.yearNumber.size(), 10u);
    for (const PicturePtr& digit : m.yearNumber) {
        ASSERT_TRUE(digit);
        EXPECT_EQ(digit->Width(), 56);
        EXPECT_EQ(digit->Height(), 80);
    }
    EXPECT_TRUE(m.includeHomeButton);
    EXPECT_EQ(CountFields(m.floatingLinkCoordinates[1], ","), 4);
    ExpectLinksClearOfTheCalendar();
    EXPECT_EQ(m.monthNamesFont, "Georgia");
}

TEST_F(SampleEditionsTest, TheSeasonalEditionInWinterOnAStandardScreen) {
    UseEdition("Four Seasons");
    SetScreen(1280, 1000, 1280, 1024);
    FixDate(2026, 1, 5);
    CustomizationModule::CustomizeCalendar();
    const CustomizationModule& m = Customization();
    ASSERT_TRUE(m.backgroundImage);
    EXPECT_EQ(m.backgroundImage, m.backgroundImage4Standard); // full height: the picture itself
    EXPECT_EQ(m.backgroundImage->Width(), 1600);
    EXPECT_EQ(m.backgroundImage->Height(), 1280);
    EXPECT_DOUBLE_EQ(m.TitleAreaHeightPercent, 102.0 / 1280);
    EXPECT_DOUBLE_EQ(m.CalendarAreaHeightPercent, 794.0 / 1280);
    ExpectLinksClearOfTheCalendar();
}

TEST_F(SampleEditionsTest, TheMonthlyEditionShowsTheMonthsPicture) {
    UseEdition("Twelve Months");
    FixDate(2026, 9, 1);
    CustomizationModule::CustomizeCalendar();
    const CustomizationModule& m = Customization();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(m.imageCycle, "Monthly");
    EXPECT_EQ(m.backgroundImage, m.backgroundImage9Wide);
    EXPECT_TRUE(m.backgroundImage2Wide);
    EXPECT_TRUE(m.backgroundImage12Wide);
    EXPECT_EQ(m.yearNumber, std::vector<PicturePtr>(10)); // its year is drawn as text
    EXPECT_DOUBLE_EQ(m.CalendarAreaHeightPercent, 744.0 / 1200);
}
