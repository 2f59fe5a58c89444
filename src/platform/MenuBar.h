#pragma once
// Menus: a tree of items under a menu bar. Items are found by name; several items may share a
// name, and a look-up then finds the first in menu order.
#include <memory>
#include <string>
#include <vector>

class Window;

class MenuItem {
  public:
    MenuItem(std::string name, std::string text, std::string shortcut = {},
             bool autoEnable = false);
    // An enabled item named by its caption, as pop-up menus built at run time use.
    explicit MenuItem(std::string text);
    virtual ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::string Name;
    std::string Text; // the caption; "-" makes a separator
    // As the designer wrote it, with Cmd for the command key ("Cmd+W"); on this desktop Cmd is
    // the Control key.
    std::string Shortcut;
    // AutoEnable items are enabled before every menu update; the others keep the state that
    // the program last gave them. An item starts enabled exactly when it auto-enables.
    bool AutoEnable = false;
    bool Enabled = false;
    // The program's own value for the item; the menus never read it.
    std::string Tag;

    bool IsSeparator() const { return Text == "-"; }

    MenuItem& Append(std::unique_ptr<MenuItem> item);
    int Count() const { return static_cast<int>(children_.size()); }
    MenuItem* Item(int index) const;
    // The direct child of that name; nullptr when there is none.
    MenuItem* Child(const std::string& name) const;
    // The first item of that name at any depth below this one, in menu order.
    MenuItem* FindItem(const std::string& name) const;
    // The first item at any depth whose shortcut is that key ("Ctrl+W"); nullptr when none.
    MenuItem* ItemForKey(const std::string& key) const;

    // Shows the items below this one as a pop-up menu, at a point of a window or at the mouse,
    // and waits for the user: the chosen item, or nullptr when the menu was dismissed.
    MenuItem* PopUp(Window& window, int x, int y);
    MenuItem* PopUp();

    // The key in the desktop's terms: "Cmd+W" becomes "Ctrl+W"; empty when there is none.
    std::string DesktopShortcut() const;

  private:
    std::vector<std::unique_ptr<MenuItem>> children_;
};

// Items that the desktop treats apart: the about and preferences items and the quit item.
class AppleMenuItem : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

class PrefsMenuItem : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

// Choosing it quits the application unless a handler takes the command first.
class QuitMenuItem : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

class MenuBar : public MenuItem {
  public:
    MenuBar();
    using MenuItem::PopUp;

    // Shows the menus as a pop-up at a point of the screen, after the menu update; a chosen
    // item goes to the application's menu routing.
    void PopUp(int screenX, int screenY);
};

// The item of that name in a menu bar, searched through all its menus; NilObjectException when
// there is no menu bar or no such item.
MenuItem& MenuItemNamed(const MenuBar* bar, const std::string& name);
