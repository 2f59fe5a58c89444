// Switching faces, the week header's paging and pop-ups, the small months and the week grid's
// clicks.
#include "mainwindow/WeekFaceFixture.h"

#include "customisation/BuiltInPictures.h"
#include "editors/GlanceInputWindow.h"
#include "mainwindow/yearview/YearGrid.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Simulate.h"

class WeekHeaderTest : public WeekFaceTest {
  protected:
    // A click in the navigation strip or the upper zone of a header column.
    void Strip(int column) {
        Window().GlanceHeader_CellClick(0, column, 5, Window().GlanceHeader->RowHeight() - 2);
    }
    void Upper(int column) { Window().GlanceHeader_CellClick(0, column, 5, 2); }
    std::string Selected() const { return application.selectedDate.SQLDate(); }
    // The month a small month shows, as "YYYY-MM", from a day of its second week.
    std::string MonthShown(int index) {
        Date day(2000, 1, 1);
        ParseDate(Window().MiniCalList[index]->CellTag(3, 0), day);
        return day.SQLDate().substr(0, 7);
    }
    void Open(const Date& day) {
        const auto [x, y] = PointOf(Window(), day);
        Window().Calendar_MouseDown(x, y);
    }
};

TEST_F(WeekHeaderTest, AClickOnADayShowsItsWeekWithoutTheHoverTipAndTheArrowBringsTheYearBack) {
    CalendarWindow& window = Window();
    window.tipCanvas->SetVisible(true);
    Open(Date(2026, 3, 18));
    EXPECT_TRUE(!window.Calendar->Visible() && window.GlanceList->Visible() &&
                window.TodoList->Visible() && !window.MiniCalList[1]->Visible());
    EXPECT_FALSE(window.tipCanvas->Visible());
    // Which of the two arrow pictures the return arrow's cell matches more closely.
    const auto arrowLit = [&] {
        const int w = window.GlanceHeader->ColumnWidth(12);
        Picture cell(w, window.GlanceHeader->RowHeight());
        window.GlanceHeader_CellBackgroundPaint(cell.Graphics(), 0, 12);
        const auto matching = [&](const PicturePtr& arrow) {
            int count = 0;
            for (int y = 0; y < arrow->Height(); ++y)
                for (int x = 0; x < arrow->Width(); ++x)
                    count += cell.Pixel(w - arrow->Width() - 2 + x, 8 + y) == arrow->Pixel(x, y);
            return count;
        };
        return matching(returnArrowNewMO()) > matching(returnArrowNew());
    };
    EXPECT_FALSE(arrowLit());
    const bool& lit = window.GlanceHeader->MouseEnteredColumn[0];
    window.GlanceHeader_MouseMove(window.GlanceHeader->ColumnLeft(12) + 10, 5);
    EXPECT_TRUE(lit) << "the arrow lights up under the pointer";
    EXPECT_TRUE(arrowLit());
    window.GlanceHeader_MouseMove(10, 5);
    EXPECT_FALSE(lit);
    EXPECT_FALSE(arrowLit());
    Strip(12);
    EXPECT_FALSE(window.Calendar->Visible()) << "the strip under the arrow is the next month";
    Upper(12);
    EXPECT_TRUE(window.Calendar->Visible() && !window.GlanceList->Visible());
    EXPECT_EQ(Selected(), "2026-04-18");
}

// The second click of a double click on a day lands on the week grid that the first showed: it
// opens no editor. A double click on one control, a to-do row, still reaches it.
TEST_F(WeekHeaderTest, ADoubleClickOnADayShowsItsWeekAndOpensNoEditor) {
    CalendarWindow& window = Window();
    bool editorOpened = false;
    TestSeams::WhenModal([&](::Window&) { editorOpened = true; });
    const auto [x, y] = PointOf(window, Date(2026, 5, 13));
    Simulate::DoubleClick(window, window.Calendar->Left() + x, window.Calendar->Top() + y);
    EXPECT_TRUE(window.GlanceList->Visible());
    EXPECT_FALSE(editorOpened);
    EXPECT_EQ(application.selectedDate.SQLDateTime(), "2026-05-13 00:00:00");

    ListBox& todo = *window.TodoList;
    todo.AddRow();
    todo.SetCell(0, 1, "Buy milk");
    Simulate::DoubleClick(window, todo.Left() + 40, todo.Top() + 5);
    EXPECT_NE(todo.ActiveCell(), nullptr) << "the row is open for editing";
}

