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
    void HoverOver(const Date& date, int dx = 0) {
        const auto [x, y] = PointOf(window, date);
        window.Calendar_MouseMove(x + dx, y);
    }
    static int WidthOf(const std::string& title) {
        Picture scratch(1, 1);
        scratch.Graphics().TextSize = 9;
        return static_cast<int>(scratch.Graphics().StringWidth(title) + 20);
    }
    bool added = AddEvents();
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& tip = *window.tipCanvas;
};
} // namespace

TEST_F(HoverTipTest, ATipListsTheTitlesAboveTheDay) {
    const calCanvas& grid = *window.Calendar;
    HoverOver(Date(2010, 3, 2));
    ASSERT_TRUE(tip.Visible());
    EXPECT_EQ(tip.currentText, "//Dentist|");
    EXPECT_EQ((std::pair{tip.Width(), tip.Height()}), (std::pair{WidthOf("Dentist"), 16}));
    const GridCell cell = Cell(window, Date(2010, 3, 2));
    EXPECT_EQ(tip.Left(), static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth));
    EXPECT_EQ(tip.Top(),
              grid.Top() + grid.MarginHeight + (cell.row % 27 - 1) * grid.DefaultRowHeight - 10);
    // The box is opaque, its corners see-through, its text dark.
    const Picture& picture = *tip.Backdrop();
    EXPECT_EQ(picture.Transparent(), 1);
    EXPECT_EQ(picture.Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(picture.Pixel(picture.Width() / 2, 14), RGB(254, 254, 254));
    EXPECT_EQ(picture.Pixel(picture.Width() / 2, 0), RGB(180, 180, 180));

    // Three events: one line each, in the tag's order, kinds left out.
    HoverOver(Date(2010, 3, 4));
    EXPECT_EQ(tip.currentText, "//Trip|Countdown//Fair|Special//Dinner|");
    EXPECT_EQ(tip.Height(), 40);
    EXPECT_EQ(tip.Width(), std::max({WidthOf("Trip"), WidthOf("Fair"), WidthOf("Dinner")}));
}

TEST_F(HoverTipTest, TheTipStaysOverRightHalvesAndLikeDaysAndHidesOverEmptyCells) {
    HoverOver(Date(2010, 3, 2));
    const int left = tip.Left();
    HoverOver(Date(2010, 3, 3));
    EXPECT_EQ(tip.Left(), left) << "the same titles keep the tip where it was";
    HoverOver(Date(2010, 3, 4), window.Calendar->ColumnsWidth / 2);
    EXPECT_EQ(tip.currentText, "//Dentist|") << "the right half of a column changes nothing";
    HoverOver(Date(2010, 3, 5));
    EXPECT_FALSE(tip.Visible());
    EXPECT_EQ(tip.currentText, "");

    HoverOver(Date(2010, 3, 2));
    window.Calendar_MouseExit();
    EXPECT_FALSE(tip.Visible());
    EXPECT_EQ(tip.currentText, "");

    // The same place in another year reads that year's cell.
    HoverOver(Date(2010, 3, 2));
    window.PageNextYear();
    HoverOver(Date(2010, 3, 2));
    EXPECT_FALSE(tip.Visible());
}

TEST_F(HoverTipTest, NearTheRightEdgeTheTipEndsTwelvePixelsPastTheDaysLeftEdge) {
    const calCanvas& grid = *window.Calendar;
    const auto [x, y] = PointOf(window, Date(2010, 12, 31));
    // The real road: the pointer moves over the grid in the window.
    Simulate::MouseMove(window, x, grid.Top() + y);
    ASSERT_TRUE(tip.Visible());
    const int dayLeft = x - 3;
    ASSERT_LT(grid.Width(), dayLeft + tip.Width());
    EXPECT_EQ(tip.Left() + tip.Width(), dayLeft + 12);
}
