// Clicks on the year grid, paging by keys, arrows and wheel, and a selected date that lies
// outside the three years.
#include "mainwindow/YearGridFixture.h"

#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

TEST_F(YearGridTest, AClickOnADaySelectsIt) {
    AddEntry("2010-02-16 18:00:00", "2010-02-16 19:00:00", "Dinner");
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    const auto [x, y] = PointOf(window, Date(2010, 2, 16));
    const int letters = grid.MarginHeight + grid.DefaultRowHeight + 3;
    const int gap = static_cast<int>(grid.LeftMarginWidth) + 3 + 16 * grid.ColumnsWidth;
    // A weekday letter, a month name, a gap column, above the first row: nothing happens.
    for (const auto& [px, py] : {std::pair{x, letters},
                                 {x, letters - grid.DefaultRowHeight},
                                 {gap, y},
                                 {x, grid.MarginHeight - 30}})
        EXPECT_TRUE(window.Calendar_MouseDown(px, py));
    EXPECT_EQ(application.selectedDate.SQLDate(), "2010-06-15");

    // 2010 is the second year, so its rows are read, and the event does not disturb the date.
    Simulate::Click(window, x, grid.Top() + y);
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2010-02-16 00:00:00");
}

TEST_F(YearGridTest, PagingStopsAtTheFirstAndTheThirdYear) {
    CalendarWindow& window = CalendarWindow::Instance();
    const auto after = [&](const std::function<void()>& page, int times) {
        for (int i = 0; i < times; ++i)
            page();
        return application.selectedDate.Year();
    };
    const auto key = [&](const char* name) {
        return [&window, name] { Simulate::Key(window, name); };
    };
    EXPECT_EQ(after(key("PgDown"), 3), 2011);
    EXPECT_EQ(after(key("Up"), 3), 2009);
    EXPECT_EQ(after(key("Down"), 1), 2010);
    EXPECT_EQ(after(key("PgUp"), 1), 2009);

    // One page per wheel event, over the grid or elsewhere on the window.
    const int overGrid = window.Calendar->Top() + 100;
    EXPECT_EQ(after([&] { Simulate::Wheel(window, 700, overGrid, 0, 1); }, 3), 2011);
    EXPECT_EQ(after([&] { Simulate::Wheel(window, 700, overGrid, -1, 0); }, 1), 2010);
    EXPECT_EQ(after([&] { Simulate::Wheel(window, 700, 10, 0, -1); }, 2), 2009);
    // The badge and the quick-start help over the grid let the wheel through to it.
    window.CountdownCanvas->SetBounds(600, overGrid - 50, 118, 130);
    window.CountdownCanvas->SetVisible(true);
    EXPECT_EQ(after([&] { Simulate::Wheel(window, 650, overGrid, 0, 1); }, 1), 2010);
    window.QuickStartHelp->SetVisible(true);
    EXPECT_EQ(after([&] { Simulate::Wheel(window, 650, overGrid, 0, -1); }, 1), 2009);

    // The arrows at the grid's top right: the lower one pages on, the upper one back.
    const UpDownArrows& arrows = *window.CalendarScrollButton;
    EXPECT_EQ((std::pair{arrows.Left(), arrows.Top()}), (std::pair{1440 - 13 - 5, 71 + 4}));
    EXPECT_EQ(after([&] { Simulate::Click(window, arrows.Left() + 6, arrows.Top() + 18); }, 3),
              2011);
    EXPECT_EQ(after([&] { Simulate::Click(window, arrows.Left() + 6, arrows.Top() + 3); }, 1),
              2010);
}

TEST_F(YearGridTest, PagingKeepsTheDayAndMovesTwentyNinthFebruaryToMarch) {
    FixToday(Date(2012, 2, 29, 9, 30));
    Customization().calendarStartYear = 2011;
    CalendarWindow::Instance().PageNextYear();
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2013-03-01 09:30:00");
}

// A selected date outside the three years (a week paged past their ends, an edition that leaves
// out today): the grid shows the nearest of them, as it would a date of its own, and pages from it.
TEST_F(YearGridTest, ASelectedYearOutsideTheGridShowsTheNearestOfTheThree) {
    AddEntry("2011-01-01 09:00:00", "2011-01-01 10:00:00", "Party");
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    const auto painted = [&](int year) {
        application.selectedDate.SetYear(year);
        Picture shot(grid.Width(), grid.Height());
        window.Calendar_Paint(shot.Graphics());
        std::string pixels;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) {
                const Color c = shot.Pixel(x, y);
                pixels.append({char(c.r), char(c.g), char(c.b)});
            }
        return pixels;
    };
    const struct {
        int selected, shown;
        const char* key;
        int paged; // the selected year after the key
    } cases[] = {
        {2008, 2009, "PgDown", 2010},
        {2008, 2009, "Up", 2008},
        {2040, 2011, "PgUp", 2010},
        {2012, 2011, "Down", 2012},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(painted(c.selected) == painted(c.shown)) << c.selected;
        application.selectedDate.SetYear(c.selected);
        Simulate::Key(window, c.key);
        EXPECT_EQ(application.selectedDate.Year(), c.paged) << c.selected << " " << c.key;
    }
    application.selectedDate.SetYear(2040);
    const auto [x, y] = PointOf(window, Date(2011, 1, 1));
    window.Calendar_MouseDown(x, y);
    EXPECT_EQ(application.selectedDate.SQLDate(), "2011-01-01");
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}