TEST_F(WeekHeaderTest, PagingAndThePopUpsKeepTheDayWithinTheMonth) {
    const struct {
        const char* from;
        int column;     // of the strip; 4 and 5 are the month and year pop-ups
        const char* to; // with the pop-up's answer after it
    } cases[] = {
        {"2026-03-31", 4, "2026-03-31"}, // the pop-up dismissed
        {"2026-03-03", 8, "2026-02-24"},         {"2026-12-28", 9, "2027-01-04"},
        {"2026-03-31", 11, "2026-02-28"},        {"2028-03-31", 11, "2028-02-29"},
        {"2026-01-31", 12, "2026-02-28"},        {"2026-12-15", 12, "2027-01-15"},
        {"2026-03-31", 4, "2026-02-28February"}, {"2028-02-29", 5, "2027-02-282027"},
    };
    Window();
    std::string answer;
    TestSeams::AnswerMenus([&](const auto&) { return answer; });
    for (const auto& c : cases) {
        Select(std::string(c.from) + " 00:00:00");
        answer = std::string(c.to).substr(10);
        c.column < 8 ? Upper(c.column) : Strip(c.column);
        EXPECT_EQ(Selected() + answer, c.to) << c.from << " column " << c.column;
        EXPECT_EQ(MonthShown(0), std::string(c.to).substr(0, 7));
    }
    std::string years;
    for (const auto& entry : TestSeams::Menus().back())
        years += entry.text + " ";
    EXPECT_EQ(years, "2025 2026 2027 ");
}

// The year paged while the week is up (the wheel over a band, the keys) moves no date of the
// week: a click in its grid opens the editor on the clicked day, and the year face shows the paged
// year when it comes back. A year chosen in the header after it wins; a week paged past the three
// years comes back to the nearest of them.
TEST_F(WeekHeaderTest, AYearPagedBehindTheWeekMovesNoDateOfIt) {
    CalendarWindow& window = Window();
    calList& grid = *window.GlanceList;
    TestSeams::AnswerMenus([](const auto&) { return std::string("2025"); });
    const auto key = [&](const char* name) { Simulate::Key(window, name); };
    const struct {
        const char* from;
        std::function<void()> page;
        const char* week;   // the selected date after the page
        const char* editor; // what the editor shows after a click on Thursday 11:00
        const char* back;   // the selected date and the shown year, back on the year face
    } cases[] = {
        {"2026-03-19", [&] { Simulate::Wheel(window, 700, 860, 0, 1); }, "2026-03-19",
         "3/19/2026 at 11:00 AM", "2027-03-19 2027"},
        {"2026-03-19", [&] { key("PgDown"), Upper(5); }, "2025-03-19", "3/20/2025 at 11:00 AM",
         "2025-03-20 2025"},
        {"2025-01-01", [&] { Strip(8); }, "2024-12-25", "12/26/2024 at 11:00 AM",
         "2024-12-26 2025"},
        {"2027-12-29", [&] { Strip(9), key("PgUp"); }, "2028-01-05", "1/6/2028 at 11:00 AM",
         "2026-01-06 2026"},
    };
    for (const auto& c : cases) {
        Select(std::string(c.from) + " 00:00:00");
        window.ReloadCalLists();
        window.GlanceOn();
        c.page();
        EXPECT_EQ(Selected(), c.week) << c.from;
        std::string shown;
        TestSeams::WhenModal([&](::Window& editor) {
            shown = dynamic_cast<GlanceInputWindow&>(editor).fromDate->Text();
            Simulate::Key(editor, "Esc");
        });
        window.GlanceList_MouseDown(grid.ColumnLeft(5) + 3, 6 * grid.RowHeight() + 2);
        EXPECT_EQ(shown, c.editor) << c.from;
        Upper(12);
        EXPECT_EQ(Selected() + " " + std::to_string(YearGrid::ShownYear()), c.back) << c.from;
    }
}

TEST_F(WeekHeaderTest, TheSecondMonthPushesTheToDoListDownAndGivesItsHeightBack) {
    for (int screenHeight : {900, 560}) {
        UseScreen(1440, screenHeight, 24);
        CalendarWindow& window = Window();
        ListBox& todo = *window.TodoList;
        const auto place = [&] {
            return std::vector<int>{todo.Top(), todo.Height(), window.ToDoListHeader->Top()};
        };
        const std::vector<int> before = place();
        const int m0 = window.MiniCalList[0]->Height();
        Open(Date(2026, 3, 18));
        Strip(10);
        EXPECT_EQ(place(),
                  (std::vector<int>{before[0] + m0, std::max(0, before[1] - m0), before[2] + m0}))
            << screenHeight;
        window.GlanceOff();
        window.GlanceOn();
        EXPECT_TRUE(window.MiniCalList[1]->Visible()) << "kept across faces";
        Strip(10);
        EXPECT_FALSE(window.MiniCalList[1]->Visible());
        EXPECT_EQ(place(), before) << screenHeight;
        window.Close();
    }
}

