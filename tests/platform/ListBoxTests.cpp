// The list box: column widths, the owner's cell painting, clicks, editing and reordering.
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/ListBox.h"
#include "platform/Picture.h"
#include "platform/Simulate.h"
#include "platform/Window.h"

#include <initializer_list>
#include <numeric>
#include <set>
#include <string>
#include <vector>

TEST(ColumnWidthsTest, StarsShareWhatFixedColumnsLeaveAndTheWholeIsKept) {
    const struct {
        const char* layout;
        int count, total;
        std::vector<int> widths;
    } cases[] = {{"20,*,20", 3, 168, {20, 128, 20}}, {"2*,*", 2, 90, {60, 30}},
                 {"0.5*,*", 2, 90, {30, 60}},        {"25%,*", 2, 200, {50, 150}},
                 {"", 4, 100, {25, 25, 25, 25}},     {"80,40,*", 3, 100, {80, 40, 0}}};
    for (const auto& c : cases)
        EXPECT_EQ(ResolveColumnWidths(c.layout, c.count, c.total), c.widths) << c.layout;
    const auto week = ResolveColumnWidths("60,*,*,*,*,*,*,*", 8, 856);
    EXPECT_EQ(std::accumulate(week.begin(), week.end(), 0), 856);
}

namespace {
class ListBoxTest : public IsolatedTest {
  protected:
    ListBoxTest() {
        window.SetWidth(300);
        window.SetHeight(200);
        list = &window.AddControl(std::make_unique<ListBox>(), "list");
        list->SetBounds(0, 0, 200, 100);
        list->SetColumnCount(3);
        list->SetColumnWidths("20,*,20");
        list->SetDefaultRowHeight(20);
        window.Show();
    }
    ~ListBoxTest() override { window.Close(); }
    void AddRows(std::initializer_list<const char*> texts) {
        for (const char* text : texts)
            list->AddRow(text);
    }
    void Drag(int fromY, int toY) {
        Simulate::MouseDown(window, 50, fromY);
        Simulate::MouseMove(window, 50, 30);
        Simulate::MouseUp(window, 50, toY);
    }
    Application application;
    Window window;
    ListBox* list = nullptr;
};
} // namespace

TEST_F(ListBoxTest, BackgroundPaintRunsForEveryRowSlotClippedToTheCell) {
    AddRows({"one", "two"});
    std::set<std::pair<int, int>> painted; // cells drawn at their own size
    list->OnCellBackgroundPaint = [&](Graphics& g, int row, int column) {
        if (g.Width() == list->ColumnWidth(column) && g.Height() == 20)
            painted.insert({row, column});
        return false;
    };
    std::set<int> textRows;
    list->OnCellTextPaint = [&](Graphics&, int row, int, int, int) {
        textRows.insert(row);
        return false;
    };
    Picture picture(window.Width(), window.Height());
    window.DrawInto(picture.Graphics(), 0, 0);
    for (int row = 0; row < 5; ++row) // every row slot in the list's height, filled or not
        for (int column = 0; column < 3; ++column)
            EXPECT_TRUE(painted.contains({row, column})) << row << "," << column;
    EXPECT_EQ(textRows, (std::set<int>{0, 1}));
}

// The widths are kept between paints, and follow every change they depend on.
TEST_F(ListBoxTest, ColumnWidthsFollowTheListsWidthLayoutAndColumnCount) {
    EXPECT_EQ(list->ColumnWidth(1), 160);
    list->SetWidth(260);
    EXPECT_EQ(list->ColumnWidth(1), 220);
    EXPECT_EQ(list->ColumnWidth(2), 20);
    list->SetColumnWidths("40,*,20");
    EXPECT_EQ(list->ColumnWidth(1), 200);
    list->SetColumnCount(2);
    EXPECT_EQ(list->ColumnWidth(1), 220);
}

TEST_F(ListBoxTest, ClickSelectsTogglesChecksAndCanBeTakenByTheHandler) {
    AddRows({"a", "b", "c"});
    list->SetColumnType(0, ListBox::TypeCheckBox);
    int changes = 0, actions = 0;
    list->OnChange = [&] { ++changes; };
    list->OnCellAction = [&](int row, int column) { actions += row == 2 && column == 0; };
    bool takeClick = false;
    list->OnCellClick = [&](int, int column, int x, int y) {
        EXPECT_EQ(column == 1 ? x : 5, 5);
        EXPECT_EQ(y, 5);
        return takeClick;
    };
    Simulate::Click(window, 25, 25);
    EXPECT_TRUE(list->Selected(1));
    EXPECT_EQ(changes, 1);

    Simulate::Click(window, 5, 45);
    EXPECT_TRUE(list->CellCheck(2, 0));
    EXPECT_EQ(actions, 1);

    takeClick = true;
    Simulate::Click(window, 25, 5);
    EXPECT_EQ(list->ListIndex(), 2) << "a click the handler took selects nothing";
}

