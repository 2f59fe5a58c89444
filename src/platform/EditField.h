#pragma once
// A text field of one line, or of many lines with a vertical scroll bar. Its owner may refuse
// typed keys in KeyDown; TextChange follows every change of the text, typed or set.
#include "platform/Color.h"
#include "platform/ToolkitControl.h"

#include <functional>
#include <string>

class QLineEdit;
class QPlainTextEdit;

class EditField : public ToolkitControl {
  public:
    // A multi-line field breaks lines at words and at carriage returns or line feeds, and
    // Return starts a new line instead of reaching the window's default button.
    explicit EditField(bool multiline = false);
    ~EditField() override;

    std::string Text() const;
    void SetText(const std::string& text);

    Color TextColor() const { return textColor_; }
    void SetTextColor(Color color);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);

    bool Multiline() const { return area_ != nullptr; }

    // The most characters a one-line field takes; 0 for no limit. Longer text is cut to the
    // limit. Multi-line fields take any length.
    int LimitText() const { return limitText_; }
    void SetLimitText(int count);
    bool ReadOnly() const;
    void SetReadOnly(bool value);

    // In characters; a start past the text is held at its end.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    std::string SelText() const;

    // Moves the keyboard focus into the field.
    void SetFocus();
    bool HasFocus() const;

    // KeyDown returns true to refuse the key: the field then ignores it.
    std::function<void()> OnTextChange;
    std::function<void()> OnLostFocus;
    virtual void Event_TextChange() {
        if (OnTextChange) OnTextChange();
    }
    virtual void Event_LostFocus() {
        if (OnLostFocus) OnLostFocus();
    }

  private:
    void ApplyStyle();
    // In characters.
    int Length() const;

    // One of the two, owned by the control's widget.
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* area_ = nullptr;
    Color textColor_{};
    Color backColor_ = RGB(255, 255, 255);
    int limitText_ = 0;
};
