#pragma once
// A pair of small arrow buttons: a press on the upper half raises Up, on the lower half Down.
#include "platform/Control.h"

#include <functional>

class UpDownArrows : public RectControl {
  public:
    UpDownArrows();

    std::function<void()> OnUp;
    std::function<void()> OnDown;
    virtual void Event_Up() {
        if (OnUp) OnUp();
    }
    virtual void Event_Down() {
        if (OnDown) OnDown();
    }
};
