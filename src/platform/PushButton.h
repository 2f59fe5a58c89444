#pragma once
// A push button. The window's default button is pressed by Return and its cancel button by
// Escape, when the focused control and the window leave those keys alone.
#include "platform/ToolkitControl.h"

#include <functional>
#include <string>

class QPushButton;

class PushButton : public ToolkitControl {
  public:
    PushButton();

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Default = false;
    bool Cancel = false;

    // Presses the button as a click would, when it is shown and enabled.
    void Push();

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

  private:
    QPushButton* button_; // owned by the control's widget
};
