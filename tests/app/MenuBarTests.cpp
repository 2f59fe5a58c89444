// The program's menu bar: its items' keys and kinds.
#include "support/TestEnvironment.h"

#include "app/App.h"
#include "app/Menu.h"
#include "platform/Exceptions.h"

TEST(MenuBarTest, ItemsHaveTheirKeysAndKinds) {
    Menu& menu = Menu::Instance();
    EXPECT_EQ(&Menu::Instance(), &menu);
    EXPECT_EQ(menu.FindItem("FileClose")->DesktopShortcut(), "Ctrl+W");
    EXPECT_EQ(menu.FindItem("FilePrint")->DesktopShortcut(), "Ctrl+P");
    EXPECT_NE(dynamic_cast<QuitMenuItem*>(menu.FindItem("FileQuit")), nullptr);
    EXPECT_NE(dynamic_cast<PrefsMenuItem*>(menu.FindItem("ApplePreferences")), nullptr);
    EXPECT_NE(dynamic_cast<AppleMenuItem*>(menu.FindItem("AppleAboutCalendar")), nullptr);
    // The File and Edit menus each have their own item of the shared name.
    EXPECT_NE(menu.Child("FileMenu")->Child("UntitledMenu1"),
              menu.Child("EditMenu")->Child("UntitledMenu1"));
}

TEST(MenuBarTest, ItemAccessorsNeedTheApplicationsMenuBar) {
    TestEnvironment environment;
    app application;
    EXPECT_THROW(FilePrint(), NilObjectException);
    application.SetMenuBar(&Menu::Instance());
    EXPECT_EQ(&FilePrint(), Menu::Instance().FindItem("FilePrint"));
    EXPECT_EQ(HelpGotoURL().Name, "HelpGotoURL");
}
