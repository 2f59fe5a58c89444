// The program's menu bar and the accessors of its items.
#include "support/TestEnvironment.h"

#include "app/App.h"
#include "app/Menu.h"
#include "platform/Exceptions.h"

// Quit quits whichever window is in front; the File and Edit menus each have their own item
// of the shared name.
TEST(MenuBarTest, QuitIsAQuitItemAndSharedNamesStayApart) {
    Menu& menu = Menu::Instance();
    EXPECT_NE(dynamic_cast<QuitMenuItem*>(menu.FindItem("FileQuit")), nullptr);
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
