#pragma once
// The main calendar window.
#include "platform/Window.h"

class CalendarWindow : public Window {
  public:
    // The open main window, or a new one.
    static CalendarWindow& Instance();

  protected:
    void Event_Open() override;
    void Event_Close() override;
};
