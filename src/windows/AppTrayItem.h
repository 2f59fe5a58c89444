#pragma once
// The calendar's icon in the status area: today's day of the month on a small calendar page.
// A left click shows or hides the month window, a double click shows it, a right click opens
// a menu with the about window, the open to-do items, the month window and the preferences.
#include "platform/TrayItem.h"

#include <memory>

class AppTrayItem : public TrayItem {
  public:
    // Draws the icon for today and sets the help tag.
    AppTrayItem();

    // Draws the icon for today.
    void UpdateIcon();
    void Event_Action(int cause) override;

    // The tray menu as it stands now.
    std::unique_ptr<MenuItem> BuildMenu() const;
    // Carries out a choice from the tray menu; to-do items do nothing.
    void Choose(const MenuItem& item);
};
