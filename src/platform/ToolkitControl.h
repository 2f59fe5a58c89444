#pragma once
// A control drawn by one of the toolkit's own widgets (a button, a text field, ...), which
// fills the control's rectangle. Its text font and size apply to that widget.
#include "platform/Control.h"

#include <memory>
#include <string>

class ToolkitControl : public RectControl {
  public:
    const std::string& TextFont() const { return textFont_; }
    void SetTextFont(const std::string& font);
    // 0 takes the toolkit's size.
    int TextSize() const { return textSize_; }
    void SetTextSize(int size);
    bool Bold() const { return bold_; }
    void SetBold(bool value);

  protected:
    // inner becomes a child of the control's widget, which owns it.
    explicit ToolkitControl(QWidget* inner);
    QWidget& Inner() const { return *inner_; }

  private:
    void ApplyFont();
    QWidget* inner_;
    std::string textFont_ = "System";
    int textSize_ = 0;
    bool bold_ = false;
};
