#pragma once
// The links bar: one column per link, each drawn in its state (0 normal, 1 over, 2 pressed).
#include "platform/ListBox.h"

#include <vector>

class listboxButton : public ListBox {
  public:
    std::vector<int> cellState;
    int currentColumn = 0;
};
