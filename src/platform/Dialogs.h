#pragma once
// Modal message boxes.
#include <functional>
#include <string>

// Closes a message box from code while it is open, for a message that stops being true before
// the user has answered it (what could not be saved was saved after all).
class MessageCloser {
  public:
    // Closes the box shown through this closer, as its close button would; nothing when none is
    // open.
    void Close() {
        if (close_) close_();
    }

  private:
    friend class MessageDialog;
    std::function<void()> close_;
};

// A message with an OK button; closer, when given, can close it while it is open.
void MsgBox(const std::string& message, MessageCloser* closer = nullptr);

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
    // Closes the dialog from code while it is shown; none for a dialog only the user closes.
    MessageCloser* Closer = nullptr;

    // Shows the dialog and waits for a button; closing it otherwise counts as Cancel.
    Pressed ShowModal() const;
};
