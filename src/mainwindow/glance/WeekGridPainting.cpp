// Painting the week grid: hour stripes, the selected day, the time column, the day-note and
// holiday rows, grid lines, and the events as rounded boxes made of their half-hour cells.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "controls/WeekGrid.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"

#include <algorithm>
#include <iostream>

using YearGrid::Int;

namespace {

constexpr Color kBorder = RGB(100, 100, 100);
constexpr int kCorner = 14;

struct CellBox {
    Graphics& g;
    int w, h;
};

void Line(Graphics& g, Color color, int x1, int y1, int x2, int y2) {
    g.ForeColor = color;
    g.DrawLine(x1, y1, x2, y2);
}

// A title dozens of times wider than its cell (a file of megabytes read as the event file)
// shows its beginning from the cell's left edge; only that much of it is measured and drawn.
void CentredText(Graphics& g, std::string_view text, int w, int baseline) {
    const double widest = 64.0 * w;
    const double width = g.StringWidth(text, widest);
    g.DrawString(text, width > widest ? 0 : Int(w / 2.0 - width / 2), baseline);
}

// The holiday row holds one line: a title wider than the cell is clipped by it, not wrapped
// below it, so the baseline comes from one line of the font whatever the title's width.
int HolidayBaseline(const Graphics& g) {
    return g.TextHeight() - 3;
}

void PaintTimeColumn(const CellBox& cell, int row, const Date& d) {
    Graphics& g = cell.g;
    const int w = cell.w, h = cell.h;
    g.ForeColor = RGB(0, 0, 0);
    if (row < WeekGrid::kSlotRows) {
        if (const PicturePtr back = Glancetimebackground()) {
            const int half = back->Height() / 2;
            // The lower half is shorter than a tall cell: stretch what there is.
            if (row % 2 == 0)
                g.DrawPicture(*back, 0, 0, w, h, 0, 0, back->Width(), half);
            else
                g.DrawPicture(*back, 0, 0, w, h, 0, half, back->Width(),
                              std::max(1, std::min(h, back->Height() - half)));
        }
        if (row % 2 == 0) {
            g.ForeColor = RGB(0, 0, 0);
            const std::string label = d.ShortTime();
            g.DrawString(label, Int(w - g.StringWidth(label) - 4), h - 1);
        }
        Line(g, RGB(200, 200, 200), w - 1, 0, w - 1, h);
        if (row % 2 == 1) Line(g, RGB(140, 140, 140), 0, h - 1, w, h - 1);
    } else if (row == WeekGrid::kDayNoteRow) {
        const std::string label = "Day Note";
        g.DrawString(label, Int(w - g.StringWidth(label) - 4), Int(g.StringHeight(label, 99)) - 2);
        Line(g, RGB(160, 160, 160), 0, 1, w, 1);
    } else {
        g.Italic = true;
        const std::string label = "Holiday";
        g.DrawString(label, Int(w - g.StringWidth(label) - 4), HolidayBaseline(g));
        Line(g, RGB(140, 140, 140), 0, h - 1, w, h - 1);
    }
}

// The part of an event's box that the cell's position code names; the title in its first
// cell. False when the title's entry is missing from the store.
bool PaintEventCell(const CellBox& cell, const std::string& kind, const Date& d) {
    Graphics& g = cell.g;
    const int w = cell.w, h = cell.h;
    const CustomizationModule& module = Customization();
    if (kind == "1" || kind == "4") {
        g.ForeColor = module.glanceEventHeaderColor;
        g.FillRoundRect(1, 0, w - 3, h, kCorner, kCorner);
        g.ForeColor = kBorder;
        g.DrawRoundRect(0, 0, w - 1, h, kCorner, kCorner);
        if (kind == "1") {
            g.ForeColor = module.glanceEventHeaderColor;
            g.FillRect(1, 8, w - 3, h);
            Line(g, kBorder, 0, 8, 0, h);
            Line(g, kBorder, w - 2, 8, w - 2, h);
        }
        g.TextFont = "Arial";
        g.TextSize = 10;
        g.ForeColor = RGB(30, 30, 30);
        const std::string key = d.SQLDateTime();
        if (!App().eventDict.HasKey(key)) return false;
        CentredText(g, WeekGrid::ValueField(App().eventDict.Value(key), 2), w, 12);
    } else if (kind == "2") {
        g.ForeColor = module.glanceEventColor;
        g.FillRect(1, 0, w - 3, h);
        Line(g, kBorder, 0, -1, 0, h);
        Line(g, kBorder, w - 2, -1, w - 2, h);
    } else if (kind == "3") {
        g.ForeColor = module.glanceEventColor;
        g.FillRoundRect(1, 0, w - 3, h, kCorner, kCorner);
        g.ForeColor = kBorder;
        g.DrawRoundRect(0, 0, w - 1, h, kCorner, kCorner);
        g.ForeColor = module.glanceEventColor;
        g.FillRect(1, 0, w - 3, 8);
        Line(g, kBorder, 0, -1, 0, 8);
        Line(g, kBorder, w - 2, -1, w - 2, 8);
    }
    return true;
}

// The day note's or the holiday's title under the day's 00:00:01 or 00:00:00.
void PaintDayText(const CellBox& cell, int row, Date d) {
    Graphics& g = cell.g;
    d.SetHour(0);
    d.SetMinute(0);
    d.SetSecond(row == WeekGrid::kDayNoteRow ? 1 : 0);
    const std::string key = d.SQLDateTime();
    if (!App().eventDict.HasKey(key)) return;
    const std::string_view title = WeekGrid::ValueField(App().eventDict.Value(key), 2);
    if (row == WeekGrid::kDayNoteRow) {
        g.ForeColor = RGB(0, 0, 160);
        CentredText(g, title, cell.w, 12);
    } else {
        g.ForeColor = RGB(0, 0, 0);
        g.Italic = true;
        CentredText(g, title, cell.w, HolidayBaseline(g));
    }
}

} // namespace

