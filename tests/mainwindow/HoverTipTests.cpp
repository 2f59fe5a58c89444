// The hover tip over the year grid: its text, size, place and when it hides.
#include "mainwindow/YearGridFixture.h"

#include "platform/Graphics.h"
#include "platform/Simulate.h"

namespace {
class HoverTipTest : public YearGridTest {
  protected:
    // The store is filled before the window opens and builds its grid.
    bool AddEvents() {
        AddEntry("2010-03-02 09:00:00", "2010-03-02 10:00:00", "Dentist");
        AddEntry("2010-03-03 09:00:00", "2010-03-03 10:00:00", "Dentist");
        AddEntry("2010-03-04 08:00:00", "2010-03-04 08:00:00", "Trip", "Countdown");
        AddEntry("2010-03-04 09:00:00", "2010-03-04 10:00:00", "Fair", "Special");
        AddEntry("2010-03-04 18:00:00", "2010-03-04 19:00:00", "Dinner");
        AddEntry("2010-12-31 09:00:00", "2010-12-31 10:00:00",
                 "A very long title for the last evening of the year");
        return true;
    }
    void HoverOver(int month, int day, int dx = 0) {
        const auto [x, y] = PointOf(window, Date(2010, month, day));
        window.Calendar_MouseMove(x + dx, y);
    }
    static int WidthOf(const std::string& title) {
        Picture scratch(1, 1);
        scratch.Graphics().TextSize = 9;
        return static_cast<int>(scratch.Graphics().StringWidth(title) + 20);
    }
    bool added = AddEvents();
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    cCanvas& tip = *window.tipCanvas;
};
} // namespace

TEST_F(HoverTipTest, ATipListsTheDaysTitlesAboveItUntilThePointerLeavesTheDays) {
    HoverOver(3, 2);
    ASSERT_TRUE(tip.Visible());
    EXPECT_EQ(tip.currentText, "//Dentist|");
    const GridCell cell = Cell(window, Date(2010, 3, 2));
    EXPECT_EQ((std::vector<int>{tip.Left(), tip.Top(), tip.Width(), tip.Height()}),
              (std::vector<int>{
                  static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth),
                  grid.Top() + grid.MarginHeight + (cell.row % 27 - 1) * grid.DefaultRowHeight - 10,
                  WidthOf("Dentist"), 16}));
    // Over the month names above the day it stays.
    window.Calendar_MouseMove(PointOf(window, Date(2010, 3, 2)).first,
                              grid.MarginHeight + grid.DefaultRowHeight - 3);
    EXPECT_TRUE(tip.Visible());

    // Three events: a line each, in the tag's order; the kinds are not shown.
    HoverOver(3, 4);
    EXPECT_EQ(tip.currentText, "//Trip|Countdown//Fair|Special//Dinner|");
    EXPECT_EQ(tip.Height(), 40);
    EXPECT_EQ(tip.Width(), std::max({WidthOf("Trip"), WidthOf("Fair"), WidthOf("Dinner")}));

    // The same titles on another day keep the tip where it was; the right half of a column
    // changes nothing; the left half of a day without events hides it.
    HoverOver(3, 2);
    const int left = tip.Left();
    HoverOver(3, 3);
    HoverOver(3, 4, grid.ColumnsWidth / 2);
    EXPECT_EQ((std::pair{tip.Left(), tip.currentText}),
              (std::pair{left, std::string("//Dentist|")}));
    HoverOver(3, 5);
    EXPECT_FALSE(tip.Visible());
    EXPECT_EQ(tip.currentText, "");

    // Through the window: a tip that would pass the grid's edge ends 12 pixels right of the
    // day's left edge; leaving the grid hides it.
    const auto [x, y] = PointOf(window, Date(2010, 12, 31));
    Simulate::MouseMove(window, x, grid.Top() + y);
    ASSERT_LT(grid.Width(), x - 3 + tip.Width());
    EXPECT_EQ(tip.Left() + tip.Width(), x - 3 + 12);
    Simulate::MouseMove(window, 700, 10);
    EXPECT_FALSE(tip.Visible());

    // One that ends exactly at the grid's edge stays right of its day.
    const int saturday = static_cast<int>(
        grid.LeftMarginWidth + Cell(window, Date(2010, 4, 3)).column * grid.ColumnsWidth);
    std::string fits;
    for (int wide = 0; wide < 20 && fits.empty(); ++wide)
        for (int narrow = 0; narrow < 40 && fits.empty(); ++narrow)
            if (const std::string title = std::string(wide, 'W') + std::string(narrow, 'i');
                saturday + WidthOf(title) == grid.Width())
                fits = title;
    ASSERT_FALSE(fits.empty());
    AddEntry("2010-04-03 09:00:00", "2010-04-03 10:00:00", fits);
    window.Calendar_Open();
    HoverOver(4, 3);
    EXPECT_EQ(tip.Left(), saturday);
}

