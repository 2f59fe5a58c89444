#pragma once
// A button drawn with a bevel of a chosen style, or as its caption alone (style NoBevel); a
// click raises Action.
#include "platform/Control.h"

#include <functional>
#include <string>

class BevelButton : public RectControl {
  public:
    enum BevelStyle { SmallBevel = 0, NormalBevel = 1, LargeBevel = 2, NoBevel = 4 };

    BevelButton();

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Bevel = SmallBevel;
    std::string TextFont = "System";
    int TextSize = 0;
    // The row chosen from the button's drop-down menu; -1 for none.
    int MenuValue = -1;

    std::function<void()> OnAction;
    virtual void Event_Action() {
        if (OnAction) OnAction();
    }

  private:
    std::string caption_;
};
