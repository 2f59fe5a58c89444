#pragma once
// The year grid's canvas: the cell model and the geometry that the main window's handlers fill
// and read. The class itself draws nothing.
#include "platform/Canvas.h"

#include <array>
#include <string>
#include <vector>

// A fixed grid of texts; an index outside it raises OutOfBoundsException.
class TextGrid {
  public:
    TextGrid(int rows, int columns);
    std::string& operator()(int row, int column);
    const std::string& operator()(int row, int column) const;
    int UBound(int dimension) const { return dimension == 1 ? rows_ - 1 : columns_ - 1; }

  private:
    int rows_, columns_;
    std::vector<std::string> cells_;
};

class calCanvas : public Canvas {
  public:
    TextGrid CellTag{82, 33};
    int ScrollPosition = 0;
    int ListCount = 81;
    int ColumnCount = 0;
    int DefaultRowHeight = 0;
    int TextSize = 12;
    int ColumnsWidth = 0;
    double LeftMarginWidth = 0;
    std::string TextFont = "Arial";
    int MarginHeight = 0;
    double RightMarginWidth = 0;
    std::array<int, 33> ColumnWidth{};
};
