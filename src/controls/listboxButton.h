#pragma once
// The links bar: a one-row list whose columns act as buttons. Each column carries a state (0
// normal, 1 over, 2 pressed) that the owner's cell painting turns into a picture.
#include "platform/ListBox.h"

#include <array>

class Graphics;

class listboxButton : public ListBox {
  public:
    // One state per column; the owner keeps the list at ten columns or fewer.
    std::array<int, 10> cellState{};
    int currentColumn = 0;

    // The column under x (in the list's coordinates). A column other than the last becomes
    // the hovered one and is repainted; the last column takes every x at or past the others.
    int getColumn(int x);

    // The state of a column, 0 for a column past the ten that carry one.
    int StateOf(int column) const;
    // Sets a column's state and repaints its button; columns past the ten are left alone.
    void SetState(int column, int state);

    // The owner draws each button's whole background, so the list never fills over it.
    bool Event_CellBackgroundPaint(Graphics& g, int row, int column) override;
};
