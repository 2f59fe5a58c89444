// The application object's life: start-up, shutdown and the last-resort error dialog.
#include "app/Startup.h"
#include "app/App.h"

#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/eventfile/RescueNote.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Log.h"
#include "platform/ShowURL.h"
#include "windows/AppTrayItem.h"

namespace {
// The status-area icon is not put up at start-up (and the preferences do not offer it).
constexpr bool kTrayItemAtStartup = false;
} // namespace

app::app() = default;
app::~app() = default;

app& App() {
    auto* application = dynamic_cast<app*>(Application::Instance());
    if (!application) throw NilObjectException("no application object");
    return *application;
}

namespace {
// Takes lock without waiting: false only when another holder has it.
bool TakeUnlessHeldElsewhere(Mutex& lock, const char* what, bool log) {
    try {
        return lock.TryEnter();
    } catch (const IOException& error) {
        // No lock can be made here, so nothing is known of another copy: run without one.
        if (log) LogProblem(std::string("starting without the ") + what + ": " + error.what());
        return true;
    }
}
} // namespace

bool TakeInstanceLocks(Mutex& instance, Mutex& eventFile, bool log) {
    return TakeUnlessHeldElsewhere(instance, "single-instance lock", log) &&
           TakeUnlessHeldElsewhere(eventFile, "lock beside the event file", log);
}

void app::CheckRunning() {
    // The program's entry may have taken the locks already; taking a held lock again is free.
    if (!appMutex) appMutex = std::make_unique<Mutex>(AppText::kMutexName);
    if (!eventFileMutex) eventFileMutex = MakeEventFileMutex();
    if (TakeInstanceLocks(*appMutex, *eventFileMutex, true)) return;
    // A second copy: its Close must leave the running copy's preferences and locks alone.
    appMutex.reset();
    eventFileMutex.reset();
    AutoQuit = true;
    MsgBox(AppText::kAlreadyRunning);
    Quit(0);
}

void app::Event_Open() {
    try {
        CheckRunning();
        if (closing) return;
        StartReadingUserEvents();
        GetPrefs();
        CustomizationModule::CustomizeCalendar();
        if (closing) return;
        currentDate = Date();
        selectedDate = Date();
        countdownDate = Date();
        eventDict = Dictionary();
        LoadHolidays();
        LoadUserEvents();
        // A quit (a logout, say) while the event file's message was showing.
        if (closing) return;
        CalendarWindow& calendar = CalendarWindow::Instance();
        calendar.Show();
        if (firstRun)
            calendar.AfterFirstFrame([this] {
                if (!closing) PutPrefs();
            });
        calendar.AfterFirstFrame([this] {
            // Parked files that a program may still write are watched by the calendar.
            if (!closing)
                RescueNote::TellOnce([](const std::vector<OutsideChanges::ParkedVersion>& parked) {
                    CalendarWindow::Instance().WatchParked(parked);
                });
        });
        if (kTrayItemAtStartup && installSysTray) {
            mAppTrayItem = std::make_unique<AppTrayItem>();
            AddTrayItem(*mAppTrayItem);
        }
    } catch (const std::exception& error) {
        LogProblem(std::string("start-up failed: ") + error.what());
        if (closing) return;
        MsgBox(AppText::kStartupError);
        Quit(0);
    }
}

void app::Event_Close() {
    closing = true;
    if (mAppTrayItem) RemoveTrayItem(*mAppTrayItem);
    // A second instance quits before it has read the preferences: it must neither overwrite
    // the running copy's preferences nor touch its lock. They are written first: the events'
    // write may wait a few seconds for another program, longer than a logout's grace.
    if (appMutex) PutPrefs();
    // Whatever ended the program (a start-up message, an edition that cannot load after a
    // change of calendar), what is unsaved is written, or rescued, before the lock goes. A
    // second instance has loaded nothing, so nothing of it is unsaved.
    CalendarWindow::SaveAtTheEnd();
    if (!appMutex) return;
    appMutex->Leave();
    if (eventFileMutex) eventFileMutex->Leave();
}

void app::Event_Deactivate() {
    if (!closing) Deactivated = true;
}

bool app::Event_UnhandledException(const std::exception& error) {
    LogProblem(std::string("unexpected error: ") + error.what());
    MessageDialog dialog;
    dialog.Icon = 2;
    dialog.Message = "An Unexpected Error Occurred";
    dialog.Explanation = "Ombrelline Calendar encountered an error that it could not handle and "
                         "must quit.  Please report this error and how it occurred.";
    dialog.ActionButton.Caption = "Quit";
    dialog.AlternateActionButton.Caption = "Feedback";
    dialog.AlternateActionButton.Visible = true;
    dialog.CancelButton.Visible = false;
    if (dialog.ShowModal() == MessageDialog::Pressed::Alternate)
        ShowURL(std::string("mailto:") + AppText::kFeedbackAddress +
                "?subject=~Feedback: " + Customization().applicationName + " " + ShortVersion());
    return true;
}
