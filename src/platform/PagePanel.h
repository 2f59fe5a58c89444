#pragma once
// A stack of pages of which one is shown. The panel draws nothing and lets the mouse through;
// it decides which of the controls put on its pages are visible.
#include "platform/Control.h"

#include <vector>

class PagePanel : public RectControl {
  public:
    explicit PagePanel(int pageCount);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // The page shown, counted from 0.
    int Value() const { return value_; }
    // A value that names no page is ignored: the page shown stays.
    void SetValue(int page);
    // Puts a control on a page (a page outside the panel raises OutOfBoundsException).
    void Append(int page, RectControl& control);

  private:
    void ShowPage();

    std::vector<std::vector<RectControl*>> pages_;
    int value_ = 0;
};
