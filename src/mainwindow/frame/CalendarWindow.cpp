#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"

#include <memory>

CalendarWindow& CalendarWindow::Instance() {
    static std::unique_ptr<CalendarWindow> window;
    if (!window || !window->IsOpen()) window = std::make_unique<CalendarWindow>();
    return *window;
}

void CalendarWindow::Event_Open() {
    SetTitle("Calendar");
    App().CalendarWindowOpen = true;
}

void CalendarWindow::Event_Close() {
    App().CalendarWindowOpen = false;
}
