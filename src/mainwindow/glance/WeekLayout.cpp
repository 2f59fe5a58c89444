// Placing the week face's controls under the title area when the window creates them.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/Glance.h"
#include "mainwindow/yearview/YearGrid.h"

#include "customisation/CustomizationModule.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <string>

using YearGrid::Int;

namespace Glance {

double AreaTop() {
    return Screen(0).AvailableHeight * Customization().TitleAreaHeightPercent;
}

double AreaHeight() {
    return Screen(0).AvailableHeight * Customization().CalendarAreaHeightPercent;
}

int ListTextSize(int designSize) {
    const int height = Screen(0).Height;
    if (height < 601) return 10;
    if (height < 769) return 11;
    return designSize;
}

} // namespace Glance

void CalendarWindow::GlanceHeader_Open() {
    calList& header = *GlanceHeader;
    header.SetTop(Int(Glance::AreaTop()));
    header.SetDefaultRowHeight(header.Height());
    header.TextSize = Glance::ListTextSize(header.TextSize);
    header.SetColumnAlignment(0, ListBox::AlignCenter);
    std::string widths = "60";
    const double dayWidth = (Screen(0).AvailableWidth - 60 - MiniCalList[0]->Width()) / 7.0;
    for (int column = 1; column < GlanceList->ColumnCount(); ++column) {
        header.SetColumnAlignment(column, ListBox::AlignCenter);
        widths += "," + Str(dayWidth);
    }
    header.SetColumnWidths(widths + ",25,25,68,25,25");
    header.AddRow();
}

void CalendarWindow::MiniCalList_Open(int index) {
    MiniCalListControl& mini = *MiniCalList[index];
    mini.SetTop(Int(Glance::AreaTop() + GlanceHeader->Height() + index * mini.Height()));
    mini.loadMonth(index);
}

void CalendarWindow::GlanceList_Open() {
    calList& grid = *GlanceList;
    grid.SetTop(Int(Glance::AreaTop() + GlanceHeader->Height()));
    grid.SetHeight(Int(Glance::AreaHeight() - GlanceHeader->Height()));
    grid.SetColumnWidths("60,*,*,*,*,*,*,*");
    grid.SetColumnAlignment(0, ListBox::AlignRight);
    for (int column = 1; column < grid.ColumnCount(); ++column)
        grid.SetColumnAlignment(column, ListBox::AlignCenter);
    grid.TextSize = Glance::ListTextSize(grid.TextSize);
    grid.LoadEvents(grid);
}

void CalendarWindow::ToDoListHeader_Open() {
    ToDoListHeader->SetTop(
        Int(Glance::AreaTop() + GlanceHeader->Height() + MiniCalList[0]->Height()));
}
