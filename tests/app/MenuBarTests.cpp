// The program's menu bar: its items, their captions, keys and kinds.
#include "support/TestEnvironment.h"

#include "app/App.h"
#include "app/Menu.h"
#include "platform/Exceptions.h"

#include <string>
#include <vector>

TEST(MenuBarTest, MenusHoldTheirItemsInOrderWithKeysAndKinds) {
    Menu& menu = Menu::Instance();
    EXPECT_EQ(&Menu::Instance(), &menu);
    std::vector<std::string> names, texts;
    for (int i = 0; i < menu.Count(); ++i) {
        const MenuItem& top = *menu.Item(i);
        names.push_back(top.Name);
        for (int j = 0; j < top.Count(); ++j)
            texts.push_back(top.Item(j)->Text);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"FileMenu", "EditMenu", "HelpMenu"}));
    EXPECT_EQ(texts, (std::vector<std::string>{"Close", "-",
                                               "Print", "-",
                                               "Quit",  "Undo",
                                               "-",     "Cut",
                                               "Copy",  "Paste",
                                               "Clear", "About Calendar",
                                               "-",     "Preferences",
                                               "-",     "Show Countdown Event",
                                               "Help",  "Quick Start Help",
                                               "-",     "GotoURL"}));
    EXPECT_EQ(menu.FindItem("FileClose")->DesktopShortcut(), "Ctrl+W");
    EXPECT_EQ(menu.FindItem("FilePrint")->DesktopShortcut(), "Ctrl+P");
    EXPECT_NE(dynamic_cast<QuitMenuItem*>(menu.FindItem("FileQuit")), nullptr);
    EXPECT_NE(dynamic_cast<PrefsMenuItem*>(menu.FindItem("ApplePreferences")), nullptr);
    EXPECT_NE(dynamic_cast<AppleMenuItem*>(menu.FindItem("AppleAboutCalendar")), nullptr);
    // The File and Edit menus each have their own item of the shared name.
    EXPECT_NE(menu.Child("FileMenu")->Child("UntitledMenu1"),
              menu.Child("EditMenu")->Child("UntitledMenu1"));
    EXPECT_FALSE(menu.FindItem("EditToggleCDCanvas")->Enabled);
    EXPECT_TRUE(menu.FindItem("HelpGotoURL")->Enabled);
}

TEST(MenuBarTest, ItemAccessorsNeedTheApplicationsMenuBar) {
    TestEnvironment environment;
    app application;
    EXPECT_THROW(FilePrint(), NilObjectException);
    application.SetMenuBar(&Menu::Instance());
    EXPECT_EQ(&FilePrint(), Menu::Instance().FindItem("FilePrint"));
    EXPECT_EQ(HelpGotoURL().Name, "HelpGotoURL");
}
