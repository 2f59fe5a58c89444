#pragma once
// The month and week grids of the main window: a list box that lays out a month, fills the
// week grid from the event store, and stores or deletes one event of the week grid.
#include "platform/Date.h"
#include "platform/ListBox.h"

#include <array>
#include <string>

class calList : public ListBox {
  public:
    // Hover flags by column; the week header uses flag 0.
    std::array<bool, 15> MouseEnteredColumn{};

    // The month offset months after the selected date's month: a title row, the weekday
    // letters and six week rows; with offset 0 the selected day's week row is selected.
    void loadMonth(int offset);
    // Rebuilds list as the week grid of the selected date's week from the event store.
    void LoadEvents(calList& list);
    // Stores the event that starts at the selected date and retags its day's cells; refuses
    // (with a message, storing nothing) an end on another day or outside the grid.
    void AddEvent(const Date& end, const std::string& text);
    // Deletes the event that starts at the selected date and retags its day's cells.
    void RemoveEvent();
};
