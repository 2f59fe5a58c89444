#pragma once
// A line (or lines) of text on a window.
#include "platform/Color.h"
#include "platform/Control.h"

#include <string>

class StaticText : public RectControl {
  public:
    enum Alignment { AlignDefault = 0, AlignLeft = 1, AlignCenter = 2, AlignRight = 3 };

    StaticText();

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    Color TextColor() const { return textColor_; }
    void SetTextColor(Color color);
    std::string TextFont = "System";
    int TextSize = 0;
    bool Bold = false;
    bool Italic = false;
    int TextAlign = AlignDefault;
    // Several lines: carriage returns and line feeds break lines, long lines wrap at words.
    bool Multiline = false;

  private:
    std::string text_;
    Color textColor_{};
};
