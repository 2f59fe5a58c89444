#pragma once
// An icon in the desktop's status area (the system tray), where the desktop has one. Clicks
// reach Event_Action with their cause. The item is shown from AddTrayItem to RemoveTrayItem.
#include "platform/MenuBar.h"
#include "platform/Picture.h"

#include <functional>
#include <memory>
#include <string>

class TrayItem {
  public:
    enum Cause { LeftClick = 100, RightClick = 101, DoubleClick = 102 };

    TrayItem();
    virtual ~TrayItem();
    TrayItem(const TrayItem&) = delete;
    TrayItem& operator=(const TrayItem&) = delete;

    const PicturePtr& Icon() const { return icon_; }
    void SetIcon(PicturePtr picture);
    const std::string& HelpTag() const { return helpTag_; }
    void SetHelpTag(const std::string& text);

    virtual void Event_Action(int) {}

    // Shows menu at the mouse and hands the item chosen to chosen; nothing chosen, no call.
    // Captions follow the menu bar's rules ("-" a separator, "&" marking a key) except for
    // items made as LiteralMenuItem. Where the desktop opens the item's menu itself, this
    // fills that menu and the choice arrives later.
    void PopUpMenu(std::unique_ptr<MenuItem> menu, std::function<void(const MenuItem&)> chosen);

    // Whether the item is in the status area now.
    bool Shown() const;
    // Whether this desktop has a status area at all.
    static bool Available();

    struct Impl;

  private:
    friend void AddTrayItem(TrayItem& item);
    friend void RemoveTrayItem(TrayItem& item);

    std::unique_ptr<Impl> impl_;
    PicturePtr icon_;
    std::string helpTag_;
};

// A menu item whose caption shows as it stands: never a separator, no key marked.
class LiteralMenuItem : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

// A menu item shown as a submenu, also while it holds no items.
class SubmenuItem : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

// Puts the item into the status area (where there is one) and takes it out again.
void AddTrayItem(TrayItem& item);
void RemoveTrayItem(TrayItem& item);
