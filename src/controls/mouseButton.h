#pragma once
// A canvas button that knows whether the pointer is over it and repaints itself whenever that
// changes, so that its owner's Paint can draw the hover look. Entering and leaving are its own;
// every other event goes to the window.
#include "platform/Canvas.h"

class mouseButton : public Canvas {
  public:
    bool mouseIn = false;

    void Event_MouseEnter() override;
    void Event_MouseExit() override;
};
