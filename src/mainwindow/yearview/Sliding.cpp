// Sliding the calendar off the top of the screen.
#include "mainwindow/frame/CalendarWindow.h"

#include "platform/Application.h"
#include "platform/Screen.h"

void CalendarWindow::ScrollUp() {
    const auto availableTop = [] { return Screen(0).AvailableTop; };
    for (int y = availableTop(); y >= availableTop() - Height(); y -= 20) {
        SetTop(y);
        Show();
        DoEvents();
    }
    SetTop(availableTop() - Height() - 10);
    SetVisible(false);
}
