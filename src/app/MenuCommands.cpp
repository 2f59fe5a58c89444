// The application's menu commands and the menu update before a menu shows or a shortcut acts.
#include "app/App.h"
#include "app/Menu.h"

#include "controls/cCanvas.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/ShowURL.h"
#include "platform/StaticText.h"
#include "platform/Timer.h"
#include "platform/UpDownArrows.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PreferencesWindow.h"
#include "windows/TabWindow.h"

void app::Event_EnableMenuItems() {
    if (closing) return;
    if (CalendarWindowOpen) {
        CalendarWindow& window = CalendarWindow::Instance();
        const bool onScreen = window.Top() >= 0;
        const bool yearFace = window.Calendar->Visible();
        FileClose().Enabled = onScreen;
        FilePrint().Text = yearFace ? "Print Calendar" : "Print Week At A Glance";
        FilePrint().Enabled = onScreen;
        EditToggleCDCanvas().Text =
            window.CountdownCanvas->Visible() ? "Hide Countdown Event" : "Show Countdown Event";
        EditToggleCDCanvas().Enabled = yearFace;
    }
    HelpQuickStartHelp().Enabled = true;
    HelpGotoURL().Text = "Goto " + Customization().vendorURL;
    HelpGotoURL().Enabled = true;
}

bool app::AppleAboutCalendar_Action() {
    AboutWindow::Instance().Show();
    return false;
}
// Modal, in front of the main window but centred on the screen: the main window may be parked
// above it.
bool app::ApplePreferences_Action() {
    PreferencesWindow::Instance().ShowModal();
    return false;
}
bool app::HelpHelp_Action() {
    HelpWindow::Instance().Show();
    return false;
}

bool app::EditToggleCDCanvas_Action() {
    CalendarWindow& window = CalendarWindow::Instance();
    window.CountdownCanvas->SetVisible(window.EditToggleCDCanvas().Text == "Show Countdown Event");
    return false;
}

bool app::FileClose_Action() {
    // Close only slides the calendar away; the tab brings it back, and takes the keys so that
    // the space bar does too.
    CalendarWindow::Instance().ScrollUp();
    TabWindow::Instance().Show();
    return false;
}

bool app::FilePrint_Action() {
    CalendarWindow::Instance().ArmPrint(CalendarWindow::PrintCommand::MenuBar);
    return false;
}

bool app::HelpGotoURL_Action() {
    ShowURL(Customization().vendorURL);
    return false;
}
