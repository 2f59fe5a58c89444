#pragma once
// The application object: the state that every window shares for the whole run.
#include "app/EventFile.h"
#include "platform/Application.h"
#include "platform/Date.h"
#include "platform/Dictionary.h"
#include "platform/Mutex.h"
#include "platform/Picture.h"

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class AppTrayItem;

class app : public Application {
  public:
    app();
    ~app() override;

    Date selectedDate;
    Date currentDate;
    Date countdownDate;
    Dictionary eventDict; // the event store: SQL start date-time -> end//title[//kind]
    // The store's revision when the event file was last read or written; none while there is
    // no event file. The file is written again only after a change.
    std::optional<uint64_t> eventFileRevision;
    // The store's revision when it held nothing the user made that the event file lacks: as
    // loaded (the built-in holidays, whether or not there is a file) and as last written. A write
    // that fails at this revision loses nothing of the user's. None before a load.
    std::optional<uint64_t> keptEventsRevision;
    // The event file as it was last read or written, to tell whether another program changed it
    // since; none while the calendar has read or written none.
    std::optional<FileVersion> eventFileVersion;
    // The to-do items of that version: what a main window that opens shows. The file itself may
    // be away or emptied for a moment (a sync program's rewrite) when the window opens.
    std::vector<TodoItem> eventFileTodoItems;
    // The lines of the event file that the reader skipped and could not move to a file of their
    // own, in their order; every write puts them back after the events, so that no save removes
    // a line the user had. None when there were none or they were moved.
    std::shared_ptr<const std::vector<std::string>> skippedEventLines;
    // The to-do items of a main window that closed without saving them; the next main window
    // shows these instead of the file's older ones, and writes them, or the program's end does.
    std::optional<std::vector<TodoItem>> unsavedTodoItems;
    // Why the main window's write at the quit failed: the program's end then rescues what is
    // unsaved at once, and waits a few seconds for the file only when another program was
    // writing it (EBUSY).
    std::optional<int> quitWriteError;
    std::future<EventFileLines> userEventsReading;
    int StartTime = 0; // first and last hour of the week grid
    int EndTime = 0;
    bool showCoundownCalendar = false;
    int tabLeft = 0;
    bool installSysTray = false;
    bool displayCalendarOnDesktop = false;
    bool firstRun = false;
    bool CalendarWindowOpen = false;
    bool TrayWindowOpen = false;
    bool Deactivated = false;
    bool closing = false;
    // The status-area item, once made; kept after it has been taken out of the status area.
    std::unique_ptr<AppTrayItem> mAppTrayItem;
    std::unique_ptr<Mutex> appMutex;
    // The lock beside the event file, held with appMutex (MakeEventFileMutex).
    std::unique_ptr<Mutex> eventFileMutex;
    std::string PrinterSetupString;

    void Event_Open() override;
    void Event_Close() override;
    void Event_Deactivate() override;
    bool Event_UnhandledException(const std::exception& error) override;
    void Event_EnableMenuItems() override;

    // Menu handlers; each returns false.
    bool AppleAboutCalendar_Action();
    bool ApplePreferences_Action();
    bool HelpHelp_Action();
    bool EditToggleCDCanvas_Action();
    bool FileClose_Action();
    bool FilePrint_Action();
    bool HelpGotoURL_Action();

    // Prints a picture of the main window.
    void PrintCalendar(const PicturePtr& picture);

    void CheckRunning();
    void GetPrefs();
    void PutPrefs() const;
    // Starts reading the event file beside the rest of the start-up, unless that was started
    // already; LoadUserEvents then takes what was read, or reads the file itself when nothing
    // was started.
    void StartReadingUserEvents();
    void LoadUserEvents();
    void LoadHolidays();
};

// The application object of this run.
app& App();

// The file names and texts the application core shares with its tests.
namespace AppText {
inline constexpr const char* kMutexName = "Ombrelline Calendar";
inline constexpr const char* kPrefsFileName = "QVCalendar.prefs";
inline constexpr const char* kEventFileName = "Calendar.tpc";
inline constexpr const char* kEventsMarker = "Events Data:";
inline constexpr const char* kAlreadyRunning = "Another Ombrelline calendar is already running.";
inline constexpr const char* kStartupError =
    "An unexpected error occurred while starting the application - quitting.";
inline constexpr const char* kEventDatabaseProblem =
    "A problem with the event database was encountered. If events are missing from the "
    "calendar, replace the Calendar.tpc file in your Documents folder from your backup.";
inline constexpr const char* kFeedbackAddress = "feedback@ombrelline-calendar.example";
} // namespace AppText
