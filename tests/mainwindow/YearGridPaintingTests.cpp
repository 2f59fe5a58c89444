// Pixels of the painted year grid on a 1440 x 900 screen at a fixed day, 10 March 2026.
#include "mainwindow/YearGridFixture.h"

#include "platform/Graphics.h"

#include <cstdlib>
#include <functional>

namespace {
constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kGrey = RGB(200, 200, 200);
constexpr Color kDays = RGB(0, 0, 160);
constexpr Color kYear = RGB(0, 140, 0);

bool Near(Color a, Color b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) < 60;
}

class YearPaintTest : public YearGridTest {
  protected:
    YearPaintTest() {
        Customization().calendarStartYear = 2025;
        Customization().daysColor = kDays;
        Customization().yearColor = kYear;
        FixToday(Date(2026, 3, 10, 12, 0));
    }
    // The grid painted on white.
    Picture& Paint(CalendarWindow& window) {
        shot = std::make_unique<Picture>(window.Calendar->Width(), window.Calendar->Height());
        window.Calendar_Paint(shot->Graphics());
        return *shot;
    }
    int Count(int x, int y, int width, int height, const std::function<bool(Color)>& test) const {
        int count = 0;
        for (int j = y; j < y + height; ++j)
            for (int i = x; i < x + width; ++i)
                count += test(shot->Pixel(i, j));
        return count;
    }
    // The box of a date's cell in the shown year: left, top, width, height.
    struct Box {
        int x, y, w, h;
    };
    static Box BoxOf(const CalendarWindow& window, const Date& date) {
        const calCanvas& grid = *window.Calendar;
        const GridCell cell = Cell(window, date);
        return {static_cast<int>(grid.LeftMarginWidth + cell.column * grid.ColumnsWidth),
                grid.MarginHeight + (cell.row % 27 - 1) * grid.DefaultRowHeight, grid.ColumnsWidth,
                grid.DefaultRowHeight};
    }
    // The longest horizontal run of day-coloured pixels in the rows just under a cell's text.
    int UnderlineRun(const CalendarWindow& window, const Date& date) const {
        const Box box = BoxOf(window, date);
        int longest = 0;
        for (int y = box.y + box.h + 1; y <= box.y + box.h + 3; ++y)
            for (int x = box.x, run = 0; x < box.x + box.w; ++x) {
                run = Near(shot->Pixel(x, y), kDays) ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        return longest;
    }
    std::unique_ptr<Picture> shot;
};
} // namespace

TEST_F(YearPaintTest, TodayIsCircledInRedOnlyInItsOwnYear) {
    CalendarWindow& window = CalendarWindow::Instance();
    Paint(window);
    const Box box = BoxOf(window, Date(2026, 3, 10));
    const auto red = [](Color c) { return c == kRed; };
    const int inside = Count(box.x - 3, box.y - 3, box.w + 6, box.h + 6, red);
    EXPECT_GT(inside, 20);
    EXPECT_EQ(Count(0, 0, shot->Width(), shot->Height(), red), inside) << "one circle only";

    window.PageNextYear();
    Paint(window);
    EXPECT_EQ(Count(0, 0, shot->Width(), shot->Height(), red), 0);
}

TEST_F(YearPaintTest, DaysWithEventsAreUnderlinedAndSpecialDaysHatched) {
    AddEntry("2026-03-17 18:00:00", "2026-03-17 19:00:00", "Dinner");
    AddEntry("2026-03-19 09:00:00", "2026-03-19 10:00:00", "Fair", "Special");
    AddEntry("2026-03-19 18:00:00", "2026-03-19 19:00:00", "Dinner");
    AddEntry("2026-03-20 18:00:00", "2026-03-20 19:00:00", "a special evening");
    CalendarWindow& window = CalendarWindow::Instance();
    Paint(window);
    EXPECT_GE(UnderlineRun(window, Date(2026, 3, 17)), 10);
    EXPECT_LT(UnderlineRun(window, Date(2026, 3, 18)), 5) << "no events, no line";
    const auto grey = [](Color c) { return c == kGrey; };
    for (const int day : {19, 20}) {
        const Box box = BoxOf(window, Date(2026, 3, day));
        EXPECT_GT(Count(box.x, box.y, box.w, box.h + 4, grey), 100) << day;
        EXPECT_LT(UnderlineRun(window, Date(2026, 3, day)), 5) << "hatched, not underlined";
    }
    const Box plain = BoxOf(window, Date(2026, 3, 18));
    EXPECT_EQ(Count(plain.x, plain.y, plain.w, plain.h, grey), 0);
}

TEST_F(YearPaintTest, YearDigitsComeFromTheEditionsPicturesOrElseFromText) {
    CustomizationModule& module = Customization();
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    const int x = static_cast<int>((grid.LeftMarginWidth + grid.ColumnsWidth) / 2);
    // Text: four characters in the year colour, in the left margin.
    Paint(window);
    const auto year = [](Color c) { return Near(c, kYear); };
    EXPECT_GT(Count(0, 0, static_cast<int>(grid.LeftMarginWidth), grid.Height(), year), 400);
    EXPECT_EQ(Count(static_cast<int>(grid.LeftMarginWidth), 0,
                    grid.Width() - static_cast<int>(grid.LeftMarginWidth), grid.Height(), year),
              0);

    // Pictures: each digit its own colour, 20 x 30 on a screen that keeps their size.
    module.backgroundImage = std::make_shared<Picture>(1440, 876);
    module.yearNumber.clear();
    for (int digit = 0; digit < 10; ++digit) {
        auto picture = std::make_shared<Picture>(20, 30);
        picture->Graphics().ForeColor = RGB(20 * digit, 50, 100);
        picture->Graphics().FillRect(0, 0, 20, 30);
        module.yearNumber.push_back(picture);
    }
    window.LoadBackgroundImage();
    const int top = static_cast<int>(grid.Height() / 2.0 - 60 - 20);
    const auto digits = [&] {
        Paint(window);
        std::string shown;
        for (int i = 1; i <= 4; ++i)
            shown += static_cast<char>('0' + shot->Pixel(x, top + i * 30 + 15).r / 20);
        return shown;
    };
    EXPECT_EQ(digits(), "2026");
    module.yearImageStartYear = 2000;
    EXPECT_EQ(digits(), "2600") << "the text of 26 has two characters; the rest count as 0";
    EXPECT_EQ(Count(0, 0, grid.Width(), grid.Height(), year), 0);
}

TEST_F(YearPaintTest, StripesAndDividersFollowTheirSwitches) {
    CustomizationModule& module = Customization();
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    const int right = grid.Width() - 3;
    const int dividerX =
        static_cast<int>(grid.LeftMarginWidth + 8 * grid.ColumnsWidth + grid.ColumnsWidth / 3.0);
    const int dividerY = grid.MarginHeight + grid.DefaultRowHeight + 5;
    Paint(window);
    EXPECT_EQ(shot->Pixel(right, 1), kWhite);
    EXPECT_EQ(shot->Pixel(dividerX, dividerY), kGrey);

    module.includeStriping = true;
    module.hideMonthDividers = true;
    Paint(window);
    EXPECT_EQ(shot->Pixel(right, 1), RGB(240, 240, 240));
    EXPECT_EQ(shot->Pixel(right, 5), RGB(240, 240, 240));
    EXPECT_EQ(shot->Pixel(right, 3), kWhite);
    EXPECT_NE(shot->Pixel(dividerX, dividerY), kGrey);
}
