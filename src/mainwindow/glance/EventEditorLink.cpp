// Where the week grid hands a click over to the event editor.
#include "mainwindow/frame/CalendarWindow.h"

#include "editors/GlanceInputWindow.h"

void CalendarWindow::OpenEventEditor() {
    GlanceInputWindow::EditSelectedEvent();
}
