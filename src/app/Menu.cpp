#include "app/Menu.h"

#include "app/App.h"

#include <memory>

namespace {
template <class Item = MenuItem>
MenuItem& Add(MenuItem& menu, const char* name, const char* text, const char* shortcut,
              bool autoEnable) {
    return menu.Append(std::make_unique<Item>(name, text, shortcut, autoEnable));
}
} // namespace

Menu::Menu() {
    Untitled1();
    Untitled2();
    Untitled4();
}

Menu& Menu::Instance() {
    static Menu menu;
    return menu;
}

void Menu::Untitled1() {
    MenuItem& file = Add(*this, "FileMenu", "File", "", false);
    Add(file, "FileClose", "Close", "Cmd+W", false);
    Add(file, "UntitledMenu1", "-", "", true);
    Add(file, "FilePrint", "Print", "Cmd+P", false);
    Add(file, "UntitledMenu3", "-", "", false);
    Add<QuitMenuItem>(file, "FileQuit", "Quit", "Cmd+Q", true);
}

void Menu::Untitled2() {
    MenuItem& edit = Add(*this, "EditMenu", "Edit", "", false);
    Add(edit, "EditUndo", "Undo", "Cmd+Z", false);
    Add(edit, "UntitledMenu1", "-", "", false);
    Add(edit, "EditCut", "Cut", "Cmd+X", false);
    Add(edit, "EditCopy", "Copy", "Cmd+C", false);
    Add(edit, "EditPaste", "Paste", "Cmd+V", false);
    Add(edit, "EditClear", "Clear", "", false);
    Add<AppleMenuItem>(edit, "AppleAboutCalendar", "About Calendar", "", true);
    Add<AppleMenuItem>(edit, "UntitledMenu6", "-", "", false);
    Add<PrefsMenuItem>(edit, "ApplePreferences", "Preferences", "", true);
    Add(edit, "UntitledMenu0", "-", "", true);
    Add(edit, "EditToggleCDCanvas", "Show Countdown Event", "", false);
}

void Menu::Untitled4() {
    MenuItem& help = Add(*this, "HelpMenu", "Help", "", true);
    Add(help, "HelpHelp", "Help", "", true);
    Add(help, "HelpQuickStartHelp", "Quick Start Help", "", true);
    Add(help, "UntitledItem", "-", "", true);
    Add(help, "HelpGotoURL", "GotoURL", "", true);
}

MenuItem& FileClose() {
    return MenuItemNamed(App().MenuBar(), "FileClose");
}
MenuItem& FilePrint() {
    return MenuItemNamed(App().MenuBar(), "FilePrint");
}
MenuItem& EditToggleCDCanvas() {
    return MenuItemNamed(App().MenuBar(), "EditToggleCDCanvas");
}
MenuItem& HelpQuickStartHelp() {
    return MenuItemNamed(App().MenuBar(), "HelpQuickStartHelp");
}
MenuItem& HelpGotoURL() {
    return MenuItemNamed(App().MenuBar(), "HelpGotoURL");
}

void ApplicationAddMenuHandlers() {
    app& application = App();
    application.AddMenuHandler("AppleAboutCalendar",
                               [&] { return application.AppleAboutCalendar_Action(); });
    application.AddMenuHandler("ApplePreferences",
                               [&] { return application.ApplePreferences_Action(); });
    application.AddMenuHandler("HelpHelp", [&] { return application.HelpHelp_Action(); });
    application.AddMenuHandler("EditToggleCDCanvas",
                               [&] { return application.EditToggleCDCanvas_Action(); });
    application.AddMenuHandler("FileClose", [&] { return application.FileClose_Action(); });
    application.AddMenuHandler("FilePrint", [&] { return application.FilePrint_Action(); });
    application.AddMenuHandler("HelpGotoURL", [&] { return application.HelpGotoURL_Action(); });
}
