#pragma once
// The preferences: whether the countdown shows at start-up, and which calendar (edition) the
// program shows. A calendar picked here is named in caldef.dat at once and shown when OK is
// pressed: the main window is closed and opened again in the new calendar. OK is the only way
// out of the window.
#include "platform/BevelButton.h"
#include "platform/CheckBox.h"
#include "platform/PopupMenu.h"
#include "platform/PushButton.h"
#include "platform/StaticText.h"
#include "platform/TabPanel.h"
#include "platform/Window.h"

class PreferencesWindow : public Window {
  public:
    PreferencesWindow();
    // The preferences window, made on first use; the callers show it with ShowModal, as it
    // takes the program's input until OK. Each opening lists the calendars afresh.
    static PreferencesWindow& Instance();

    // Another calendar was picked (and named in caldef.dat) while the window was open.
    bool defaultCalendarChanged = false;

    TabPanel* TabPanel1 = nullptr;
    CheckBox* ShowCountdownCB = nullptr;
    CheckBox* InstallSysTrayCB = nullptr;
    PopupMenu* DefaultCalendarPopup = nullptr;
    StaticText* StaticText1 = nullptr;
    PushButton* OKButton = nullptr;
    BevelButton* WallpaperButton = nullptr;

    void ShowCountdownCB_Open();
    void InstallSysTrayCB_Open();
    void DefaultCalendarPopup_Open();
    void DefaultCalendarPopup_Change();
    void OKButton_Action();
    void WallpaperButton_Open();
    void WallpaperButton_Action();
    void Event_Open() override;
    // It asks for no close button; where a desktop draws one anyway, it acts as OK.
    void Event_DesktopClose() override;

  private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    // Selects the row of the calendar in use, or none.
    void SelectCurrentCalendar();
    void StoreChangedPreferences();
    void ReopenInNewCalendar();
};

namespace PreferencesText {
inline constexpr const char* kCannotWrite =
    "The calendar could not be changed: the file caldef.dat beside the program cannot be "
    "written. The calendar in use stays the default.";
inline constexpr const char* kCalendarGone =
    "The calendar could not be changed: its folder no longer holds a calendar. The calendar in "
    "use stays the default.";
} // namespace PreferencesText
