// The pop-up menu buttons of the title band. The menus are reached by a right-click on the
// title band and by their shortcuts, so both buttons hide themselves for the whole run.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/CustomizationModule.h"

void CalendarWindow::MainMenuButton_Open() {
    MainMenuButton->SetParent(nullptr);
    MainMenuButton->SetTextColor(Customization().menuColor);
    MainMenuButton->SetVisible(false);
}

void CalendarWindow::menuButton2_Open() {
    menuButton2->SetParent(nullptr);
    menuButton2->SetVisible(false);
}
