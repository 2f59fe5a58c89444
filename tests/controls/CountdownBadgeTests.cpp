// The countdown badge's picture: its centred lines, the title on one or two lines, its mask.
#include "app/App.h"
#include "controls/cCanvas.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <string>

namespace {
class CountdownBadgeTest : public IsolatedTest {
  protected:
    CountdownBadgeTest() {
        Customization() = CustomizationModule{};
        badge.SetBounds(0, 0, 118, 130);
        bare.Graphics().DrawPicture(*countdown(), 0, 0);
        Date::FixClock(Date(2026, 12, 15, 12, 0).TotalSeconds());
    }
    ~CountdownBadgeTest() override { Date::FixClock(std::nullopt); }

    // The badge drawn for a countdown entry on 25 December 2026.
    Picture& DrawWithTitle(const std::string& title) {
        application.countdownDate = Date(2026, 12, 25);
        const std::string key = application.countdownDate.SQLDateTime();
        application.eventDict.Value(key, key + "//" + title + "//Countdown");
        badge.updateCountdown();
        return *badge.cachedImage;
    }

    app application;
    cCanvas badge;
    Picture bare{118, 130};
};

// The columns, first and last, where rows [from, to] of the badge differ from the bare artwork.
std::pair<int, int> InkColumns(const Picture& badge, const Picture& bare, int from, int to) {
    int left = badge.Width(), right = -1;
    for (int y = from; y <= to; ++y)
        for (int x = 0; x < badge.Width(); ++x)
            if (badge.Pixel(x, y) != bare.Pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}
} // namespace

// Each line is centred on the badge's page, 5 pixels left of the middle; a title too wide for
// one line splits after its first blank, and a single long word shrinks instead.
TEST_F(CountdownBadgeTest, DrawsTheCountAndATitleOnOneOrTwoCentredLines) {
    const struct {
        const char* title;
        int from, to; // the rows of the line
        std::string text;
        const char* font;
        int size;
        bool bold;
    } lines[] = {
        {"Dinner", 20, 47, "10", "Impact", 18, false},
        {"Dinner", 48, 64, "days until", "Arial", 12, false},
        {"Dinner", 65, 100, "Dinner", "Arial", 12, true},
        {"Extraordinariness", 65, 100, "Extraordinariness", "Arial", 11, true},
        {"New Year Party", 65, 77, "New", "Arial", 12, true},
        {"New Year Party", 78, 100, "Year Party", "Arial", 12, true},
        {"Bob and Bob party", 78, 100, "and Bob party", "Arial", 12, true},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.text);
        const auto [left, right] = InkColumns(DrawWithTitle(line.title), bare, line.from, line.to);
        Graphics& g = bare.Graphics();
        g.TextFont = line.font;
        g.TextSize = line.size;
        g.Bold = line.bold;
        EXPECT_NEAR(right - left + 1, g.StringWidth(line.text), 3);
        EXPECT_NEAR((left + right) / 2.0, 118 / 2.0 - 5, 1.5);
    }
}

TEST_F(CountdownBadgeTest, WithoutAnEntryItCountsToChristmasOfItsOwnYear) {
    application.countdownDate = Date(2026, 3, 14, 9, 30, 15);
    badge.updateCountdown();
    EXPECT_EQ(application.countdownDate.SQLDateTime(), "2026-12-25 09:30:15");
}

TEST_F(CountdownBadgeTest, TheMaskIsTheBadgeShape) {
    const Picture& mask = DrawWithTitle("Dinner").Mask();
    const PicturePtr shape = countdownmask();
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 118; ++x)
            ASSERT_EQ(mask.Pixel(x, y), shape->Pixel(x, y)) << x << "," << y;
}
