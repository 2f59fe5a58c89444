#pragma once
// The month and week grids of the main window.
#include "platform/ListBox.h"

#include <array>

class calList : public ListBox {
  public:
    // Hover flags by column; the week header uses flag 0.
    std::array<bool, 15> MouseEnteredColumn{};
};
