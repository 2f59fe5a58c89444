#include "controls/listboxButton.h"

#include <cstddef>

int listboxButton::getColumn(int x) {
    int column = 0;
    int right = 0;
    // The count is read on every pass: a handler may change it.
    for (; column <= ColumnCount() - 2; ++column) {
        right += ColumnWidth(column);
        if (x < right) {
            SetState(column, 1);
            return column;
        }
    }
    return column;
}

int listboxButton::StateOf(int column) const {
    if (column < 0 || column >= static_cast<int>(cellState.size())) return 0;
    return cellState[static_cast<size_t>(column)];
}

void listboxButton::SetState(int column, int state) {
    if (column < 0 || column >= static_cast<int>(cellState.size())) return;
    cellState[static_cast<size_t>(column)] = state;
    if (ListCount() > 0) InvalidateCell(0, column);
}

bool listboxButton::Event_CellBackgroundPaint(Graphics& g, int row, int column) {
    ListBox::Event_CellBackgroundPaint(g, row, column);
    return static_cast<bool>(OnCellBackgroundPaint);
}
