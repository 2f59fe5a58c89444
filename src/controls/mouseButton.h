#pragma once
// A canvas button that remembers whether the pointer is over it.
#include "platform/Canvas.h"

class mouseButton : public Canvas {
  public:
    bool mouseIn = false;
};
