// Switching faces, the week header's paging and pop-ups, the small months and the week grid's
// clicks.
#include "mainwindow/WeekFaceFixture.h"

#include "platform/Graphics.h"
#include "platform/Picture.h"

namespace {
// The month a small month shows, as "YYYY-MM".
std::string MonthShown(const ListBox& list) {
    for (int column = 0; column < 7; ++column) {
        Date day(2000, 1, 1);
        if (ParseDate(list.CellTag(3, column), day)) return day.SQLDate().substr(0, 7);
    }
    return "";
}
} // namespace

class WeekHeaderTest : public WeekFaceTest {
  protected:
    // A click in the navigation strip or the upper zone of a header column.
    void Strip(int column) {
        Window().GlanceHeader_CellClick(0, column, 5, Window().GlanceHeader->RowHeight() - 2);
    }
    void Upper(int column) { Window().GlanceHeader_CellClick(0, column, 5, 2); }
    std::string Selected() const { return application.selectedDate.SQLDate(); }
    void Open(const Date& day) {
        CalendarWindow& window = Window();
        const auto [x, y] = PointOf(window, day);
        window.Calendar_MouseDown(x, y);
    }
};

TEST_F(WeekHeaderTest, AClickOnADayShowsItsWeekAndTheReturnArrowBringsTheYearBack) {
    CalendarWindow& window = Window();
    window.tipCanvas->SetVisible(true);
    Open(Date(2026, 3, 18));
    EXPECT_FALSE(window.Calendar->Visible());
    for (RectControl* panel :
         std::vector<RectControl*>{window.GlanceHeader, window.GlanceList, window.MiniCalList[0],
                                   window.TodoList, window.ToDoListHeader})
        EXPECT_TRUE(panel->Visible()) << panel->Name();
    EXPECT_FALSE(window.MiniCalList[1]->Visible()) << "the second month waits for the toggle";
    EXPECT_FALSE(window.tipCanvas->Visible());
    EXPECT_EQ(Codes(4, 0, 0), "-");
    Strip(12);
    EXPECT_FALSE(window.Calendar->Visible()) << "the strip under the arrow is the next month";
    Upper(12);
    EXPECT_TRUE(window.Calendar->Visible());
    EXPECT_FALSE(window.GlanceList->Visible());
    EXPECT_EQ(EventFile(), "Events Data:\n");
    EXPECT_EQ(Selected(), "2026-04-18");
}

TEST_F(WeekHeaderTest, PagingByWeekAndMonthKeepsTheDayWithinTheMonth) {
    const struct {
        const char* from;
        int column;
        const char* to;
    } cases[] = {
        {"2026-03-03", 8, "2026-02-24"},  {"2026-12-28", 9, "2027-01-04"},
        {"2026-03-31", 11, "2026-02-28"}, {"2028-03-31", 11, "2028-02-29"},
        {"2026-01-31", 12, "2026-02-28"}, {"2026-12-15", 12, "2027-01-15"},
    };
    CalendarWindow& window = Window();
    for (const auto& c : cases) {
        Select(std::string(c.from) + " 00:00:00");
        Strip(c.column);
        EXPECT_EQ(Selected(), c.to) << c.from << " column " << c.column;
        EXPECT_EQ(MonthShown(*window.MiniCalList[0]), std::string(c.to).substr(0, 7));
    }
    Select("2026-03-03 00:00:00");
    for (int column : {0, 3, 6, 7, 8, 9, 10, 11})
        Upper(column);
    EXPECT_EQ(Selected(), "2026-03-03") << "the upper zone only answers at 4, 5 and 12";
    EXPECT_TRUE(TestSeams::Menus().empty());
}

TEST_F(WeekHeaderTest, TheMonthAndYearPopUpsPickAMonthAndOneOfTheThreeYears) {
    Window();
    std::string answer;
    TestSeams::AnswerMenus([&](const auto&) { return answer; });
    Select("2026-03-31 00:00:00");
    answer = "";
    Upper(4);
    EXPECT_EQ(Selected(), "2026-03-31");
    answer = "February";
    Upper(4);
    EXPECT_EQ(Selected(), "2026-02-28");
    Select("2028-02-29 00:00:00");
    answer = "2027";
    Upper(5);
    EXPECT_EQ(Selected(), "2027-02-28");
    std::vector<std::string> years;
    for (const auto& entry : TestSeams::Menus().back())
        years.push_back(entry.text);
    EXPECT_EQ(years, (std::vector<std::string>{"2025", "2026", "2027"}));
    EXPECT_EQ(TestSeams::Menus()[0].size(), 12u);
}