bool CalendarWindow::PaintQuietly(const char* what, const std::function<bool()>& paint) {
    try {
        return paint();
    } catch (const std::exception& error) {
        if (!paintProblemLogged_)
            std::cerr << "calendar: painting the " << what << " failed: " << error.what() << '\n';
        paintProblemLogged_ = true;
        return true;
    }
}

bool CalendarWindow::GlanceList_CellBackgroundPaint(Graphics& g, int row, int column) {
    const calList& grid = *GlanceList;
    const CellBox cell{g, grid.ColumnWidth(column), grid.RowHeight()};
    g.TextFont = grid.TextFont;
    g.TextSize = grid.TextSize;
    g.ForeColor = (row / 2) % 2 == 1 ? RGB(210, 210, 210) : RGB(220, 220, 220);
    g.FillRect(0, 0, cell.w, cell.h);
    if (row >= grid.ListCount()) return true;
    const app& a = App();
    Date d = WeekGrid::ColumnDay(a.selectedDate, column);
    d.SetHour(a.StartTime + row / 2);
    d.SetMinute(row % 2 == 1 ? 30 : 0);
    if (d.SQLDate() == a.selectedDate.SQLDate()) {
        g.ForeColor = RGB(200, 200, 200);
        g.FillRect(0, 0, cell.w, cell.h);
    }
    if (row >= WeekGrid::kSlotRows) {
        g.ForeColor = RGB(188, 188, 188);
        g.FillRect(0, 0, cell.w, cell.h);
    }
    if (column == 0) {
        PaintTimeColumn(cell, row, d);
        return true;
    }
    Line(g, row % 2 == 0 ? RGB(200, 200, 200) : RGB(170, 170, 170), -1, cell.h - 1, cell.w + 1,
         cell.h - 1);
    if (row == WeekGrid::kDayNoteRow) Line(g, RGB(160, 160, 160), 0, 1, cell.w, 1);
    Line(g, RGB(180, 180, 180), cell.w - 1, 0, cell.w - 1, cell.h);
    const std::string tag = grid.CellTag(row, column);
    if (!tag.empty() && !PaintEventCell(cell, WeekGrid::TagKind(tag), d) && !paintProblemLogged_) {
        std::cerr << "calendar: week grid cell " << row << "," << column << " names " << tag
                  << ", which the event store does not hold\n";
        paintProblemLogged_ = true;
    }
    if (row >= WeekGrid::kSlotRows) {
        g.TextFont = grid.TextFont;
        g.TextSize = grid.TextSize;
        g.Italic = false;
        PaintDayText(cell, row, d);
    }
    return true;
}
