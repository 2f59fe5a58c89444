// Pixels of week-grid cells: event boxes, the selected day, day notes and holidays.
#include "mainwindow/WeekFaceFixture.h"

#include "platform/Graphics.h"
#include "platform/Picture.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {
struct ColourOrder {
    bool operator()(Color a, Color b) const {
        return std::tie(a.r, a.g, a.b) < std::tie(b.r, b.g, b.b);
    }
};
using Colours = std::set<Color, ColourOrder>;
constexpr Color kHeader = RGB(250, 0, 0);
constexpr Color kBody = RGB(0, 250, 0);

class WeekPaintTest : public WeekFaceTest {
  protected:
    WeekPaintTest() {
        Customization().glanceEventHeaderColor = kHeader;
        Customization().glanceEventColor = kBody;
    }
    // The colours of one painted cell.
    Colours Paint(int row, int column) {
        calList& grid = *Window().GlanceList;
        Picture cell(grid.ColumnWidth(column), grid.RowHeight());
        Window().GlanceList_CellBackgroundPaint(cell.Graphics(), row, column);
        Colours colours;
        for (int y = 0; y < cell.Height(); ++y)
            for (int x = 0; x < cell.Width(); ++x)
                colours.insert(cell.Pixel(x, y));
        return colours;
    }
    // Whether any pixel of the cell passes test.
    template <typename Test> bool Any(int row, int column, Test test) {
        const Colours colours = Paint(row, column);
        return std::any_of(colours.begin(), colours.end(), test);
    }
    // Text: pixels darker than every line and fill of the grid.
    bool Text(int row, int column) {
        return Any(row, column, [](Color c) { return c.r < 80 && c.g < 80 && c.b < 80; });
    }
    bool Has(int row, int column, Color colour) { return Paint(row, column).contains(colour); }
};
} // namespace

TEST_F(WeekPaintTest, EventsAreBoxesInTheCalendarsColoursWithTheirTitleInTheFirstCell) {
    AddEntry("2026-03-02 09:00:00", "2026-03-02 10:30:00", "Long");  // Monday, rows 2 to 4
    AddEntry("2026-03-05 09:00:00", "2026-03-05 09:30:00", "Short"); // Thursday, row 2
    Window();
    EXPECT_TRUE(Has(2, 2, kHeader) && !Has(2, 2, kBody) && Text(2, 2));
    EXPECT_TRUE(Has(3, 2, kBody) && !Has(3, 2, kHeader) && !Text(3, 2));
    EXPECT_TRUE(Has(4, 2, kBody) && !Text(4, 2));
    EXPECT_TRUE(Has(2, 5, kHeader) && Text(2, 5));
    EXPECT_NE(Paint(0, 3), Paint(0, 4)) << "Tuesday, the selected day, is shaded";
    EXPECT_EQ(Paint(40, 3).size(), 1u) << "below the last row only the stripe";
}

TEST_F(WeekPaintTest, TheDayNoteIsPaintedInRow26AndTheHolidayInRow27) {
    AddEntry("2026-03-04 00:00:01", "2026-03-04 00:00:01", "Note");
    AddHoliday("2026-03-04", "Fair day");
    Window();
    const auto blue = [](Color c) { return c.b > 120 && c.r < 60 && c.g < 60; };
    EXPECT_TRUE(Any(26, 4, blue) && !Text(26, 4)) << "the day note in dark blue";
    EXPECT_TRUE(Text(27, 4) && !Any(27, 4, blue)) << "the holiday";
    EXPECT_FALSE(Text(27, 5) || Any(26, 5, blue));
}

TEST_F(WeekPaintTest, ATagWithoutItsEntryPaintsTheBoxAndNoMessage) {
    AddEntry("2026-03-02 09:00:00", "2026-03-02 09:30:00", "Gone");
    Window();
    application.eventDict.Clear();
    EXPECT_TRUE(Has(2, 2, kHeader));
    EXPECT_TRUE(Messages().empty());
}