TEST_F(WeekHeaderTest, TheSecondMonthPushesTheToDoListDownAndGivesItsHeightBack) {
    for (int screenHeight : {900, 560}) {
        UseScreen(1440, screenHeight, 24);
        CalendarWindow& window = Window();
        ListBox& todo = *window.TodoList;
        const int top = todo.Top(), height = todo.Height(), header = window.ToDoListHeader->Top();
        const int m0 = window.MiniCalList[0]->Height();
        Open(Date(2026, 3, 18));
        Strip(10);
        EXPECT_TRUE(window.MiniCalList[1]->Visible());
        EXPECT_EQ(todo.Top(), top + m0);
        EXPECT_EQ(window.ToDoListHeader->Top(), header + m0);
        EXPECT_EQ(todo.Height(), std::max(0, height - m0)) << screenHeight;
        window.GlanceOff();
        window.GlanceOn();
        EXPECT_TRUE(window.MiniCalList[1]->Visible()) << "kept across faces";
        Strip(10);
        EXPECT_FALSE(window.MiniCalList[1]->Visible());
        EXPECT_EQ((std::vector<int>{todo.Top(), todo.Height(), window.ToDoListHeader->Top()}),
                  (std::vector<int>{top, height, header}))
            << screenHeight;
        window.Close();
    }
}

TEST_F(WeekHeaderTest, TheReturnArrowLightsUpUnderThePointer) {
    CalendarWindow& window = Window();
    calList& header = *window.GlanceHeader;
    const int arrowX = header.ColumnLeft(12) + 10;
    window.GlanceHeader_MouseMove(10, 5);
    EXPECT_FALSE(header.MouseEnteredColumn[0]);
    window.GlanceHeader_MouseMove(arrowX, 5);
    EXPECT_TRUE(header.MouseEnteredColumn[0]);
    window.GlanceHeader_MouseExit();
    EXPECT_FALSE(header.MouseEnteredColumn[0]);
}

TEST_F(WeekHeaderTest, SmallMonthsShowTheMonthTheyHoldAndPickAnotherWeek) {
    Select("2026-01-31 10:00:00");
    CalendarWindow& window = Window();
    window.ReloadCalLists();
    EXPECT_EQ(MonthShown(*window.MiniCalList[0]), "2026-01");
    EXPECT_EQ(MonthShown(*window.MiniCalList[1]), "2026-02");
    const auto title = [&](int index) {
        Picture picture(window.MiniCalList[index]->Width(), window.MiniCalList[index]->RowHeight());
        for (int column = 0; column < 7; ++column)
            window.MiniCalList_CellBackgroundPaint(index, picture.Graphics(), 0, column);
        std::string pixels;
        for (int x = 0; x < picture.Width(); ++x)
            for (int y = 0; y < picture.Height(); ++y)
                pixels += picture.Pixel(x, y) == RGB(255, 255, 255) ? '.' : '#';
        return pixels;
    };
    const std::string january = title(0), february = title(1);
    EXPECT_NE(january, february);

    calList& second = *window.MiniCalList[1];
    EXPECT_TRUE(window.MiniCalList_CellClick(1, 0, 3, 2, 2)) << "the title row has no date";
    EXPECT_FALSE(window.MiniCalList_CellClick(1, 3, 2, 2, 2)); // Tuesday 10 February
    EXPECT_EQ(application.selectedDate.SQLDate(), "2026-02-10");
    EXPECT_EQ(window.MiniCalList[0]->ListIndex(), -1);
    EXPECT_EQ(MonthShown(second), "2026-02");
    EXPECT_EQ(title(0), january) << "the first month keeps its own title";
    EXPECT_EQ(title(1), february);
    EXPECT_TRUE(window.MiniCalList_KeyDown(0, "Down"));
}

namespace {
struct ClickCase {
    int row;
    int column; // 8: the grid's right edge
    const char* selected;
};
} // namespace

TEST_F(WeekFaceTest, AClickOnTheWeekGridPicksTheSlotTheDayNoteOrTheEventsStart) {
    AddEntry("2026-03-04 09:00:00", "2026-03-04 11:00:00", "Two hours");
    CalendarWindow& window = Window();
    calList& grid = *window.GlanceList;
    const ClickCase cases[] = {
        {5, 3, "2026-03-03 10:30:00"},  {0, 1, "2026-03-01 08:00:00"},
        {25, 7, "2026-03-07 20:30:00"}, {26, 2, "2026-03-02 00:00:01"},
        {4, 4, "2026-03-04 09:00:00"},  {5, 4, "2026-03-04 09:00:00"},
        {2, 8, "2026-03-07 09:00:00"},  {27, 3, "2026-03-03 12:00:00"},
        {3, 0, "2026-03-03 12:00:00"},
    };
    for (const ClickCase& c : cases) {
        Select("2026-03-03 12:00:00");
        const int x = c.column == 8 ? grid.Width() - 1 : grid.ColumnLeft(c.column) + 3;
        // A click on a slot or the day-note row opens the event editor, closed here at once.
        const bool opens = c.row <= 26 && c.column != 0;
        if (opens) TestSeams::WhenModal([](::Window&) {});
        EXPECT_TRUE(window.GlanceList_MouseDown(x, c.row * grid.RowHeight() + 2));
        EXPECT_EQ(application.selectedDate.SQLDateTime(), c.selected)
            << "row " << c.row << " column " << c.column;
        if (c.row < 28) EXPECT_EQ(grid.Cell(c.row, std::min(c.column, 7)), "");
    }
    Select("2026-04-01 12:00:00"); // a Wednesday; its Sunday lies in March
    TestSeams::WhenModal([](::Window&) {});
    window.GlanceList_MouseDown(grid.ColumnLeft(1) + 3, 2);
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2026-03-29 08:00:00");
    EXPECT_TRUE(window.GlanceList_KeyDown("Down"));
}
