// Where the week grid hands a click over to the event editor.
#include "mainwindow/frame/CalendarWindow.h"

// FIXME: the event editor window is not part of the program yet; until it is, a click on the
// week grid selects the slot and opens nothing.
void CalendarWindow::OpenEventEditor() {}
