#pragma once
// The program's one menu bar, which the application object and the main window share, and the
// global accessors of its items.
#include "platform/MenuBar.h"

class Menu : public MenuBar {
  public:
    Menu();
    // The one instance, made on first use.
    static Menu& Instance();

  private:
    void Untitled1(); // File
    void Untitled2(); // Edit
    void Untitled4(); // Help
};

// The item of that name in the application's menu bar, searched through all its menus. They
// raise NilObjectException when the application has no menu bar or no such item.
MenuItem& FileClose();
MenuItem& FilePrint();
MenuItem& EditToggleCDCanvas();
MenuItem& HelpQuickStartHelp();
MenuItem& HelpGotoURL();

// Registers the application's menu handlers by item name; once, at start-up.
void ApplicationAddMenuHandlers();