TEST_F(ListBoxTest, EditingStoresTheTextAndRaisesCellAction) {
    list->AddRow("");
    list->SetCell(0, 1, "old");
    std::vector<std::string> events;
    list->OnCellGotFocus = [&](int, int) { events.push_back("got"); };
    list->OnCellLostFocus = [&](int, int) { events.push_back("lost"); };
    list->OnCellAction = [&](int row, int column) {
        events.push_back("action " + list->Cell(row, column));
    };
    list->EditCell(0, 1);
    ASSERT_NE(list->ActiveCell(), nullptr);
    EXPECT_EQ(list->ActiveCell()->Text(), "old");
    list->ActiveCell()->SetText("new");
    Simulate::Key(window, "Return");
    EXPECT_EQ(list->ActiveCell(), nullptr);
    EXPECT_EQ(list->Cell(0, 1), "new");
    EXPECT_EQ(events, (std::vector<std::string>{"got", "lost", "action new"}));
}

TEST_F(ListBoxTest, RemovingTheEditedRowDropsTheEditAndTheSelection) {
    AddRows({"a", "b"});
    list->SetListIndex(1);
    list->EditCell(1, 1);
    int actions = 0;
    list->OnCellAction = [&](int, int) { ++actions; };
    list->RemoveRow(1);
    EXPECT_EQ(list->ActiveCell(), nullptr);
    EXPECT_EQ(list->ListIndex(), -1);
    EXPECT_EQ(actions, 0);
    EXPECT_THROW(list->RemoveRow(5), OutOfBoundsException);
}

TEST_F(ListBoxTest, DraggingARowReordersUnlessTheHandlerRefuses) {
    AddRows({"a", "b", "c"});
    list->EnableDragReorder = true;
    bool refuse = true;
    list->OnDragReorderRows = [&](int newPosition, int) {
        EXPECT_EQ(newPosition, 2);
        return refuse;
    };
    Drag(5, 45);
    EXPECT_EQ(list->Cell(0, 0), "a");
    refuse = false;
    Drag(5, 45);
    EXPECT_EQ((std::vector<std::string>{list->Cell(0, 0), list->Cell(1, 0), list->Cell(2, 0)}),
              (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(list->ListIndex(), 2) << "the dragged row stays selected";
}

TEST_F(ListBoxTest, AutomaticRowHeightFollowsTheFontAndScrollingMovesTheFirstRow) {
    list->SetDefaultRowHeight(-1);
    list->TextSize = 12;
    const int small = list->RowHeight();
    list->TextSize = 24;
    EXPECT_GT(list->RowHeight(), small);
    list->SetDefaultRowHeight(20);
    for (int row = 0; row < 20; ++row)
        list->AddRow(std::to_string(row));
    list->SetScrollPosition(5);
    int clicked = -1;
    list->OnCellClick = [&](int row, int, int, int) {
        clicked = row;
        return true;
    };
    Simulate::Click(window, 50, 5);
    EXPECT_EQ(clicked, 5);
    list->SetScrollPosition(100);
    EXPECT_EQ(list->ScrollPosition(), 19);
}

// Handlers that change the list under the code that called them.
TEST_F(ListBoxTest, APaintHandlerThatEmptiesTheListEndsTheCellsQuietly) {
    AddRows({"a", "b", "c"});
    list->OnCellBackgroundPaint = [&](Graphics&, int row, int) {
        if (row == 1 && list->ListCount() > 0) list->DeleteAllRows();
        return false;
    };
    std::vector<int> textRows;
    list->OnCellTextPaint = [&](Graphics&, int row, int, int, int) {
        textRows.push_back(row);
        return false;
    };
    Picture picture(window.Width(), window.Height());
    EXPECT_NO_THROW(window.DrawInto(picture.Graphics(), 0, 0));
    EXPECT_EQ(textRows, std::vector<int>(3, 0)) << "row 0 in full, then nothing";
}

TEST_F(ListBoxTest, ADragWhoseHandlerRemovedRowsMovesNothing) {
    AddRows({"a", "b", "c"});
    list->EnableDragReorder = true;
    list->OnDragReorderRows = [&](int, int) {
        list->RemoveRow(2);
        list->RemoveRow(1);
        return false;
    };
    Drag(45, 5);
    ASSERT_EQ(list->ListCount(), 1);
    EXPECT_EQ(list->Cell(0, 0), "a");
}

TEST_F(ListBoxTest, AChangeHandlerThatRemovesTheClickedRowLeavesNoCheckToToggle) {
    AddRows({"a", "b", "c"});
    list->SetColumnType(0, ListBox::TypeCheckBox);
    list->OnChange = [&] {
        if (list->ListIndex() == 2) list->RemoveRow(2);
    };
    int actions = 0;
    list->OnCellAction = [&](int, int) { ++actions; };
    Simulate::Click(window, 5, 45);
    EXPECT_EQ(list->ListCount(), 2);
    EXPECT_EQ(actions, 0);
}
