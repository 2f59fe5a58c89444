// The countdown badge's picture: where its lines stand, how the title is laid out, its mask.
#include "app/App.h"
#include "controls/cCanvas.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {
// Where a band of rows of the badge differs from the bare artwork: the text drawn there.
struct Ink {
    int top = -1, bottom = -1, left = -1, right = -1;
    int darkest = 255; // the lowest red level of the ink
    double Centre() const { return (left + right) / 2.0; }
    int Width() const { return right - left + 1; }
};

Ink InkIn(const Picture& badge, const Picture& bare, int fromRow, int toRow) {
    Ink ink;
    for (int y = fromRow; y <= toRow; ++y)
        for (int x = 0; x < badge.Width(); ++x) {
            const Color pixel = badge.Pixel(x, y);
            if (pixel == bare.Pixel(x, y)) continue;
            if (ink.top < 0) ink.top = y;
            ink.bottom = y;
            ink.left = ink.left < 0 ? x : std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.darkest = std::min<int>(ink.darkest, pixel.r);
        }
    return ink;
}

double WidthOf(const std::string& text, const char* font, int size, bool bold) {
    Picture scratch(1, 1);
    Graphics& g = scratch.Graphics();
    g.TextFont = font;
    g.TextSize = size;
    g.Bold = bold;
    return g.StringWidth(text);
}

// Every line is centred on the badge's page, which stands 5 pixels left of the middle.
constexpr double kCentre = 118 / 2.0 - 5;

class CountdownBadgeTest : public IsolatedTest {
  protected:
    CountdownBadgeTest() {
        Customization() = CustomizationModule{};
        badge.SetBounds(0, 0, 118, 130);
        bare.Graphics().DrawPicture(*countdown(), 0, 0);
        Date::FixClock(Date(2026, 12, 15, 12, 0).TotalSeconds());
        application.countdownDate = Date();
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
} // namespace

TEST_F(CountdownBadgeTest, NumberAndLabelStandCentredOnTheirBaselines) {
    Picture& picture = DrawWithTitle("Dinner");
    ASSERT_EQ(picture.Height(), 130);

    const Ink number = InkIn(picture, bare, 20, 47);
    EXPECT_EQ(number.bottom, 44) << "digits stand on baseline 44";
    EXPECT_NEAR(number.Width(), WidthOf("10", "Impact", 18, false), 3);
    EXPECT_NEAR(number.Centre(), kCentre, 1.5);
    EXPECT_LE(number.darkest, 70);

    const Ink label = InkIn(picture, bare, 48, 64);
    EXPECT_EQ(label.bottom, 62) << "the y of days hangs two rows below baseline 60";
    EXPECT_NEAR(label.Width(), WidthOf("days until", "Arial", 12, false), 3);
    EXPECT_NEAR(label.Centre(), kCentre, 1.5);
    EXPECT_GE(label.darkest, 100) << "the label is a lighter grey";
}

TEST_F(CountdownBadgeTest, TitlesTakeOneLineTwoLinesOrASmallerSize) {
    const struct {
        const char* title;
        const char* second; // empty: one line
        int size;           // of a one-line title
    } cases[] = {
        {"Dinner", "", 12},
        {"New Year Party", "Year Party", 12},
        {"Bob and Bob party", "and Bob party", 12},
        {"Extraordinariness", "", 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        Picture& picture = DrawWithTitle(c.title);
        if (*c.second) {
            const Ink first = InkIn(picture, bare, 65, 77);
            EXPECT_EQ(first.bottom, 76) << "the first word on baseline 76";
            EXPECT_NEAR(first.Width(), WidthOf(std::string(c.title, 3), "Arial", 12, true), 3);
            const Ink second = InkIn(picture, bare, 78, 100);
            EXPECT_GE(second.top, 78);
            EXPECT_EQ(second.bottom, 90) << "baseline 88, and the y below it";
            EXPECT_NEAR(second.Width(), WidthOf(c.second, "Arial", 12, true), 3);
            EXPECT_NEAR(second.Centre(), kCentre, 1.5);
        } else {
            const Ink line = InkIn(picture, bare, 65, 100);
            EXPECT_EQ(line.bottom, 80) << "one line on baseline 80";
            EXPECT_NEAR(line.Width(), WidthOf(c.title, "Arial", c.size, true), 3);
            EXPECT_NEAR(line.Centre(), kCentre, 1.5);
            EXPECT_LE(line.darkest, 60);
        }
    }
}

TEST_F(CountdownBadgeTest, WithoutAnEntryItCountsToChristmasOfItsOwnYear) {
    application.countdownDate = Date(2026, 3, 14, 9, 30, 15);
    badge.updateCountdown();
    EXPECT_EQ(application.countdownDate.SQLDateTime(), "2026-12-25 09:30:15");
}

TEST_F(CountdownBadgeTest, TheMaskIsTheBadgeShape) {
    Picture& picture = DrawWithTitle("Dinner");
    ASSERT_TRUE(picture.HasMask());
    const PicturePtr shape = countdownmask();
    int differing = 0;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 118; ++x)
            differing += picture.Mask().Pixel(x, y) != shape->Pixel(x, y);
    EXPECT_EQ(differing, 0);
}
