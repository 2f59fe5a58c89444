// The hover tip: a small rounded box above a day of the year grid listing its events' titles.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "platform/Graphics.h"
#include "platform/Text.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr int kTextSize = 9;
constexpr int kLineHeight = 12;
constexpr int kDescent = 4; // how far a line reaches below its baseline

// The titles of a tip text, "//title|kind" once per event, in one pass: a day can hold
// thousands of events, and looking each field up from the start would take the square of that.
std::vector<std::string_view> Titles(std::string_view tipText) {
    std::vector<std::string_view> titles;
    size_t separator = tipText.find("//");
    while (separator != std::string_view::npos) {
        const size_t start = separator + 2;
        separator = tipText.find("//", start);
        const std::string_view field = tipText.substr(start, separator - start);
        titles.push_back(field.substr(0, field.find('|')));
    }
    return titles;
}

// The tip's picture: an opaque rounded box whose corners (left white) let the grid through.
// Its top cut pixels lie above the window and never show, so they are left out: only the
// lines that show are measured and drawn, and a day of thousands of events costs what a day
// of one window's height of them does. Nor is it wider than widest (what shows of it): a
// longer title is measured and drawn only as far as that.
PicturePtr TipPicture(const std::vector<std::string_view>& titles, int height, int cut,
                      int widest) {
    const int count = static_cast<int>(titles.size());
    const int first = cut <= kDescent ? 1 : (cut - kDescent) / kLineHeight + 1;
    Picture scratch(1, 1);
    Graphics& measure = scratch.Graphics();
    measure.TextSize = kTextSize;
    int width = 0;
    for (int i = first; i <= count; ++i)
        width = std::max(width, YearGrid::Int(measure.StringWidth(titles[i - 1], widest) + 20));
    width = std::min(width, widest);

    auto picture = std::make_shared<Picture>(width, height - cut, 32);
    picture->SetTransparent(1);
    Graphics& g = picture->Graphics();
    // Not pure white, which is the see-through colour.
    g.ForeColor = RGB(254, 254, 254);
    g.FillRoundRect(0, -cut, width, height, 14, 14);
    g.ForeColor = RGB(180, 180, 180);
    g.DrawRoundRect(0, -cut, width, height, 14, 14);
    g.ForeColor = RGB(60, 60, 60);
    g.TextSize = kTextSize;
    for (int i = first; i <= count; ++i)
        g.DrawString(titles[i - 1], 10, kLineHeight * i - cut);
    return picture;
}

} // namespace

void CalendarWindow::Calendar_MouseMove(int X, int Y) {
    const calCanvas& grid = *Calendar;
    const auto cell = YearGrid::CellAt(grid, X, Y);
    if (!cell) return;
    const int row = cell->row, column = cell->column;
    const int yearOffset = YearGrid::ShownYearOffset();
    // Rows 0 and 1 of the band, the margins and cells the model lacks leave the tip alone.
    if (row <= 1 || row + yearOffset < 0 || row + yearOffset >= grid.ListCount || column < 1 ||
        column >= grid.ColumnCount)
        return;
    // So does the right half of a column.
    if (!(X < grid.LeftMarginWidth + column * grid.ColumnsWidth + grid.ColumnsWidth / 2.0)) return;

    const std::string& tag = grid.CellTag(row + yearOffset, column);
    const size_t events = tag.find("//");
    if (events == std::string::npos) {
        Calendar_MouseExit();
        return;
    }
    // Views into the grid's tag, which stays as it is meanwhile: a title can be megabytes
    // long, and the tip text is copied once, to be kept.
    const std::string_view tipText = std::string_view(tag).substr(events);
    if (TextEquals(tipText, tipCanvas->currentText)) return;

    // Above the hovered row, its bottom edge 6 pixels below the row's top; a tip taller than
    // the room above is cut at the window's top edge.
    const std::vector<std::string_view> titles = Titles(tipText);
    const int count = static_cast<int>(titles.size());
    const int height = 16 * count - 4 * (count - 1);
    const int bottom = grid.Top() + grid.MarginHeight + (row - 1) * grid.DefaultRowHeight + 6;
    const int cut = std::max(0, height - bottom);
    const PicturePtr picture = TipPicture(titles, height, cut, std::max(grid.Width(), 1));
    tipCanvas->SetHeight(picture->Height());
    tipCanvas->SetWidth(picture->Width());
    tipCanvas->SetBackdrop(picture);
    tipCanvas->currentText.assign(tipText);

    // Flipped left of the column where it would pass the grid's edge, but never past the
    // window's left edge, where the beginnings of its titles would be lost.
    const int x = YearGrid::Int(grid.LeftMarginWidth + column * grid.ColumnsWidth);
    const int width = tipCanvas->Width();
    tipCanvas->SetLeft(grid.Width() < x + width ? std::max(0, x - width + 12) : x);
    tipCanvas->SetTop(bottom - tipCanvas->Height());
    tipCanvas->SetVisible(true);
}

void CalendarWindow::Calendar_MouseExit() {
    if (tipCanvas->Visible()) HideTip();
}

void CalendarWindow::HideTip() {
    tipCanvas->SetVisible(false);
    tipCanvas->currentText.clear();
}
