#pragma once
// A text that acts as a push button: its colour follows the pointer (rest, over, pressed) and a
// release inside it raises Action. It always stands directly on its window. The mouse events
// are its own; the window sees only Open and Action.
#include "platform/Color.h"
#include "platform/StaticText.h"

#include <functional>

class TextButton : public StaticText {
  public:
    static constexpr Color kHoverColor{245, 245, 245};
    static constexpr Color kPressedColor{60, 60, 60};

    // Whether the pointer counts as inside; only the mouse events change it.
    bool MouseIn = false;

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

    void Event_Open() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    void Event_MouseMove(int, int) override {}
    void Event_MouseEnter() override;
    void Event_MouseExit() override;

  private:
    // The edition's menu colour, read each time: a new edition shows at the next rest.
    void ShowRestColour();
};