TEST_F(WeekHeaderTest, SmallMonthsTitleTheMonthTheyHoldAndPickAnotherWeek) {
    Select("2026-01-31 10:00:00");
    CalendarWindow& window = Window();
    window.ReloadCalLists();
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
    EXPECT_TRUE(window.MiniCalList_CellClick(1, 0, 3, 2, 2)) << "the title row has no date";
    EXPECT_FALSE(window.MiniCalList_CellClick(1, 3, 2, 2, 2)); // Tuesday 10 February
    EXPECT_EQ(application.selectedDate.SQLDate(), "2026-02-10");
    EXPECT_EQ(window.MiniCalList[0]->ListIndex(), -1);
    window.MiniCalList[1]->SetListIndex(3); // as the list box marks the clicked row
    EXPECT_FALSE(window.MiniCalList_CellClick(0, 4, 2, 2, 2)); // Tuesday 13 January
    EXPECT_EQ(window.MiniCalList[1]->ListIndex(), -1) << "one selected day across the months";
    EXPECT_FALSE(window.MiniCalList_CellClick(1, 3, 2, 2, 2));
    EXPECT_EQ(MonthShown(0) + MonthShown(1), "2026-012026-02");
    EXPECT_EQ(title(0), january) << "the first month keeps its own title";
    EXPECT_EQ(title(1), february);
}

TEST_F(WeekFaceTest, AClickOnTheWeekGridPicksTheDayByTheColumnsRealEdges) {
    AddEntry("2026-03-04 09:00:00", "2026-03-04 11:00:00", "Two hours");
    CalendarWindow& window = Window();
    calList& grid = *window.GlanceList;
    // Opens the editor (closed here at once) unless the click is outside the slots and notes.
    const auto click = [&](int x, int row, const char* selected = "2026-03-03 12:00:00") {
        Select(selected);
        if (row <= 26 && x >= grid.ColumnWidth(0)) TestSeams::WhenModal([](::Window&) {});
        EXPECT_TRUE(window.GlanceList_MouseDown(x, row * grid.RowHeight() + 2));
        for (int column = 0; row < 28 && column < 8; ++column)
            EXPECT_EQ(grid.Cell(row, column), "") << "the blank of a new event stays";
        return application.selectedDate.SQLDateTime();
    };
    for (int column = 1; column <= 7; ++column) {
        const std::string day = "2026-03-0" + std::to_string(column);
        const int left = grid.ColumnLeft(column), right = left + grid.ColumnWidth(column) - 1;
        EXPECT_EQ(click(left, 9), day + " 12:30:00") << column;
        EXPECT_EQ(click(right, 0), day + " 08:00:00") << column;
        EXPECT_EQ(click(left, 26), day + " 00:00:01") << column;
    }
    EXPECT_EQ(click(grid.Width() - 1, 25), "2026-03-07 20:30:00");
    const int wednesday = grid.ColumnLeft(4) + 3;
    EXPECT_EQ(click(wednesday, 2) + click(wednesday, 4) + click(wednesday, 5),
              "2026-03-04 09:00:002026-03-04 09:00:002026-03-04 09:00:00");
    EXPECT_EQ(click(wednesday, 27) + click(3, 3), "2026-03-03 12:00:002026-03-03 12:00:00");
    // A Wednesday whose Sunday lies in March.
    EXPECT_EQ(click(grid.ColumnLeft(1), 0, "2026-04-01 12:00:00"), "2026-03-29 08:00:00");
    // While the editor is open on a free slot, the slot shows a blank, not what it held.
    std::string shown = "not opened";
    grid.SetCell(3, 2, "Stale");
    TestSeams::WhenModal([&](::Window&) { shown = grid.Cell(3, 2); });
    window.GlanceList_MouseDown(grid.ColumnLeft(2) + 3, 3 * grid.RowHeight() + 2);
    EXPECT_EQ(shown, " ");
}

TEST_F(WeekFaceTest, TheWeekGridTakesTheYearGridsPlaceUnderItsHeaderAndItsRowsFillIt) {
    for (int screenHeight : {900, 560}) {
        UseScreen(1440, screenHeight, 24);
        CalendarWindow& window = Window();
        const calList& grid = *window.GlanceList;
        const calList& header = *window.GlanceHeader;
        const calCanvas& year = *window.Calendar;
        EXPECT_EQ(grid.Top(), header.Top() + header.Height()) << screenHeight;
        EXPECT_NEAR(grid.Top() + grid.Height(), year.Top() + year.Height(), 1) << screenHeight;
        const int spare = grid.Height() - grid.ListCount() * grid.RowHeight();
        EXPECT_TRUE(spare >= 0 && spare < grid.ListCount()) << screenHeight << ": " << spare;
        window.Close();
    }
}
