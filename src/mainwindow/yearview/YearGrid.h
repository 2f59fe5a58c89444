#pragma once
// What the year grid's handlers share: whole pixels, the shown year's rows and the cell under
// a point.
#include "controls/calCanvas.h"

#include <optional>
#include <string>
#include <string_view>

namespace YearGrid {

// Each year of the grid takes 27 rows; the grid holds three years.
inline constexpr int kRowsPerYear = 27;

// Drops the fraction, as every pixel, row and column of the grid is computed; values beyond
// the range of int are held at its ends.
int Int(double value);

// The first grid row of the year that the grid shows (the year of the selected date); outside
// 0 to 54 when that year is not one of the three.
int ShownYearOffset();

// Whether a store entry has a marker in its day's cell: not when it ends before it starts.
bool Marked(std::string_view key, std::string_view value);
// Appends an entry's marker to a day cell tag: "//", its title, "|" and its kind.
void AppendMarker(std::string& tag, std::string_view value);

// A cell of the shown year: row k is the band whose text baseline lies at
// MarginHeight + k * DefaultRowHeight.
struct BandCell {
    int row;
    int column;
};
// The band cell under (x, y) of the grid; nullopt while the grid has no geometry yet.
std::optional<BandCell> CellAt(const calCanvas& grid, int x, int y);

} // namespace YearGrid
