// The to-do list: adding by a press below the rows or on the header, editing, ticking,
// deleting, and its scroll bar.
#include "mainwindow/WeekFaceFixture.h"

#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"

class TodoTest : public WeekFaceTest {
  protected:
    TodoTest() {
        TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc",
                                   "0\tFirst\n1\tSecond\n0\tThird\nEvents Data:\n");
        application.LoadUserEvents();
    }
    ListBox& List() { return *Window().TodoList; }
};

TEST_F(TodoTest, APressBelowTheRowsAddsARowToEditAndAnEmptyEditTakesItAway) {
    CalendarWindow& window = Window();
    window.Show();
    const int below = 3 * List().RowHeight() + 1;
    EXPECT_FALSE(window.TodoList_MouseDown(5, below - 1)) << "on the line is not below";
    EXPECT_TRUE(window.TodoList_MouseDown(5, below));
    ASSERT_EQ(List().ListCount(), 4);
    ASSERT_NE(List().ActiveCell(), nullptr);
    List().ActiveCell()->SetText("");
    window.TodoList_CellAction(3, 1); // as the end of the edit raises it
    EXPECT_EQ(List().ListCount(), 3);
    EXPECT_TRUE(window.ToDoListHeader_MouseDown(5, 5));
    EXPECT_TRUE(List().ListCount() == 4 && List().ActiveCell());
    // A new row while the last one is still empty and open: the empty one goes first.
    EXPECT_TRUE(window.ToDoListHeader_MouseDown(5, 5));
    EXPECT_TRUE(window.TodoList_MouseDown(5, below + List().RowHeight()));
    EXPECT_TRUE(List().ListCount() == 4 && List().ActiveCell());
    EXPECT_TRUE(Messages().empty());
}

// A text pasted over several lines ends its edit as the one line the file keeps, shown so.
TEST_F(TodoTest, APastedItemOfSeveralLinesIsOneLineInTheListAndTheFile) {
    CalendarWindow& window = Window();
    List().SetCell(1, 1, "Line one\r\nLine two\tthree");
    window.TodoList_CellAction(1, 1); // as the end of the edit raises it
    EXPECT_EQ(List().Cell(1, 1), "Line one Line two three");
    FinishSaving(window);
    EXPECT_EQ(TestEnvironment::ReadFile(environment.Documents() / "Calendar.tpc"),
              "0\tFirst\n1\tLine one Line two three\n0\tThird\nEvents Data:\n");
}

TEST_F(TodoTest, ATickedRowIsStruckThroughAndTheDeleteMarkRemovesItsRow) {
    CalendarWindow& window = Window();
    const auto struck = [&](int row) {
        Picture cell(List().ColumnWidth(1), List().RowHeight());
        window.TodoList_CellBackgroundPaint(cell.Graphics(), row, 1);
        return cell.Pixel(8, 10) == RGB(10, 10, 10);
    };
    EXPECT_TRUE(!struck(0) && struck(1));
    List().SetCellCheck(0, 0, true);
    EXPECT_TRUE(struck(0));
    List().SetListIndex(0);
    EXPECT_TRUE(window.TodoList_CellClick(1, 2, 5, 5));
    EXPECT_TRUE(List().ListCount() == 2 && List().Cell(1, 1) == "Third");
    EXPECT_EQ(List().ListIndex(), -1);
    // Only the text of the selected row opens for editing.
    List().SetListIndex(0);
    EXPECT_FALSE(window.TodoList_CellClick(1, 1, 5, 5) || List().ActiveCell());
    EXPECT_FALSE(window.TodoList_CellClick(0, 1, 5, 5));
    EXPECT_NE(List().ActiveCell(), nullptr);
}

// Ticking a box repaints the row's text too, so the screen shows it struck through at once.
TEST_F(TodoTest, TickingABoxStrikesItsTextThroughAtOnce) {
    CalendarWindow& window = Window();
    window.GlanceOn();
    window.Show();
    DoEvents();
    ListBox& list = List();
    const int x = list.Left() + list.ColumnLeft(1) + 8;
    const int y = list.Top() + 10; // on the strike-through of the first row
    const Color before = TestSeams::ScreenPicture(window)->Pixel(x, y);
    list.SetCellCheck(0, 0, true); // as a click on the box does, before its action
    window.TodoList_CellAction(0, 0);
    DoEvents();
    const Color after = TestSeams::ScreenPicture(window)->Pixel(x, y);
    EXPECT_TRUE(after != before && after.r < 40) << int(before.r) << " then " << int(after.r);
}

TEST_F(TodoTest, TheScrollBarShowsOnceTheRowsAndASpareRowNoLongerFit) {
    std::string lines;
    for (int row = 0; row < 40; ++row)
        lines += "0\tItem\n";
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc", lines);
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    EXPECT_TRUE(List().ScrollBarVertical()) << "a long list read back can be scrolled at once";
    List().SetHeight(13 * List().RowHeight() - 1);
    for (int rows : {12, 11}) {
        while (List().ListCount() > rows)
            List().RemoveRow(0);
        window.TodoList_Change();
        EXPECT_EQ(List().ScrollBarVertical(), rows == 12) << rows;
    }
    // Once the second small month comes or goes, the list must hold two rows more.
    const auto toggleMonth = [&] {
        window.GlanceHeader_CellClick(0, 10, 5, window.GlanceHeader->RowHeight() - 2);
    };
    List().SetHeight(13 * List().RowHeight() - 1 + window.MiniCalList[0]->Height());
    toggleMonth(); // shown: the list is 13 rows high less a pixel
    for (int rows : {10, 9}) {
        while (List().ListCount() > rows)
            List().RemoveRow(0);
        toggleMonth();
        toggleMonth();
        EXPECT_EQ(List().ScrollBarVertical(), rows == 10) << rows << " with the second month";
    }
}

// An item of megabytes shows its beginning as the short item did, and ticked, is struck through
// to the cell's edge.
TEST_F(TodoTest, AHugeItemShowsItsBeginningAsAShortOneWould) {
    CalendarWindow& window = Window();
    window.GlanceOn();
    window.Show();
    DoEvents();
    ListBox& list = List();
    const PicturePtr plain = TestSeams::ScreenPicture(window);
    std::string huge = list.Cell(0, 1);
    while (huge.size() < (8u << 20))
        huge += " and then more of the same";
    list.SetCell(0, 1, huge);
    DoEvents();
    const PicturePtr shown = TestSeams::ScreenPicture(window);
    Picture scratch(1, 1);
    Graphics& g = scratch.Graphics();
    g.TextFont = list.TextFont;
    g.TextSize = list.TextSize;
    g.Bold = list.Bold;
    const int left = list.Left() + list.ColumnLeft(1), top = list.Top();
    const int end = left + 2 + static_cast<int>(g.StringWidth("First"));
    int differing = 0, inkAfter = 0;
    for (int y = top; y < top + list.RowHeight(); ++y) {
        for (int x = left; x < end; ++x)
            differing += shown->Pixel(x, y) != plain->Pixel(x, y) ? 1 : 0;
        for (int x = end + 4; x < left + list.ColumnWidth(1); ++x)
            inkAfter += shown->Pixel(x, y).r < 100 ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(inkAfter, 10) << "the rest of the cell shows what follows";

    list.SetCellCheck(0, 0, true);
    window.TodoList_CellAction(0, 0);
    DoEvents();
    EXPECT_LT(TestSeams::ScreenPicture(window)->Pixel(left + list.ColumnWidth(1) - 2, top + 10).r,
              40);
}