// A day of more events than the room above it holds: the tip is cut at the window's top edge,
// its bottom where a short tip's is, and only the lines that show count, drawn and measured.
TEST_F(HoverTipTest, ATipTallerThanTheRoomAboveItsDayIsCutAtTheWindowsTop) {
    AddEntry("2010-03-09 00:00:02", "2010-03-09 00:00:02",
             "A title far wider than any other, on the first line, far above the window");
    Date start(2010, 3, 9, 8);
    for (int i = 0; i < 2000; ++i) {
        start.SetSecond(start.Second() + 1);
        AddEntry(start.SQLDateTime(), start.SQLDateTime(), "Event " + std::to_string(i % 10));
    }
    window.Calendar_Open();
    HoverOver(3, 9);
    ASSERT_TRUE(tip.Visible());
    const GridCell cell = Cell(window, Date(2010, 3, 9));
    EXPECT_EQ(
        (std::vector<int>{tip.Top(), tip.Top() + tip.Height(), tip.Width()}),
        (std::vector<int>{
            0, grid.Top() + grid.MarginHeight + (cell.row % 27 - 1) * grid.DefaultRowHeight + 6,
            WidthOf("Event 0")}));
    const Picture& picture = *tip.Backdrop();
    ASSERT_EQ((std::pair{picture.Width(), picture.Height()}),
              (std::pair{tip.Width(), tip.Height()}));
    // The last title on its line above the box's bottom edge.
    int dark = 0;
    for (int y = picture.Height() - 14; y < picture.Height() - 2; ++y)
        for (int x = 10; x < picture.Width() - 4; ++x)
            dark += picture.Pixel(x, y).r < 150 ? 1 : 0;
    EXPECT_GT(dark, 10);
}

// The line just above the window's top whose foot still shows is measured with the others.
TEST_F(HoverTipTest, ALineCutAboveItsBaselineStillCountsForTheWidth) {
    constexpr int kCount = 30, kLineHeight = 12, kDescent = 4;
    int day = 1, cut = 0;
    for (; day <= 31; ++day) {
        const int row = Cell(window, Date(2010, 3, day)).row % 27;
        cut = kLineHeight * kCount + 4 -
              (grid.Top() + grid.MarginHeight + (row - 1) * grid.DefaultRowHeight + 6);
        if (cut % kLineHeight < kDescent) break;
    }
    ASSERT_LE(day, 31) << "no day of March whose tip cuts a line's foot";
    for (int i = 1; i <= kCount; ++i) {
        Date start(2010, 3, day, 8);
        start.SetMinute(i);
        AddEntry(start.SQLDateTime(), start.SQLDateTime(),
                 i == cut / kLineHeight ? "Only its descent shows: gjpqy" : "Event");
    }
    window.Calendar_Open();
    HoverOver(3, day);
    ASSERT_EQ(tip.Top(), 0);
    EXPECT_EQ(tip.Width(), WidthOf("Only its descent shows: gjpqy"));
}

// A title of megabytes (a large file read as the event file): the tip is no wider than the
// grid, keeps to the window, and shows the title's beginning as a tip of that beginning does.
TEST_F(HoverTipTest, AHugeTitleShowsItsBeginningAsAShortOneWould) {
    const std::string start = "Dentist at nine";
    std::string huge = start;
    while (huge.size() < (8u << 20))
        huge += " and then more of the same";
    AddEntry("2010-03-10 09:00:00", "2010-03-10 10:00:00", huge);
    AddEntry("2010-03-11 09:00:00", "2010-03-11 10:00:00", start);
    window.Calendar_Open();
    HoverOver(3, 11);
    const PicturePtr plain = tip.Backdrop();
    HoverOver(3, 10);
    ASSERT_EQ(tip.currentText.size(), huge.size() + 3);
    EXPECT_EQ((std::vector<int>{tip.Left(), tip.Width()}), (std::vector<int>{0, grid.Width()}));
    const Picture& picture = *tip.Backdrop();
    int differing = 0;
    for (int y = 0; y < plain->Height(); ++y)
        for (int x = 0; x < WidthOf(start) - 10; ++x)
            differing += picture.Pixel(x, y) != plain->Pixel(x, y) ? 1 : 0;
    EXPECT_EQ(differing, 0);
}
