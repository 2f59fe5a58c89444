#include "platform/Fonts.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Picture.h"
#include "platform/ShapedText.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <QFontMetricsF>

#include <string>
#include <utility>

using TextDrawingTest = IsolatedTest;

TEST_F(TextDrawingTest, DesignFontNamesResolveToInstalledFamiliesAndBoldIsWider) {
    // Quotes, blanks and letter case are ignored; installed families keep their name; unknown
    // ones fall back to the default.
    const std::pair<const char*, const char*> families[] = {{"\"Arial\"", "Liberation Sans"},
                                                            {" arial ", "Liberation Sans"},
                                                            {"Times", "Liberation Serif"},
                                                            {"dejavu serif", "DejaVu Serif"},
                                                            {"No Such Face", "Liberation Sans"}};
    for (const auto& [design, family] : families)
        EXPECT_EQ(ResolveFontFamily(design), family) << design;

    Picture picture(10, 10);
    Graphics& g = picture.Graphics();
    g.TextFont = "Arial";
    g.TextSize = 12;
    const double plain = g.StringWidth("days until");
    g.Bold = true;
    EXPECT_GT(g.StringWidth("days until"), plain);
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
    // Wrapping breaks between words only where the next word would not fit.
    const double word = g.StringWidth("Click a date");
    EXPECT_EQ(g.StringHeight("Click a date to display a week", word + 1), 3 * line);
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

    Picture lines(120, 80);
    lines.Graphics().TextSize = 20;
    lines.Graphics().ForeColor = RGB(0, 0, 0);
    lines.Graphics().DrawString("HH\rHH", 10, 30);
    EXPECT_EQ(InkBounds(lines).bottom, 29 + lines.Graphics().TextHeight());
}

TEST_F(TextDrawingTest, ALineKeptShapedDrawsAsTheToolkitDrawsIt) {
    // A text with a line break goes through the toolkit's own drawing; its first line must look
    // as the same text drawn alone, which is drawn from the kept shapes (or, underlined, by the
    // toolkit too). Each case is drawn twice, so that the second drawing comes from the store,
    // and a size change must not.
    const struct {
        const char* font;
        int size;
        bool bold, underline;
        const char* text;
    } cases[] = {{"Arial", 12, false, false, "Wednesday 23"},
                 {"Arial", 24, false, false, "Wednesday 23"},
                 {"Georgia", 17, true, false, "JANUARY"},
                 {"Times", 9, false, false, "fi ffl AV To"},
                 {"Arial", 11, true, false, "31"},
                 {"Arial", 14, false, true, " 7"},
                 {"Arial", 14, false, true, "23"}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            Picture shaped(220, 60), toolkit(220, 60);
            for (Picture* picture : {&shaped, &toolkit}) {
                Graphics& g = picture->Graphics();
                g.TextFont = c.font;
                g.TextSize = c.size;
                g.Bold = c.bold;
                g.Underline = c.underline;
                g.ForeColor = RGB(20, 40, 60);
            }
            shaped.Graphics().DrawString(c.text, 10.5, 40);
            toolkit.Graphics().DrawString(std::string(c.text) + "\n", 10.5, 40);
            const int tolerance = 0;
            EXPECT_NEAR(CountPixels(shaped, RGB(255, 255, 255)),
                        CountPixels(toolkit, RGB(255, 255, 255)), tolerance)
                << c.text << " " << c.size;
            const PixelBounds a = InkBounds(shaped), b = InkBounds(toolkit);
            EXPECT_EQ(a.top, b.top) << c.text << " " << c.size;
            EXPECT_EQ(a.bottom, b.bottom) << c.text << " " << c.size;
            EXPECT_EQ(a.left, b.left) << c.text << " " << c.size;
            EXPECT_NEAR(a.right, b.right, tolerance / 2) << c.text << " " << c.size;
            EXPECT_EQ(shaped.Graphics().StringWidth(c.text),
                      toolkit.Graphics().StringWidth(std::string(c.text) + "\n"));
        }
    }
}

// A title with an emoji shows it in colour: the design's face falls back to the colour emoji
// font that the set-up installs, instead of drawing a box.
TEST_F(TextDrawingTest, AnEmojiInATitleDrawsInColour) {
    if (ResolveFontFamily("Noto Color Emoji") != "Noto Color Emoji")
        GTEST_SKIP() << "no colour emoji font: tools/setup.sh installs fonts-noto-color-emoji";
    Picture picture(60, 40);
    Graphics& g = picture.Graphics();
    g.ForeColor = RGB(255, 255, 255);
    g.FillRect(0, 0, 60, 40);
    g.ForeColor = RGB(0, 0, 0);
    g.TextFont = "Arial";
    g.TextSize = 24;
    g.DrawString("\xF0\x9F\x8E\x82", 5, 30); // a birthday cake
    int coloured = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) {
            const Color c = picture.Pixel(x, y);
            coloured += c.r != c.g || c.g != c.b;
        }
    EXPECT_GT(coloured, 50);
}

// Of a line far wider than the room, only a beginning that passes it is kept, cut between two
// characters whatever their length in bytes; narrower lines and lines with breaks stay whole.
TEST_F(TextDrawingTest, AHugeLineIsMeasuredAndDrawnOnlyAsFarAsItCanShow) {
    const auto repeated = [](const std::string& piece) {
        std::string line;
        while (line.size() < (4u << 20))
            line += piece;
        return line;
    };
    const QFont font = FontFor("Arial", 12, false, false, false);
    const std::pair<std::string, bool> lines[] = {{"Dentist at nine", false},
                                                  {repeated("Lorem ipsum "), true},
                                                  {repeated("\xC3\xA9t\xC3\xA9 "), true},
                                                  {repeated("\xE6\x97\xA5\xE6\x9C\xAC"), true},
                                                  {repeated("\xF0\x9F\x8E\x82 "), true},
                                                  {"A\n" + repeated("Lorem ipsum "), false}};
    for (const auto& [line, cut] : lines) {
        const std::string_view start = LineReaching(font, font.key(), line, 501);
        EXPECT_EQ(start.size() < line.size(), cut) << line.substr(0, 20);
        if (!cut) continue;
        EXPECT_LT(start.size(), 64u << 10);
        EXPECT_NE(static_cast<unsigned char>(line[start.size()]) & 0xC0, 0x80)
            << line.substr(0, 20);
        EXPECT_GT(QFontMetricsF(font).horizontalAdvance(QString::fromStdString(std::string(start))),
                  501);
    }

    Picture shown(400, 20), beginning(400, 20);
    for (Picture* picture : {&shown, &beginning}) {
        Graphics& g = picture->Graphics();
        g.TextFont = "Arial";
        g.TextSize = 12;
        g.DrawString(picture == &shown ? lines[1].first : lines[1].first.substr(0, 200), -30, 15);
        EXPECT_GT(g.StringWidth(lines[1].first, 300), 300);
        EXPECT_EQ(g.StringWidth(lines[0].first, 300), g.StringWidth(lines[0].first));
    }
    EXPECT_EQ(InkBounds(shown), InkBounds(beginning));
    EXPECT_EQ(CountPixels(shown, RGB(0, 0, 0)), CountPixels(beginning, RGB(0, 0, 0)));

    // A text of an ordinary length is drawn whole, however wide its first line: the next shows.
    Picture twoLines(400, 40);
    twoLines.Graphics().TextSize = 12;
    twoLines.Graphics().DrawString(std::string(2000, 'x') + "\nSecond", 0, 15);
    EXPECT_GT(InkBounds(twoLines).bottom, 20);
}
