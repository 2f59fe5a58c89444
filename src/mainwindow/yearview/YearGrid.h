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

// The year the grid shows: the selected date's, or the nearest of the three when the selected
// date lies outside them (a week paged past their ends, an edition that leaves out today).
int ShownYear();
// The first grid row of the shown year: 0, 27 or 54.
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
