// The hover tip: a small rounded box above a day of the year grid listing its events' titles.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "platform/Graphics.h"
#include "platform/Text.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kTextSize = 9;
constexpr int kLineHeight = 12;

// The titles of a tip text, "//title|kind" once per event.
std::vector<std::string> Titles(const std::string& tipText) {
    std::vector<std::string> titles;
    const int count = CountFields(tipText, "//") - 1;
    for (int i = 1; i <= count; ++i)
        titles.push_back(NthField(NthField(tipText, "//", i + 1), "|", 1));
    return titles;
}

// The tip's picture: an opaque rounded box whose corners (left white) let the grid through.
PicturePtr TipPicture(const std::vector<std::string>& titles) {
    Picture scratch(1, 1);
    Graphics& measure = scratch.Graphics();
    measure.TextSize = kTextSize;
    int width = 0;
    for (const std::string& title : titles)
        width = std::max(width, YearGrid::Int(measure.StringWidth(title) + 20));
    const int count = static_cast<int>(titles.size());
    const int height = 16 * count - 4 * (count - 1);

    auto picture = std::make_shared<Picture>(width, height, 32);
    picture->SetTransparent(1);
    Graphics& g = picture->Graphics();
    // Not pure white, which is the see-through colour.
    g.ForeColor = RGB(254, 254, 254);
    g.FillRoundRect(0, 0, width, height, 14, 14);
    g.ForeColor = RGB(180, 180, 180);
    g.DrawRoundRect(0, 0, width, height, 14, 14);
    g.ForeColor = RGB(60, 60, 60);
    g.TextSize = kTextSize;
    for (int i = 1; i <= count; ++i)
        g.DrawString(titles[static_cast<size_t>(i - 1)], 10, kLineHeight * i);
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
    const std::string tipText = tag.substr(events);
    if (TextEquals(tipText, tipCanvas->currentText)) return;

    const PicturePtr picture = TipPicture(Titles(tipText));
    tipCanvas->SetHeight(picture->Height());
    tipCanvas->SetWidth(picture->Width());
    tipCanvas->SetBackdrop(picture);
    tipCanvas->currentText = tipText;

    // Above the hovered row, flipped left of the column where it would pass the grid's edge.
    const int x = YearGrid::Int(grid.LeftMarginWidth + column * grid.ColumnsWidth);
    const int width = tipCanvas->Width();
    tipCanvas->SetLeft(grid.Width() < x + width ? x - width + 12 : x);
    tipCanvas->SetTop(grid.Top() + grid.MarginHeight + (row - 1) * grid.DefaultRowHeight -
                      tipCanvas->Height() + 6);
    tipCanvas->SetVisible(true);
}

void CalendarWindow::Calendar_MouseExit() {
    if (tipCanvas->Visible()) HideTip();
}

void CalendarWindow::HideTip() {
    tipCanvas->SetVisible(false);
    tipCanvas->currentText.clear();
}
