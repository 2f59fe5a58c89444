// The sample editions that the build puts beside the program.
#include "CustomisationFixture.h"

#include "platform/Text.h"

#include <array>
#include <cmath>

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

namespace {
// WCAG relative luminance of a colour.
double Luminance(Color c) {
    static const auto kLinear = [] {
        std::array<double, 256> table{};
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            table[static_cast<size_t>(v)] =
                s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    return 0.2126 * kLinear[c.r] + 0.7152 * kLinear[c.g] + 0.0722 * kLinear[c.b];
}

double Contrast(Color a, Color b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

// Each edition loads without a message on either shape of screen, its background as large as
// the base picture, its links clear of the calendar and its year digits all there or all absent;
// and under every day of the grid the days' colour reads against every season's or month's
// picture. The grid's thirty columns share the width between its
// margins (8.8% when the edition gives none); the days stand in columns 1 to 31.
TEST_F(SampleEditionsTest, EachEditionLoadsAndEveryDateReadsAgainstEveryPicture) {
    const struct {
        const char* edition;
        bool digits;
        std::vector<int> months; // one date in each season, or every month
    } editions[] = {{"Four Seasons", true, {4, 7, 10, 1}},
                    {"Twelve Months", false, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}}};
    for (const auto& edition : editions)
        for (const bool wide : {true, false})
            for (const int month : edition.months) {
                SCOPED_TRACE(std::string(edition.edition) +
                             (wide ? " wide, month " : " standard, month ") +
                             std::to_string(month));
                Customization() = CustomizationModule{};
                UseEdition(edition.edition);
                wide ? SetScreen(1920, 1200) : SetScreen(1280, 1000, 1280, 1024);
                FixDate(2026, month, 15);
                CustomizationModule::CustomizeCalendar();
                EXPECT_TRUE(Messages().empty());
                const CustomizationModule& m = Customization();
                const PicturePtr& base = wide ? m.backgroundImageWide : m.backgroundImageStandard;
                ASSERT_TRUE(base && m.backgroundImage);
                const Picture& picture = *m.backgroundImage;
                EXPECT_EQ((std::pair{picture.Width(), picture.Height()}),
                          (std::pair{base->Width(), base->Height()}));
                EXPECT_GT(m.TitleAreaHeightPercent, 0);
                EXPECT_LT(m.TitleAreaHeightPercent + m.CalendarAreaHeightPercent, 1);
                ExpectLinksClearOfTheCalendar();
                ASSERT_EQ(m.yearNumber.size(), 10u);
                for (const PicturePtr& digit : m.yearNumber)
                    EXPECT_EQ(bool(digit), edition.digits);
                const int width = picture.Width(), height = picture.Height();
                const int top = static_cast<int>(m.TitleAreaHeightPercent * height);
                const int bottom = top + static_cast<int>(m.CalendarAreaHeightPercent * height);
                const double leftMargin = m.leftMargin_pct == 0 ? 0.088 : m.leftMargin_pct;
                const double rightMargin = m.rightMargin_Pct == 0 ? 0.088 : m.rightMargin_Pct;
                const double column = width * (1 - leftMargin - rightMargin) / 30;
                const int left = static_cast<int>(width * leftMargin + column);
                const int right = static_cast<int>(width * leftMargin + 32 * column);
                long pixels = 0, faint = 0;
                for (int y = top; y < bottom; y += 2)
                    for (int x = left; x < right; x += 2, ++pixels)
                        faint += Contrast(picture.Pixel(x, y), m.daysColor) < 4.5;
                EXPECT_LE(faint, pixels / 100) << faint << " of " << pixels;
            }
}
