#pragma once
// A check box with a caption. Action follows a click of the user only, never a change of
// Value made by the program.
#include "platform/ToolkitControl.h"

#include <functional>
#include <string>

class QCheckBox;

class CheckBox : public ToolkitControl {
  public:
    CheckBox();

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    bool Value() const;
    void SetValue(bool value);

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

  private:
    QCheckBox* box_; // owned by the control's widget
};
