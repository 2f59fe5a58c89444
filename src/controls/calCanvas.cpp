#include "controls/calCanvas.h"

#include "platform/Exceptions.h"

TextGrid::TextGrid(int rows, int columns)
    : rows_(rows), columns_(columns), cells_(static_cast<std::size_t>(rows * columns)) {}

std::string& TextGrid::operator()(int row, int column) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_)
        throw OutOfBoundsException("no cell " + std::to_string(row) + "," + std::to_string(column));
    return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column)];
}

const std::string& TextGrid::operator()(int row, int column) const {
    return const_cast<TextGrid&>(*this)(row, column);
}
