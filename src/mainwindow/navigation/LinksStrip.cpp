// The vendor links strip under the calendar area: one column per link entry, each a button
// drawn from the linkButtons slices in its state, and a last column that fills the rest.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/navigation/Navigation.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/ShowURL.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iostream>

namespace {
// The strip's states have room for ten columns: nine links and the last column.
constexpr int kMostLinks = 9;
constexpr int kSliceWidth = 5;

int LinkCount() {
    const auto& links = Customization().calendarURLlinks;
    return std::min(static_cast<int>(links.size()), kMostLinks);
}

// The column under the pointer, from the window's mouse position rather than the event's.
int ColumnUnderPointer(const CalendarWindow& window) {
    listboxButton& strip = *window.wwwLinksList;
    return strip.getColumn(window.MouseX() - strip.Left());
}
} // namespace

void CalendarWindow::wwwLinksList_Open() {
    const CustomizationModule& module = Customization();
    if (!module.includeLinkButtons) return;
    listboxButton& strip = *wwwLinksList;
    strip.SetParent(nullptr);
    // The bottom band opened first, so its height is already the placed one.
    strip.SetHeight(CorvessaEdition() ? 22 : static_cast<int>(BottomCanvas->Height() * 0.11023622));
    const int availableHeight = Screen(0).AvailableHeight;
    strip.SetTop(static_cast<int>(std::floor(availableHeight * module.TitleAreaHeightPercent)) +
                 static_cast<int>(std::floor(availableHeight * module.CalendarAreaHeightPercent)));
    strip.SetEnabled(true);
    strip.SetCursor(MouseCursor::Finger);
    strip.SetDefaultRowHeight(strip.Height());
    strip.AddRow("");

    const int links = LinkCount();
    if (static_cast<int>(module.calendarURLlinks.size()) > links)
        std::cerr << "Links strip: only the first " << kMostLinks << " of "
                  << module.calendarURLlinks.size() << " links are shown\n";
    strip.SetColumnCount(links + 1);
    // Captions are measured in the strip's font.
    Picture scratch(120, strip.Height(), 32);
    Graphics& measure = scratch.Graphics();
    measure.TextFont = strip.TextFont;
    measure.TextSize = strip.TextSize;
    measure.Bold = strip.Bold;
    std::string widths;
    for (int i = 0; i < links; ++i) {
        const auto& [caption, url] = module.calendarURLlinks[static_cast<size_t>(i)];
        if (i > 0) widths += ",";
        widths += Str(static_cast<long long>(measure.StringWidth(caption) + 40));
        strip.SetCellTag(0, i, url);
    }
    // The last column keeps the default width: what the links leave.
    strip.SetColumnWidths(widths);
    strip.SetVisible(true);
}

bool CalendarWindow::wwwLinksList_CellBackgroundPaint(Graphics& g, int, int column) {
    const listboxButton& strip = *wwwLinksList;
    // A grey caption centred on the whole strip, which the opaque slice then covers.
    const std::string caption =
        NthField("HOME PAGE,NEWS,EVENTS,STUDENTS,ATHLETICS,ALUMNI", ",", column + 1);
    g.TextFont = "Verdana";
    g.TextSize = 11;
    g.Bold = false;
    g.ForeColor = RGB(153, 153, 153);
    g.DrawString(caption, static_cast<int>(strip.Width() / 2.0 - g.StringWidth(caption) / 2),
                 static_cast<int>(strip.Height() / 2.0 + g.StringHeight(caption, 999) / 2));
    if (const PicturePtr slices = linkButtons())
        g.DrawPicture(*slices, 0, 0, strip.ColumnWidth(column), strip.Height(),
                      strip.StateOf(column) * kSliceWidth, 0, kSliceWidth, strip.Height());
    return false;
}

bool CalendarWindow::wwwLinksList_CellTextPaint(Graphics& g, int, int column, int, int) {
    const listboxButton& strip = *wwwLinksList;
    g.TextFont = strip.TextFont;
    g.TextSize = strip.TextSize;
    g.Bold = strip.Bold;
    g.ForeColor = RGB(255, 255, 255);
    if (column < LinkCount()) {
        const std::string& caption =
            Customization().calendarURLlinks[static_cast<size_t>(column)][0];
        const int w = static_cast<int>(g.StringWidth(caption));
        g.DrawString(caption, static_cast<int>(strip.ColumnWidth(column) / 2.0 - w / 2.0),
                     static_cast<int>(strip.DefaultRowHeight() / 2.0 + 2));
    }
    return false;
}

// The strip is a row of buttons: a click never selects.
bool CalendarWindow::wwwLinksList_CellClick(int, int, int, int) {
    return true;
}

void CalendarWindow::wwwLinksList_MouseMove(int, int) {
    listboxButton& strip = *wwwLinksList;
    const int column = ColumnUnderPointer(*this);
    if (column == strip.currentColumn) return;
    strip.SetState(strip.currentColumn, 0);
    strip.SetState(column, 1);
    strip.currentColumn = column;
}

void CalendarWindow::wwwLinksList_MouseExit() {
    wwwLinksList->SetState(ColumnUnderPointer(*this), 0);
}

bool CalendarWindow::wwwLinksList_MouseDown(int, int) {
    wwwLinksList->SetState(ColumnUnderPointer(*this), 2);
    return true;
}

void CalendarWindow::wwwLinksList_MouseUp(int, int) {
    listboxButton& strip = *wwwLinksList;
    const int column = ColumnUnderPointer(*this);
    const std::string link = strip.CellTag(0, column);
    if (!link.empty()) ShowURL(link);
    strip.SetState(column, 0);
}
