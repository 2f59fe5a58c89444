#pragma once
// Modal message boxes.
#include <string>

// A message with an OK button.
void MsgBox(const std::string& message);

struct MessageDialogButton {
    std::string Caption;
    bool Visible = true;
};

class MessageDialog {
  public:
    enum class Pressed { Action, Alternate, Cancel };

    int Icon = 0; // 0 note, 1 caution, 2 stop, 3 question
    std::string Message;
    std::string Explanation;
    MessageDialogButton ActionButton{"OK", true};
    MessageDialogButton AlternateActionButton{"", false};
    MessageDialogButton CancelButton{"Cancel", false};

    // Shows the dialog and waits for a button; closing it otherwise counts as Cancel.
    Pressed ShowModal() const;
};
