#include "windows/PreferencesWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Dialogs.h"
#include "platform/Screen.h"
#include "windows/AppTrayItem.h"
#include "windows/DefaultCalendarFile.h"
#include "windows/TabWindow.h"

#include <iostream>
#include <memory>

namespace {
template <class T>
T& Place(Window& window, const char* name, int left, int top, int width, int height,
         RectControl* parent) {
    T& control = window.AddControl(std::make_unique<T>(), name);
    control.SetBounds(left, top, width, height);
    control.SetParent(parent);
    return control;
}

// Whether the application was asked to end (a calendar that cannot be loaded ends it).
bool Ending() {
    return App().QuitRequested();
}
} // namespace

PreferencesWindow::PreferencesWindow() {
    Layout();
    CreateControls();
}

PreferencesWindow& PreferencesWindow::Instance() {
    return OpenWindow<PreferencesWindow>();
}

void PreferencesWindow::Layout() {
    SetTitle("Calendar Preferences");
    SetWidth(421);
    SetHeight(226);
    SetFrame(MovableModal);
    SetCloseButton(false);
    HasBackColor = false;
}

void PreferencesWindow::CreateControls() {
    CreateControls0();
}

void PreferencesWindow::CreateControls0() {
    TabPanel1 = &Place<TabPanel>(*this, "TabPanel1", 10, 8, 399, 167, nullptr);
    TabPanel1->SetTabs({"General"});

    ShowCountdownCB = &Place<CheckBox>(*this, "ShowCountdownCB", 34, 85, 323, 20, TabPanel1);
    ShowCountdownCB->SetCaption("Show countdown calendar at startup");
    ShowCountdownCB->OnOpen = [this] { ShowCountdownCB_Open(); };

    InstallSysTrayCB = &Place<CheckBox>(*this, "InstallSysTrayCB", 34, 111, 323, 20, TabPanel1);
    InstallSysTrayCB->SetCaption("Install Ombrelline Calendar icon in system tray");
    InstallSysTrayCB->OnOpen = [this] { InstallSysTrayCB_Open(); };

    DefaultCalendarPopup =
        &Place<PopupMenu>(*this, "DefaultCalendarPopup", 151, 49, 238, 20, TabPanel1);
    DefaultCalendarPopup->OnOpen = [this] { DefaultCalendarPopup_Open(); };
    DefaultCalendarPopup->OnChange = [this] { DefaultCalendarPopup_Change(); };

    StaticText1 = &Place<StaticText>(*this, "StaticText1", 34, 50, 114, 20, TabPanel1);
    StaticText1->SetText("Default Calendar:");
    StaticText1->TextAlign = StaticText::AlignLeft;

    OKButton = &Place<PushButton>(*this, "OKButton", 335, 192, 76, 20, nullptr);
    OKButton->SetCaption("OK");
    OKButton->Default = true;
    OKButton->LockRight = OKButton->LockBottom = true;
    OKButton->OnAction = [this] { OKButton_Action(); };

    WallpaperButton = &Place<BevelButton>(*this, "WallpaperButton", 36, 140, 187, 20, TabPanel1);
    WallpaperButton->SetCaption("Desktop Wallpaper");
    WallpaperButton->OnOpen = [this] { WallpaperButton_Open(); };
    WallpaperButton->OnAction = [this] { WallpaperButton_Action(); };
}

void PreferencesWindow::Event_Open() {
    // Centred on the whole screen rather than on the main window, which may be parked above it.
    CentreOnMainScreen(*this);
    HasBackColor = false;
}

void PreferencesWindow::Event_DesktopClose() {
    OKButton_Action();
}

void PreferencesWindow::ShowCountdownCB_Open() {
    ShowCountdownCB->SetValue(App().showCoundownCalendar);
}

// The tray icon is not offered on this desktop: the box stays hidden.
void PreferencesWindow::InstallSysTrayCB_Open() {
    InstallSysTrayCB->SetVisible(false);
    InstallSysTrayCB->SetValue(App().installSysTray);
}

void PreferencesWindow::DefaultCalendarPopup_Open() {
    const FolderItem& current = Customization().DefaultCalendarFolder;
    if (current.IsNone() || !current.Exists()) return;
    for (const FolderItem& folder : DefaultCalendarFile::CalendarFolders())
        DefaultCalendarPopup->AddRow(folder.Name());
    SelectCurrentCalendar();
}

void PreferencesWindow::SelectCurrentCalendar() {
    const std::string current = Customization().DefaultCalendarFolder.Name();
    for (int row = 0; row < DefaultCalendarPopup->ListCount(); ++row)
        if (DefaultCalendarPopup->List(row) == current) {
            DefaultCalendarPopup->SetListIndex(row);
            return;
        }
    DefaultCalendarPopup->SetListIndex(-1);
}

void PreferencesWindow::DefaultCalendarPopup_Change() {
    CustomizationModule& module = Customization();
    const std::string name = DefaultCalendarPopup->Text();
    if (name.empty() || name == module.DefaultCalendarFolder.Name()) return;
    const FolderItem folder = SpecialFolder::ApplicationFolder().Child(name);
    std::string error;
    if (!DefaultCalendarFile::Write(folder, error)) {
        // Nothing changes: the calendar in use stays the default, now and at the next start.
        std::cerr << "Default calendar not changed: " << error << "\n";
        MsgBox(DefaultCalendarFile::HoldsCalendar(folder) ? PreferencesText::kCannotWrite
                                                          : PreferencesText::kCalendarGone);
        SelectCurrentCalendar();
        return;
    }
    module.DefaultCalendarFolder = folder;
    defaultCalendarChanged = true;
}

void PreferencesWindow::OKButton_Action() {
    StoreChangedPreferences();
    if (defaultCalendarChanged) ReopenInNewCalendar();
    Close();
}

void PreferencesWindow::StoreChangedPreferences() {
    app& application = App();
    bool changed = false;
    if (ShowCountdownCB->Value() != application.showCoundownCalendar) {
        application.showCoundownCalendar = ShowCountdownCB->Value();
        changed = true;
    }
    if (InstallSysTrayCB->Value() != application.installSysTray) {
        application.installSysTray = InstallSysTrayCB->Value();
        changed = true;
        if (application.installSysTray) {
            application.mAppTrayItem = std::make_unique<AppTrayItem>();
            AddTrayItem(*application.mAppTrayItem);
        } else if (application.mAppTrayItem) {
            RemoveTrayItem(*application.mAppTrayItem);
        }
    }
    if (changed) application.PutPrefs();
}

// The main window writes the event file as it closes; the new one is laid out for the new
// calendar. The tab stays where it is, in the new calendar's colour.
void PreferencesWindow::ReopenInNewCalendar() {
    if (CalendarWindow* main = FindOpenWindow<CalendarWindow>()) main->Close();
    CustomizationModule::CustomizeCalendar();
    // A calendar that cannot be loaded has shown why and ends the program.
    if (Ending()) return;
    TabWindow& tab = TabWindow::Instance();
    tab.BackColor = Customization().tabColor;
    tab.Invalidate();
    Close();
    CalendarWindow::Instance();
}

void PreferencesWindow::WallpaperButton_Open() {
    // The desktop wallpaper feature is switched off.
    WallpaperButton->SetVisible(false);
}

void PreferencesWindow::WallpaperButton_Action() {}
