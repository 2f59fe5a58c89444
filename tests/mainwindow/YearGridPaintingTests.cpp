// Pixels of the painted year grid on a 1440 x 900 screen on 10 March 2026.
#include "mainwindow/YearGridFixture.h"

#include "support/PictureTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace {
constexpr Color kGrey = RGB(200, 200, 200);
constexpr Color kDays = RGB(0, 0, 160);
constexpr Color kYear = RGB(0, 140, 0);

bool Near(Color a, Color b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 60;
}

class YearPaintTest : public YearGridTest {
  protected:
    // Paints the grid on white.
    void Paint() {
        shot = std::make_unique<Picture>(grid.Width(), grid.Height());
        window.Calendar_Paint(shot->Graphics());
    }
    // Pixels that pass test in a rectangle; the whole grid by default.
    int Count(const std::function<bool(Color)>& test, int x = 0, int y = 0, int w = 1 << 14,
              int h = 1 << 14) const {
        int count = 0;
        for (int j = y; j < std::min(y + h, shot->Height()); ++j)
            for (int i = x; i < std::min(x + w, shot->Width()); ++i)
                count += test(shot->Pixel(i, j));
        return count;
    }
    // Pixels that pass test in a day's cell box and 3 pixels round it; a day of March by default.
    int InBox(int day, const std::function<bool(Color)>& test) const {
        return InBox(Date(2026, 3, day), test);
    }
    int InBox(const Date& date, const std::function<bool(Color)>& test) const {
        const GridCell cell = Cell(window, date);
        return Count(test,
                     static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth) - 3,
                     grid.MarginHeight + (cell.row % 27 - 1) * grid.DefaultRowHeight - 3,
                     grid.ColumnsWidth + 6, grid.DefaultRowHeight + 6);
    }
    // The longest run of day-coloured pixels in the three rows under a day's baseline.
    int UnderlineRun(int day) const {
        const GridCell cell = Cell(window, Date(2026, 3, day));
        const int left = static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth);
        const int baseline = grid.MarginHeight + (cell.row % 27) * grid.DefaultRowHeight;
        int longest = 0;
        for (int y = baseline + 1; y <= baseline + 3; ++y)
            for (int x = left, run = 0; x < left + grid.ColumnsWidth; ++x)
                longest = std::max(longest, run = Near(shot->Pixel(x, y), kDays) ? run + 1 : 0);
        return longest;
    }
    // Everything the grid is built from, set before the window opens.
    bool Prepare() {
        Customization().calendarStartYear = 2025;
        Customization().daysColor = kDays;
        Customization().yearColor = kYear;
        FixToday(Date(2026, 3, 10, 12, 0));
        AddEntry("2026-03-17 18:00:00", "2026-03-17 19:00:00", "Dinner");
        AddEntry("2026-03-19 09:00:00", "2026-03-19 10:00:00", "Fair", "Special");
        AddEntry("2026-03-19 18:00:00", "2026-03-19 19:00:00", "Dinner");
        AddEntry("2026-03-20 18:00:00", "2026-03-20 19:00:00", "a special evening");
        // Busy days: one with a special event among hundreds and a near miss before it, one of
        // hundreds of ordinary events.
        for (int i = 0; i < 300; ++i) {
            char minute[20];
            std::snprintf(minute, sizeof minute, "%02d:%02d:00", 8 + i / 60, i % 60);
            AddEntry(std::string("2026-03-24 ") + minute, "2026-03-24 20:00:00",
                     i == 199 ? "Specia" : "Meeting", i == 200 ? "SPECIAL" : "");
            AddEntry(std::string("2026-03-25 ") + minute, "2026-03-25 20:00:00", "Meeting");
        }
        return true;
    }
    bool prepared = Prepare();
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    std::unique_ptr<Picture> shot;
};
} // namespace

// Days 4 to 10 of every month fall on all seven weekdays: every column of every block.
TEST_F(YearPaintTest, EveryWeekdayColumnIsPaintedTodayCircledEventsUnderlinedSpecialsHatched) {
    Paint();
    for (int month = 1; month <= 12; ++month)
        for (int day = 4; day <= 10; ++day)
            EXPECT_GT(InBox(Date(2026, month, day), [](Color c) { return Near(c, kDays); }), 0)
                << month << "/" << day;
    const auto red = [](Color c) { return c == RGB(255, 0, 0); };
    EXPECT_GT(InBox(10, red), 20);
    EXPECT_EQ(Count(red), InBox(10, red)) << "one circle, round today";
    EXPECT_GE(UnderlineRun(17), 10);
    EXPECT_GE(UnderlineRun(25), 10) << "hundreds of ordinary events";
    EXPECT_LT(UnderlineRun(18), 5) << "no events, no line";
    const auto grey = [](Color c) { return c == kGrey; };
    EXPECT_EQ(InBox(18, grey), 0);
    // A special kind, or the word in a title: hatched, not underlined.
    for (const int day : {19, 20, 24}) {
        EXPECT_GT(InBox(day, grey), 100) << day;
        EXPECT_LT(UnderlineRun(day), 5) << day;
    }
    window.PageNextYear();
    Paint();
    EXPECT_EQ(Count(red), 0) << "today lies in another year";
}

TEST_F(YearPaintTest, YearDigitsComeFromTheEditionsPicturesOrElseFromText) {
    const int margin = static_cast<int>(grid.LeftMarginWidth);
    const auto year = [](Color c) { return Near(c, kYear); };
    Paint();
    EXPECT_GT(Count(year, 0, 0, margin), 400) << "text in the left margin";
    EXPECT_EQ(Count(year, margin, 0), 0);

    // Each digit its own colour, 20 x 30, on a screen that keeps their size.
    CustomizationModule& module = Customization();
    module.backgroundImage = std::make_shared<Picture>(1440, 876);
    for (int digit = 0; digit < 10; ++digit)
        module.yearNumber.push_back(FilledPicture(20, 30, RGB(20 * digit, 50, 100)));
    window.LoadBackgroundImage();
    const int x = static_cast<int>((grid.LeftMarginWidth + grid.ColumnsWidth) / 2);
    const int top = static_cast<int>(grid.Height() / 2.0 - 60 - 20);
    const auto digits = [&] {
        Paint();
        std::string shown;
        for (int i = 1; i <= 4; ++i)
            shown += static_cast<char>('0' + shot->Pixel(x, top + i * 30 + 15).r / 20);
        return shown;
    };
    EXPECT_EQ(digits(), "2026");
    EXPECT_EQ(Count(year), 0);
    module.yearImageStartYear = 2000;
    EXPECT_EQ(digits(), "2600") << "26 has two characters; the others count as 0";
}

TEST_F(YearPaintTest, StripesAndDividersFollowTheirSwitches) {
    const auto stripe = [](Color c) { return c == RGB(240, 240, 240); };
    const auto grey = [](Color c) { return c == kGrey; };
    Paint();
    const int greyWithDividers = Count(grey), stripeWithout = Count(stripe);
    Customization().includeStriping = Customization().hideMonthDividers = true;
    Paint();
    EXPECT_GT(Count(stripe), stripeWithout + 1000);
    EXPECT_LT(Count(grey), greyWithDividers);
}
