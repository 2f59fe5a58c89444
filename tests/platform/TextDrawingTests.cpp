#include "platform/Fonts.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <cstdio>

using TextDrawingTest = IsolatedTest;

TEST_F(TextDrawingTest, DesignFontNamesResolveToFixedFamilies) {
    EXPECT_EQ(ResolveFontFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(ResolveFontFamily("\"Arial\""), "Liberation Sans");
    EXPECT_EQ(ResolveFontFamily(" arial "), "Liberation Sans");
    for (const char* sans : {"Tahoma", "Helvetica", "System", "", "Impact", "Optima Extra Black",
                             "Microsoft Sans Serif", "Lucida Grande", "Geneva"})
        EXPECT_EQ(ResolveFontFamily(sans), "Liberation Sans") << sans;
    EXPECT_EQ(ResolveFontFamily("Times"), "Liberation Serif");
    EXPECT_EQ(ResolveFontFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(ResolveFontFamily("Verdana"), "DejaVu Sans");
    EXPECT_EQ(ResolveFontFamily("Webdings"), "DejaVu Sans");
    // Installed families keep their name; unknown ones fall back to the default.
    EXPECT_EQ(ResolveFontFamily("dejavu serif"), "DejaVu Serif");
    EXPECT_EQ(ResolveFontFamily("No Such Face"), "Liberation Sans");
}

TEST_F(TextDrawingTest, MetricsAreFixedForTheDesignFonts) {
    Picture picture(10, 10);
    Graphics& g = picture.Graphics();
    g.TextFont = "Arial";
    g.TextSize = 12;
    EXPECT_EQ(g.TextAscent(), 11);
    EXPECT_EQ(g.TextHeight(), 14);
    EXPECT_NEAR(g.StringWidth("days until"), 50.66, 0.01);
    g.Bold = true;
    EXPECT_NEAR(g.StringWidth("days until"), 55.97, 0.01);
    g.TextFont = "Tahoma";
    g.TextSize = 13;
    EXPECT_NEAR(g.StringWidth("Home"), 36.08, 0.01);
    g.TextFont = "Verdana";
    g.TextSize = 11;
    g.Bold = false;
    EXPECT_NEAR(g.StringWidth("Calendar"), 49.41, 0.01);
}

TEST_F(TextDrawingTest, WidthAndHeightFollowTheSettingsAndLineBreaks) {
    Picture picture(10, 10);
    Graphics& g = picture.Graphics();
    g.TextFont = "Arial";
    g.TextSize = 12;
    EXPECT_EQ(g.StringWidth(""), 0);
    const double plain = g.StringWidth("Year Party");
    g.TextSize = 24;
    EXPECT_GT(g.StringWidth("Year Party"), plain * 1.9);
    g.TextSize = 0; // the default size is 12
    EXPECT_DOUBLE_EQ(g.StringWidth("Year Party"), plain);

    const int line = g.TextHeight();
    EXPECT_EQ(g.StringHeight("one line", 0), line);
    EXPECT_EQ(g.StringHeight("one\rtwo\r\nthree\nfour", 0), 4 * line);
    EXPECT_EQ(g.StringHeight("a\r\rb", 0), 3 * line);
    // Wrapping breaks between words only where the next word would not fit.
    const double word = g.StringWidth("Click a date");
    EXPECT_EQ(g.StringHeight("Click a date to display a week", word + 1), 3 * line);
    EXPECT_EQ(g.StringHeight("Click a date", 999), line);
    // A word wider than the wrap width stands alone on its line.
    EXPECT_EQ(g.StringHeight("Extraordinarily long", 10), 2 * line);
}

TEST_F(TextDrawingTest, DrawStringPutsTheBaselineAtY) {
    Picture picture(120, 60);
    Graphics& g = picture.Graphics();
    g.TextFont = "Arial";
    g.TextSize = 20;
    g.ForeColor = RGB(0, 0, 0);
    g.DrawString("HHH", 10, 30);
    const PixelBounds ink = InkBounds(picture);
    EXPECT_EQ(ink.bottom, 29); // capitals sit on the baseline
    EXPECT_NEAR(ink.top, 30 - 14, 1);
    EXPECT_NEAR(ink.left, 11, 1);

    Picture lines(120, 80);
    lines.Graphics().TextSize = 20;
    lines.Graphics().ForeColor = RGB(0, 0, 0);
    lines.Graphics().DrawString("HH\rHH", 10, 30);
    EXPECT_EQ(InkBounds(lines).bottom, 29 + lines.Graphics().TextHeight());
}
