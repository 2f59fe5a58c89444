// The main window's own events and its part in the menu commands.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "windows/TabWindow.h"

void CalendarWindow::Event_Open() {
    LoadBackgroundImage();
    App().CalendarWindowOpen = true;
    // The tab comes once the calendar's first frame is up (a use before makes it at once).
    AfterFirstFrame([this] {
        if (IsOpen() && !App().closing) TabWindow::Instance().Show();
    });
    AfterFirstFrame([this] {
        if (IsOpen() && !App().closing) PrepareWeekFace();
    });
    Show();
}

void CalendarWindow::Event_Close() {
    // Once the window's last write is done, the files another program may still write are noted
    // for the next start, and the copies the watch named while a message of that write was up are
    // told. The X server's end at such a message cuts the close off there: done then instead.
    const auto afterTheWrite = [this] {
        LookAtParked(true);
        TellOutsideCopies();
    };
    {
        const IfTheDisplayGoes cutOff([&] {
            tellingOutsideCopies_ = false; // that message never returns
            afterTheWrite();
        });
        SaveEvents();
    }
    afterTheWrite();
    App().CalendarWindowOpen = false;
}

void CalendarWindow::Event_DesktopClose() {
    Application& application = *Application::Instance();
    application.UpdateMenuItems();
    if (FileClose().Enabled) application.DoMenuCommand("FileClose");
}

void CalendarWindow::Event_Activate() {
    App().Deactivated = false;
}

void CalendarWindow::Event_Moved() {
    // Pulled back up when dragged down; left alone when parked above the screen.
    const int availableTop = Screen(0).AvailableTop;
    if (Top() > availableTop) SetTop(availableTop);
}

void CalendarWindow::Event_EnableMenuItems() {
    HelpQuickStartHelp().Enabled = true;
}

bool CalendarWindow::Event_KeyDown(const std::string& key) {
    KeyBoardControl(key);
    return false;
}

void CalendarWindow::AddMenuHandlers() {
    AddMenuHandler("EditToggleCDCanvas", [this] { return EditToggleCDCanvas_Action(); });
    AddMenuHandler("FileClose", [this] { return FileClose_Action(); });
    AddMenuHandler("FilePrint", [this] { return FilePrint_Action(); });
    AddMenuHandler("HelpQuickStartHelp", [this] { return HelpQuickStartHelp_Action(); });
}

// The application carries these three out.
bool CalendarWindow::EditToggleCDCanvas_Action() {
    return false;
}
bool CalendarWindow::FileClose_Action() {
    return false;
}
bool CalendarWindow::FilePrint_Action() {
    return false;
}

bool CalendarWindow::HelpQuickStartHelp_Action() {
    if (!Calendar->Visible()) GlanceOff();
    QuickStartHelp->SetVisible(true);
    return false;
}

bool CalendarWindow::MenuBandContains(int, int y) const {
    const int availableHeight = Screen(0).AvailableHeight;
    return y >= 0 && y < static_cast<int>(availableHeight * Customization().TitleAreaHeightPercent);
}
