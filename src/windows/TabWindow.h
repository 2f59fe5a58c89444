#pragma once
// The small tab at the top edge of the screen that brings the calendar back. For now it only
// stands in its place; what it does comes with its own window.
#include "platform/Window.h"

class TabWindow : public Window {
  public:
    TabWindow();
    // The open tab window, or a new one, opened.
    static TabWindow& Instance();
};
