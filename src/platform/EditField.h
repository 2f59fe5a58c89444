#pragma once
// A one-line text field. Its owner may refuse typed keys in KeyDown; TextChange follows every
// change of the text, typed or set.
#include "platform/Color.h"
#include "platform/ToolkitControl.h"

#include <functional>
#include <string>

class EditFieldWidget;

class EditField : public ToolkitControl {
  public:
    EditField();
    ~EditField() override;

    std::string Text() const;
    void SetText(const std::string& text);

    Color TextColor() const { return textColor_; }
    void SetTextColor(Color color);
    Color BackColor() const { return backColor_; }
    void SetBackColor(Color color);

    // The most characters the field takes; 0 for no limit. Longer text is cut to the limit.
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

    EditFieldWidget* field_; // owned by the control's widget
    Color textColor_{};
    Color backColor_ = RGB(255, 255, 255);
    int limitText_ = 0;
};
