// The vendor links strip under the calendar area: its place and columns, and how its buttons
// follow the pointer and open their links.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include <array>
#include <string>
#include <vector>

namespace {
class LinksStripTest : public CalendarWindowTest {
  protected:
    LinksStripTest() { Customization().includeLinkButtons = true; }
    // The end of the calendar area: Int(876 * 0.082) + Int(876 * 0.62).
    static constexpr int kStripTop = 71 + 543;

    static std::array<int, 3> States(const listboxButton& strip) {
        return {strip.cellState[0], strip.cellState[1], strip.cellState[2]};
    }
    // A point of the strip's row at x in the strip's coordinates.
    static void MoveTo(CalendarWindow& window, int x) {
        Simulate::MouseMove(window, window.wwwLinksList->Left() + x, kStripTop + 5);
    }
};
} // namespace

TEST_F(LinksStripTest, TheStripSitsUnderTheCalendarAreaAndTakesItsHeightFromTheBottomBand) {
    struct Case {
        const char* edition;
        int bandHeight, stripHeight;
    };
    for (const Case& c : {Case{"Four Seasons", 214, 23}, Case{"Four Seasons", 500, 55},
                          Case{"corvessa", 500, 22}}) {
        SCOPED_TRACE(std::to_string(c.bandHeight) + " " + c.edition);
        Customization().applicationName = c.edition;
        CalendarWindow window;
        window.BottomCanvas->SetHeight(c.bandHeight);
        window.Open();
        const listboxButton& strip = *window.wwwLinksList;
        EXPECT_EQ(strip.Height(), c.stripHeight);
        EXPECT_EQ(strip.Top(), kStripTop);
        EXPECT_EQ(strip.DefaultRowHeight(), c.stripHeight);
        EXPECT_EQ(strip.Left(), -3);
        EXPECT_EQ(strip.Width(), 1440 + 6);
        EXPECT_TRUE(strip.Visible());
        EXPECT_TRUE(strip.Enabled());
        EXPECT_EQ(strip.Cursor(), MouseCursor::Finger);
        EXPECT_EQ(strip.ListCount(), 1);
        EXPECT_EQ(strip.ColumnCount(), 1) << "no link entries: the last column alone";
        window.Close();
    }
}

TEST_F(LinksStripTest, WithoutLinkButtonsTheStripStaysHiddenAtItsDesignPlace) {
    Customization().includeLinkButtons = false;
    CalendarWindow& window = CalendarWindow::Instance();
    const listboxButton& strip = *window.wwwLinksList;
    EXPECT_FALSE(strip.Visible());
    EXPECT_FALSE(strip.Enabled());
    EXPECT_EQ((std::vector<int>{strip.Top(), strip.Height(), strip.ListCount()}),
              (std::vector<int>{530, 21, 0}));
}

// Every edition: one column with no caption and no link, no hover look, pressed while held.
TEST_F(LinksStripTest, AnEmptyStripOnlyShowsThePressAndOpensNothing) {
    CalendarWindow& window = CalendarWindow::Instance();
    listboxButton& strip = *window.wwwLinksList;
    MoveTo(window, 300);
    MoveTo(window, 900);
    EXPECT_EQ(strip.cellState[0], 0);
    Simulate::MouseDown(window, 500, kStripTop + 5);
    EXPECT_EQ(strip.cellState[0], 2);
    Simulate::MouseUp(window, 500, kStripTop + 5);
    EXPECT_EQ(strip.cellState[0], 0);
    EXPECT_TRUE(TestSeams::OpenedURLs().empty());
    EXPECT_EQ(strip.ListIndex(), -1) << "a click never selects";
}

TEST_F(LinksStripTest, LinkColumnsHoverPressAndOpenTheLinkUnderTheRelease) {
    Customization().calendarURLlinks = {{"News", "https://example.com/news"},
                                        {"Shop", "https://example.com/shop"}};
    CalendarWindow& window = CalendarWindow::Instance();
    listboxButton& strip = *window.wwwLinksList;
    ASSERT_EQ(strip.ColumnCount(), 3);
    EXPECT_EQ(strip.CellTag(0, 1), "https://example.com/shop");
    const int first = strip.ColumnWidth(0), second = strip.ColumnWidth(1);
    EXPECT_GT(first, 40);
    EXPECT_GT(strip.ColumnWidth(2), 1000) << "the last column takes the rest";

    MoveTo(window, first + 1);
    EXPECT_EQ(States(strip), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(strip.currentColumn, 1);
    MoveTo(window, 5);
    EXPECT_EQ(States(strip), (std::array<int, 3>{1, 0, 0}));
    // The boundary pixel belongs to the column on its right; coming from another column, the
    // last one shows the hover look too.
    MoveTo(window, first + second);
    EXPECT_EQ(States(strip), (std::array<int, 3>{0, 0, 1}));
    EXPECT_EQ(strip.currentColumn, 2);

    // Pressed over the first, released over the second: the second opens and rests, the first
    // keeps its pressed look. The release is placed by its horizontal position alone.
    MoveTo(window, 5);
    Simulate::MouseDown(window, strip.Left() + 5, kStripTop + 5);
    EXPECT_EQ(strip.cellState[0], 2);
    Simulate::MouseUp(window, strip.Left() + first + 3, kStripTop - 200);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/shop"});
    EXPECT_EQ(States(strip), (std::array<int, 3>{2, 0, 0}));

    // Leaving resets only the column under the exit point.
    MoveTo(window, first + 1);
    strip.cellState[0] = 1;
    Simulate::MouseMove(window, strip.Left() + first + 1, kStripTop - 100);
    EXPECT_EQ(States(strip), (std::array<int, 3>{1, 0, 0}));
}

// Each cell shows the slice of its state over its whole width; link columns carry a caption.
TEST_F(LinksStripTest, CellsShowTheSliceOfTheirStateAndTheLinksCaption) {
    Customization().calendarURLlinks = {{"NEWS", "https://example.com/news"}};
    CalendarWindow& window = CalendarWindow::Instance();
    listboxButton& strip = *window.wwwLinksList;
    strip.cellState[1] = 2;
    const PicturePtr slices = linkButtons();
    Picture shot(window.Width(), window.Height());
    window.DrawInto(shot.Graphics(), 0, 0);
    const int y = kStripTop + 2;
    EXPECT_EQ(shot.Pixel(strip.Left() + 4, y), slices->Pixel(0, 2));
    EXPECT_EQ(shot.Pixel(strip.Left() + strip.ColumnWidth(0) + 300, y), slices->Pixel(10, 2));
    int white = 0;
    for (int x = strip.Left(); x < strip.Left() + strip.ColumnWidth(0); ++x)
        for (int row = kStripTop; row < kStripTop + strip.Height(); ++row)
            white += shot.Pixel(x, row) == RGB(255, 255, 255);
    EXPECT_GT(white, 10) << "the caption in white";
}
