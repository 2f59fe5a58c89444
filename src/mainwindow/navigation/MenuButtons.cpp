// The pop-up main menu and its two buttons at the top right of the title band. The menu is
// built afresh at each click from the window's state and dispatched by caption. The window's
// menus are reached by a right-click on the title band and by their shortcuts, so both buttons
// hide themselves for the whole run; the menu stays complete all the same.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/MenuBar.h"
#include "platform/ShowURL.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PreferencesWindow.h"
#include "windows/TabWindow.h"

#include <memory>
#include <string>
#include <vector>

void CalendarWindow::MainMenuButton_Open() {
    MainMenuButton->SetParent(nullptr);
    MainMenuButton->SetVisible(false);
    MainMenuButton->SetTextColor(Customization().menuColor);
}

void CalendarWindow::menuButton2_Open() {
    menuButton2->SetParent(nullptr);
    menuButton2->SetVisible(false);
}

// "Menu" over the backdrop, brighter and bold under the pointer.
void CalendarWindow::menuButton2_Paint(Graphics& g) {
    const bool lit = menuButton2->mouseIn;
    g.ForeColor = lit ? RGB(254, 254, 254) : RGB(240, 240, 240);
    g.Bold = lit;
    g.Italic = false;
    g.TextSize = 11;
    g.DrawString("Menu", static_cast<int>(menuButton2->Width() / 2.0 - g.StringWidth("Menu") / 2),
                 12);
}

// The hover button opens the menu on the press itself.
bool CalendarWindow::menuButton2_MouseDown(int, int) {
    RunMainMenu();
    return false;
}

// The text button opens it on a release inside it.
void CalendarWindow::MainMenuButton_Action() {
    RunMainMenu();
}

void CalendarWindow::RunMainMenu() {
    const std::string gotoVendor = "Goto " + Customization().vendorURL;
    const std::vector<std::string> captions = {
        "Help",
        "Quick Start Help",
        "-",
        Calendar->Visible() ? "Print Calendar" : "Print Week At A Glance",
        "-",
        CountdownCanvas->Visible() ? "Hide Countdown Event" : "Show Countdown Event",
        "Preferences",
        "-",
        gotoVendor,
        "-",
        "About Calendar",
        "-",
        "Exit"};
    MenuItem root("");
    for (const std::string& caption : captions)
        root.Append(std::make_unique<MenuItem>(caption));
    const MenuItem* chosen = root.PopUp();
    if (chosen) DoMainMenuCommand(chosen->Text);
}

// Where these differ from the menu bar's commands, they do so on purpose: printing keeps less
// off paper (yearview/Printing says what); Preferences opens as a plain window; About is left
// to an edition's own about window.
void CalendarWindow::DoMainMenuCommand(const std::string& caption) {
    const CustomizationModule& module = Customization();
    if (caption == "Help") {
        HelpWindow::Instance().Show();
    } else if (caption == "Quick Start Help") {
        HelpQuickStartHelp_Action();
    } else if (caption == "Print Calendar" || caption == "Print Week At A Glance") {
        ArmPrint(PrintCommand::PopUpMenu);
    } else if (caption == "Show Countdown Event" || caption == "Hide Countdown Event") {
        CountdownCanvas->SetVisible(caption == "Show Countdown Event");
    } else if (caption == "Preferences") {
        PreferencesWindow::Instance().Show();
    } else if (caption == "Goto " + module.vendorURL) {
        ShowURL(module.vendorURL);
    } else if (caption == "About Calendar") {
        if (!module.customAboutWindow) AboutWindow::Instance().Show();
    } else if (caption == "Exit") {
        App().Quit(0);
    }
}
