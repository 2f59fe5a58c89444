// Handlers that change the list under the code that called them, and values past their range.
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/Color.h"
#include "platform/Date.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/ListBox.h"
#include "platform/Picture.h"
#include "platform/Simulate.h"
#include "platform/Window.h"

#include <string>
#include <vector>

namespace {
class ListChangedByHandlerTest : public IsolatedTest {
  protected:
    ListChangedByHandlerTest() {
        window.SetWidth(300);
        window.SetHeight(200);
        list = &window.AddControl(std::make_unique<ListBox>(), "list");
        list->SetBounds(0, 0, 200, 100);
        list->SetColumnCount(3);
        list->SetDefaultRowHeight(20);
        for (const char* text : {"a", "b", "c"})
            list->AddRow(text);
        window.Show();
    }
    ~ListChangedByHandlerTest() override { window.Close(); }
    Application application;
    Window window;
    ListBox* list = nullptr;
};
} // namespace

TEST_F(ListChangedByHandlerTest, APaintHandlerThatEmptiesTheListEndsTheCellsQuietly) {
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

TEST_F(ListChangedByHandlerTest, ADragWhoseHandlerRemovedRowsMovesNothing) {
    list->EnableDragReorder = true;
    list->OnDragReorderRows = [&](int, int) {
        list->RemoveRow(2);
        list->RemoveRow(1);
        return false;
    };
    Simulate::MouseDown(window, 50, 45);
    Simulate::MouseMove(window, 50, 30);
    Simulate::MouseUp(window, 50, 5);
    ASSERT_EQ(list->ListCount(), 1);
    EXPECT_EQ(list->Cell(0, 0), "a");
}

TEST_F(ListChangedByHandlerTest, AChangeHandlerThatRemovesTheClickedRowLeavesNoCheckToToggle) {
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

TEST(ValuesPastTheirRange, HugeColourNumbersAreBlackAndMonthsOutsideTheYearAreRefused) {
    EXPECT_EQ(ColorFromText("1e30"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("-1e300"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("16777471"), RGB(0, 0, 255)) << "the low 24 bits count";
    EXPECT_EQ(Date::DaysInMonth(2028, 2), 29);
    EXPECT_THROW(Date::DaysInMonth(2028, 0), OutOfBoundsException);
    EXPECT_THROW(Date::DaysInMonth(2028, 13), OutOfBoundsException);
}
