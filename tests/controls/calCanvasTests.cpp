// The year grid's canvas: its empty cell model and its defaults.
#include "controls/calCanvas.h"
#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(calCanvasTest, ANewGridHasEmptyCellsUpToRow81Column32AndItsDefaults) {
    calCanvas grid;
    EXPECT_EQ(grid.CellTag.UBound(1), 81);
    EXPECT_EQ(grid.CellTag.UBound(2), 32);
    for (int row = 0; row <= 81; ++row)
        for (int column = 0; column <= 32; ++column)
            ASSERT_EQ(grid.CellTag(row, column), "");
    for (const auto& [row, column] : {std::pair{82, 0}, {0, 33}, {-1, 0}, {0, -1}})
        EXPECT_THROW(grid.CellTag(row, column), OutOfBoundsException);
    EXPECT_EQ(grid.ListCount, 81);
    EXPECT_EQ(grid.TextSize, 12);
    EXPECT_EQ(grid.TextFont, "Arial");
    EXPECT_EQ(grid.ColumnWidth, (std::array<int, 33>{}));
    EXPECT_EQ(grid.ScrollPosition + grid.ColumnCount + grid.DefaultRowHeight + grid.ColumnsWidth +
                  grid.MarginHeight,
              0);
    EXPECT_EQ(grid.LeftMarginWidth + grid.RightMarginWidth, 0.0);
}
