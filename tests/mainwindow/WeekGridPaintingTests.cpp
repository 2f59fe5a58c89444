// Pixels of week-grid cells: stripes, the selected day, event boxes, day notes and holidays.
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
using Colour = std::set<Color, ColourOrder>;
constexpr Color kHeader = RGB(250, 0, 0);
constexpr Color kBody = RGB(0, 250, 0);

class WeekPaintTest : public WeekFaceTest {
  protected:
    WeekPaintTest() {
        Customization().glanceEventHeaderColor = kHeader;
        Customization().glanceEventColor = kBody;
    }
    // The colours of one painted cell.
    Colour Colours(int row, int column) {
        calList& grid = *Window().GlanceList;
        Picture cell(grid.ColumnWidth(column), grid.RowHeight());
        Window().GlanceList_CellBackgroundPaint(cell.Graphics(), row, column);
        Colour colours;
        for (int y = 0; y < cell.Height(); ++y)
            for (int x = 0; x < cell.Width(); ++x)
                colours.insert(cell.Pixel(x, y));
        return colours;
    }
    static bool Has(const Colour& colours, Color c) { return colours.contains(c); }
    // Text: pixels darker than every line and fill of the grid.
    static bool Text(const Colour& colours) {
        return std::any_of(colours.begin(), colours.end(),
                           [](Color c) { return c.r < 80 && c.g < 80 && c.b < 80; });
    }
};
} // namespace

TEST_F(WeekPaintTest, EventsAreBoxesInTheCalendarsColoursWithTheirTitleInTheFirstCell) {
    AddEntry("2026-03-02 09:00:00", "2026-03-02 10:30:00", "Long");  // Monday, rows 2 to 4
    AddEntry("2026-03-05 09:00:00", "2026-03-05 09:30:00", "Short"); // Thursday, row 2
    Window();
    const auto first = Colours(2, 2), middle = Colours(3, 2), last = Colours(4, 2);
    EXPECT_TRUE(Has(first, kHeader) && !Has(first, kBody));
    EXPECT_TRUE(Text(first)) << "the title";
    EXPECT_TRUE(Has(middle, kBody) && !Has(middle, kHeader) && !Text(middle));
    EXPECT_TRUE(Has(last, kBody) && !Text(last));
    const auto one = Colours(2, 5);
    EXPECT_TRUE(Has(one, kHeader) && Text(one));
    EXPECT_TRUE(Has(one, RGB(100, 100, 100))) << "the border";
}

TEST_F(WeekPaintTest, StripesTheSelectedDayAndTheBottomRows) {
    AddEntry("2026-03-04 00:00:01", "2026-03-04 00:00:01", "Note");
    AddHoliday("2026-03-06", "Fair day");
    Window();
    EXPECT_TRUE(Has(Colours(0, 1), RGB(220, 220, 220)));
    EXPECT_TRUE(Has(Colours(2, 1), RGB(210, 210, 210)));
    EXPECT_TRUE(Has(Colours(0, 3), RGB(200, 200, 200)) && !Has(Colours(0, 3), RGB(220, 220, 220)))
        << "Tuesday, the selected day";
    const auto note = Colours(26, 4), holiday = Colours(27, 6), plain = Colours(27, 5);
    EXPECT_TRUE(Has(note, RGB(188, 188, 188)));
    EXPECT_TRUE(std::any_of(note.begin(), note.end(), [](Color c) {
        return c.b > 120 && c.r < 60 && c.g < 60;
    })) << "the day note in dark blue";
    EXPECT_TRUE(Text(holiday));
    EXPECT_FALSE(Text(plain));
    EXPECT_EQ(Colours(40, 3), (Colour{RGB(220, 220, 220)})) << "below the last row";
}

TEST_F(WeekPaintTest, ATagWithoutItsEntryPaintsTheBoxAndNoMessage) {
    AddEntry("2026-03-02 09:00:00", "2026-03-02 09:30:00", "Gone");
    Window();
    application.eventDict.Clear();
    EXPECT_TRUE(Has(Colours(2, 2), kHeader));
    EXPECT_TRUE(Messages().empty());
}
