// Where the week grid hands a click over to the event editor.
#include "mainwindow/frame/CalendarWindow.h"

#include "editors/GlanceInputWindow.h"

void CalendarWindow::OpenEventEditor() {
    GlanceInputWindow::EditSelectedEvent();
}

void CalendarWindow::ShowStoreChanges() {
    // A whole repaint: the grid has 224 cells, and a change of the selected day moves the
    // shading of two whole columns.
    if (GlanceList && GlanceList->Visible()) GlanceList->Invalidate();
}
