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
            if (!fs::exists(Folder(edition)))
                fs::create_directory_symlink(fs::path(CALENDAR_BIN_DIR) / edition, Folder(edition));
        TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", name + "\n");
        ASSERT_EQ(TestEnvironment::ReadFile(fs::path(CALENDAR_BIN_DIR) / "caldef.dat"),
                  "Four Seasons\n");
    }
};
} // namespace

// Each edition loads without a message on a wide and on a standard screen: the background is
// as large as the base picture of the screen's shape, the title band and the calendar fit it,
// and the year digits are all there or all absent.
TEST_F(SampleEditionsTest, EachEditionLoadsOnBothShapesOfScreen) {
    const struct {
        const char* edition;
        bool wide, digits;
        int month;
        PicturePtr CustomizationModule::*shown; // the season's or the month's picture
    } cases[] = {
        {"Four Seasons", true, true, 7, &CustomizationModule::backgroundImage2Wide},
        {"Four Seasons", false, true, 1, &CustomizationModule::backgroundImage4Standard},
        {"Twelve Months", true, false, 9, &CustomizationModule::backgroundImage9Wide},
        {"Twelve Months", false, false, 9, &CustomizationModule::backgroundImage9Standard}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.edition) + (c.wide ? " wide" : " standard"));
        Customization() = CustomizationModule{};
        UseEdition(c.edition);
        c.wide ? SetScreen(1920, 1200) : SetScreen(1280, 1000, 1280, 1024);
        FixDate(2026, c.month, 20);
        CustomizationModule::CustomizeCalendar();
        EXPECT_TRUE(Messages().empty());
        const CustomizationModule& m = Customization();
        const PicturePtr& base = c.wide ? m.backgroundImageWide : m.backgroundImageStandard;
        ASSERT_TRUE(base && m.backgroundImage && m.*c.shown);
        EXPECT_EQ((m.*c.shown)->Height() < base->Height(), c.month == 7) << "only summer is short";
        EXPECT_EQ(m.backgroundImage->Width(), base->Width());
        EXPECT_EQ(m.backgroundImage->Height(), base->Height());
        // The picture shown stands on the bottom of the background; a shorter one leaves the
        // base's title band in view.
        const PicturePtr& shown = m.*c.shown;
        EXPECT_EQ(m.backgroundImage->Pixel(700, base->Height() - 1),
                  shown->Pixel(700, shown->Height() - 1));
        if (shown->Height() < base->Height()) {
            EXPECT_EQ(m.backgroundImage->Pixel(700, 40), base->Pixel(700, 40));
        }
        EXPECT_GT(m.TitleAreaHeightPercent, 0);
        EXPECT_LT(m.TitleAreaHeightPercent + m.CalendarAreaHeightPercent, 1);
        ExpectLinksClearOfTheCalendar();
        ASSERT_EQ(m.yearNumber.size(), 10u);
        for (const PicturePtr& digit : m.yearNumber)
            EXPECT_EQ(bool(digit), c.digits);
    }
}
