#pragma once
// A text that acts as a button. It always stands directly on its window.
#include "platform/StaticText.h"

#include <functional>

class TextButton : public StaticText {
  public:
    bool MouseIn = false;

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

    void Event_Open() override;
};
