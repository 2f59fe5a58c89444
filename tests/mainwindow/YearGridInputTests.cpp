// Clicks on the year grid, paging by keys, arrows and wheel, and a selected date that lies
// outside the three years.
#include "mainwindow/YearGridFixture.h"

#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

TEST_F(YearGridTest, AClickOnADaySelectsItAndPutsTheYearAway) {
    AddEntry("2010-02-16 18:00:00", "2010-02-16 19:00:00", "Dinner");
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    // Cells that are not days: a weekday letter, a month name, a gap column, above the rows.
    const auto [x, y] = PointOf(window, Date(2010, 2, 16));
    for (const auto& [px, py] : std::vector<std::pair<int, int>>{
             {x, grid.MarginHeight + grid.DefaultRowHeight + 3},
             {static_cast<int>(grid.LeftMarginWidth) + 3 + 17 * grid.ColumnsWidth,
              grid.MarginHeight + 3},
             {static_cast<int>(grid.LeftMarginWidth) + 3 + 16 * grid.ColumnsWidth, y},
             {x, grid.MarginHeight - 30}}) {
        EXPECT_TRUE(window.Calendar_MouseDown(px, py));
        EXPECT_EQ(application.selectedDate.SQLDate(), "2010-06-15");
    }
    EXPECT_TRUE(grid.Visible());

    // The second year is shown, so its rows are read: the day with an event is 16 February 2010.
    Simulate::Click(window, x, grid.Top() + y);
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2010-02-16 00:00:00");
    EXPECT_FALSE(grid.Visible()) << "the week face takes the year's place";
}

TEST_F(YearGridTest, PagingStopsAtTheFirstAndTheThirdYear) {
    CalendarWindow& window = CalendarWindow::Instance();
    const auto year = [this] { return application.selectedDate.Year(); };
    const auto keys = [&](const std::string& key, int times) {
        for (int i = 0; i < times; ++i)
            Simulate::Key(window, key);
        return year();
    };
    EXPECT_EQ(keys("PgDown", 3), 2011);
    EXPECT_EQ(keys("PgUp", 1), 2010);
    EXPECT_EQ(keys("Up", 3), 2009);
    EXPECT_EQ(keys("Down", 1), 2010);

    // One page per wheel event, over the grid or elsewhere on the window.
    const int gridY = window.Calendar->Top() + 100;
    Simulate::Wheel(window, 700, gridY, 0, 1);
    EXPECT_EQ(year(), 2011);
    Simulate::Wheel(window, 700, gridY, 0, 1);
    EXPECT_EQ(year(), 2011);
    Simulate::Wheel(window, 700, gridY, -1, 0);
    EXPECT_EQ(year(), 2010);
    Simulate::Wheel(window, 700, 10, 0, -1);
    EXPECT_EQ(year(), 2009);
    Simulate::Wheel(window, 700, 10, 0, -1);
    EXPECT_EQ(year(), 2009);

    // The arrows sit at the grid's top right: the upper one goes back, the lower one on.
    const UpDownArrows& arrows = *window.CalendarScrollButton;
    EXPECT_EQ(arrows.Parent(), window.Calendar);
    EXPECT_EQ((std::pair{arrows.Left(), arrows.Top()}), (std::pair{1440 - 13 - 5, 71 + 4}));
    for (int i = 0; i < 3; ++i)
        Simulate::Click(window, arrows.Left() + 6, arrows.Top() + 18);
    EXPECT_EQ(year(), 2011);
    Simulate::Click(window, arrows.Left() + 6, arrows.Top() + 3);
    EXPECT_EQ(year(), 2010);
}

TEST_F(YearGridTest, PagingKeepsTheDayAndMovesTwentyNinthFebruaryToMarch) {
    FixToday(Date(2012, 2, 29, 9, 30));
    Customization().calendarStartYear = 2011;
    CalendarWindow& window = CalendarWindow::Instance();
    window.PageNextYear();
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2013-03-01 09:30:00");
    window.PagePreviousYear();
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2012-03-01 09:30:00");
}

TEST_F(YearGridTest, ASelectedYearOutsideTheGridReadsNoMissingCell) {
    AddEntry("2011-01-01 09:00:00", "2011-01-01 10:00:00", "Party");
    CalendarWindow& window = CalendarWindow::Instance();
    const calCanvas& grid = *window.Calendar;
    Picture shot(grid.Width(), grid.Height());
    for (const int year : {2008, 2012, 2040}) {
        application.selectedDate.SetYear(year);
        for (int y = 0; y < grid.Height(); y += 7)
            for (int x = 0; x < grid.Width(); x += 11) {
                window.Calendar_MouseMove(x, y);
                window.Calendar_MouseDown(x, y);
            }
        window.Calendar_Paint(shot.Graphics());
        EXPECT_EQ(application.selectedDate.Year(), year);
    }
    EXPECT_TRUE(grid.Visible());
    EXPECT_FALSE(window.tipCanvas->Visible());
    EXPECT_TRUE(TestSeams::Dialogs().empty()) << "no failure reached the application";
}
