// Writing the to-do items and the event store to the event file: on a worker thread soon after
// each confirmed change, and on the event loop's thread, waited for, when the window closes.
#include "mainwindow/eventfile/RescueFile.h"
#include "mainwindow/eventfile/RescueNote.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/EventFileFormat.h"

#include "app/App.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/FileProblem.h"
#include "platform/Log.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <memory>
#include <new>

namespace fs = std::filesystem;

namespace {
std::vector<TodoItem> TodoItems(const ListBox& list) {
    std::vector<TodoItem> items;
    items.reserve(static_cast<size_t>(list.ListCount()));
    for (int row = 0; row < list.ListCount(); ++row)
        items.push_back({list.CellCheck(row, 0), list.Cell(row, 1)});
    return items;
}

std::span<const std::string> Kept(const std::shared_ptr<const std::vector<std::string>>& lines) {
    return lines ? std::span<const std::string>(*lines) : std::span<const std::string>();
}

// A missing Documents folder is made; a failure to make it shows in the write.
void MakeFolderFor(const FolderItem& item) {
    std::error_code error;
    std::filesystem::create_directories(item.Path().parent_path(), error);
}

bool FileThere(const FolderItem& item) {
    std::error_code error;
    return std::filesystem::is_regular_file(item.Path(), error);
}

// error: the system's reason for the failed write.
void LogUnsaved(const FolderItem& item, int error) {
    std::cerr << "calendar: could not write " << item.Path().string() << " ("
              << FileProblem(item.Path(), error) << ")"
              << (FileThere(item) ? "; the previous file is kept" : "") << '\n';
}

void ReportUnsaved(const FolderItem& item, int error, const std::string& more = {},
                   MessageCloser* closer = nullptr) {
    LogUnsaved(item, error);
    MsgBox("Your events and to-do items could not be saved in " + item.Path().string() + "." +
               (FileThere(item) ? " The file there was left as it was." : "") + " " +
               FileProblem(item.Path(), error) + more,
           closer);
}

// A quit that cannot save leaves what it could not save in a file of its own, since nothing
// else outlives the process. It is noted at once: should the quit be cut off before its message is
// answered (a logout's signal or kill, the X server's end), the next start tells where it is.
std::optional<fs::path> Rescue(const std::vector<TodoItem>& todo, RescueNote::UntilAnswered& owed) {
    const app& application = App();
    const auto copy = RescueFile::Write(todo, application.eventDict.Entries(),
                                        Kept(application.skippedEventLines));
    if (copy)
        LogProblem("what could not be saved was written to", *copy);
    else
        LogProblem("what could not be saved could not be written anywhere else either");
    if (copy) owed.Keep(*copy);
    return copy;
}

void ReportRescued(const FolderItem& item, int error, const std::optional<fs::path>& copy) {
    ReportUnsaved(item, error,
                  copy ? " A copy of them was written to " + copy->string() + "."
                       : " No copy of them could be written anywhere else either: they are lost "
                         "when the calendar ends.");
}

// A failed write's outcome and the system's reason, taken at once: whatever runs next may
// change errno.
struct Attempt {
    OutsideChanges::Written written;
    int error = 0;
};

Attempt WriteEventFile(const FolderItem& item, const std::optional<FileVersion>& known,
                       const std::vector<TodoItem>& todo, std::span<const Dictionary::Entry> events,
                       std::span<const std::string> kept, const WriteWait& wait) {
    Attempt attempt{OutsideChanges::Write(item, known, todo, events, kept, wait)};
    attempt.error = attempt.written.ok ? 0 : attempt.written.error;
    return attempt;
}

// The background write: whatever stops it (memory running out, say) is a failed write, told and
// retried as any other, never a writer that stays busy for good.
Attempt WriteEventFileInBackground(const FolderItem& item, const std::optional<FileVersion>& known,
                                   const std::vector<EventFileFormat::TodoItem>& todo,
                                   std::span<const Dictionary::Entry> events,
                                   std::span<const std::string> kept, const WriteWait& wait) {
    try {
        return WriteEventFile(item, known, todo, events, kept, wait);
    } catch (const std::bad_alloc&) {
        LogProblem("the event file could not be written: out of memory", item.Path());
        return Attempt{{}, ENOMEM};
    } catch (const std::exception& error) {
        LogProblem(std::string("the event file could not be written: ") + error.what(),
                   item.Path());
        return Attempt{{}, EIO};
    }
}

// Writes the store and todo on the event loop's thread, waited for.
Attempt WriteNow(const std::vector<TodoItem>& todo, const WriteWait& wait) {
    const app& application = App();
    const FolderItem item = EventFileItem();
    MakeFolderFor(item);
    return WriteEventFile(item, application.eventFileVersion, todo, application.eventDict.Entries(),
                          Kept(application.skippedEventLines), wait);
}

// The quit's first write waits for nobody: when another program is writing the file (a sync
// client, an editor's save), what is unsaved goes to a rescue file at once, which a logout's
// SIGKILL a second later leaves whole.
Attempt WriteAtOnce(const std::vector<TodoItem>& todo) {
    const WriteWait atOnce(WriteWait::Clock::duration::zero());
    return WriteNow(todo, atOnce);
}

// After the rescue, the file is waited for as a write while the calendar runs waits for it, the
// event loop running meanwhile (the windows are not frozen), and never much longer.
constexpr std::chrono::milliseconds kLongestEndWait =
    std::chrono::duration_cast<std::chrono::milliseconds>(OutsideChanges::kLongestWait) +
    std::chrono::seconds(1);

// A quit nobody is there for (a logout's signal, the display's end) gives another program one more
// look at the file a moment later: a file it changed and left is still written, its version kept
// beside it, while one it goes on writing stays rescued, and the calendar ends well before a
// logout's SIGKILL.
constexpr int kLooksWhileNobodyWaits = 1;

// then(the write's outcome) runs once the write has ended, also where the display's end cuts the
// wait off.
void WriteWhenSettled(const FolderItem& item, const std::vector<TodoItem>& todo,
                      const std::function<void(const Attempt&)>& then) {
    const app& application = App();
    const auto wait = std::make_shared<WriteWait>(OutsideChanges::kLongestWait);
    const auto nobodyWaits = [wait] { wait->EndAfter(kLooksWhileNobodyWaits); };
    if (application.QuitBySignal()) nobodyWaits();
    const auto outcome = std::make_shared<Attempt>();
    Worker writer;
    writer.Start(
        [item, todo, events = application.eventDict.TakeSnapshot(),
         kept = application.skippedEventLines, known = application.eventFileVersion, wait,
         outcome] {
            *outcome =
                WriteEventFileInBackground(item, known, todo, events.Entries(), Kept(kept), *wait);
            return outcome->written.ok;
        },
        [outcome, &then](bool) { then(*outcome); });
    writer.WaitRunningEvents(kLongestEndWait, nobodyWaits);
}

// What a write at the program's end kept of another program's: the files that program may still
// be writing are left for the next start, noted before the copies' message, which may be the
// last thing the program does.
void TellAtTheEnd(const FolderItem& item, const OutsideChanges::Written& written) {
    if (written.stranded) OutsideChanges::TellStranded(item, *written.stranded);
    for (const OutsideChanges::ParkedVersion& parked : written.parked)
        RescueNote::KeepParked(parked);
    OutsideChanges::TellOutsideCopies(item, written.outsideCopies, written.ok);
}

// The event file now holds the store as it is and todo.
void TakeWritten(app& application, std::vector<TodoItem> todo) {
    application.unsavedTodoItems.reset();
    application.eventFileTodoItems = std::move(todo);
    application.eventFileRevision = application.eventDict.Revision();
    application.keptEventsRevision = application.eventFileRevision;
}

// The store at its revision as loaded or written holds only the built-in holidays besides the
// file's events; a file another program removed or rewrote since it was read or written may
// have taken the user's events with it, which then live only in the store.
bool StoreUnsaved(const app& application) {
    return application.skippedEventLines ||
           application.keptEventsRevision != application.eventDict.Revision() ||
           !OutsideChanges::HoldsKnownText(EventFileItem(), application.eventFileVersion);
}

// Whether the file holds what a rewrite of the store would: its revisions say whether the store
// changed since the file was read or last written, and the file there must be the one read or
// written (not gone, emptied or replaced by another program).
bool StoreIsCurrent(const app& application) {
    const FolderItem item = EventFileItem();
    return application.eventFileRevision == application.eventDict.Revision() && item.NameTaken() &&
           OutsideChanges::IsKnownVersion(item, application.eventFileVersion);
}
} // namespace

bool CalendarWindow::UserWorkUnsaved() const {
    return todoFromClosedWindow_ || savedTodoRevision_ != TodoList->Revision() ||
           StoreUnsaved(App());
}

// Every occasion to write could write the whole file; it is written only when something changed
// since it was read or last written. With every change written at once, a quit or leaving the
// week would otherwise rewrite and flush a large file for nothing.
bool CalendarWindow::EventFileIsCurrent() const {
    return savedTodoRevision_ == TodoList->Revision() && StoreIsCurrent(App());
}

void CalendarWindow::StartSavingEvents() {
    // A write under way starts the next one when it ends, if more has changed by then; a save on
    // this thread (whose messages run the event loop, and so the retry's timer) writes it all.
    if (savingNow_ || eventFileWriter_.Busy() || EventFileIsCurrent()) return;
    const app& application = App();
    const FolderItem item = EventFileItem();
    MakeFolderFor(item);
    const FileRevisions written{application.eventDict.Revision(), TodoList->Revision()};
    // The worker writes from copies: the to-do items, and a snapshot of the store that costs a
    // few pointers however large the store is.
    auto outcome = std::make_shared<Attempt>();
    auto todo = std::make_shared<const std::vector<TodoItem>>(TodoItems(*TodoList));
    eventFileWriter_.Start(
        [item, todo, events = application.eventDict.TakeSnapshot(),
         kept = application.skippedEventLines, known = application.eventFileVersion,
         wait = writeWait_, outcome]() mutable {
            *outcome =
                WriteEventFileInBackground(item, known, *todo, events.Entries(), Kept(kept), *wait);
            const bool ok = outcome->written.ok;
            // Let go at once: a change of the store while the snapshot is held copies its entries.
            events = {};
            return ok;
        },
        [this, written, outcome, todo](bool ok) {
            TakeWrite(outcome->written);
            EventFileWritten(written, ok, outcome->error, *todo);
            TellOutsideCopies();
        });
}

void CalendarWindow::EventFileWritten(FileRevisions written, bool ok, int error,
                                      const std::vector<TodoItem>& todo) {
    const bool retry = std::exchange(retryingSave_, false);
    if (ok) {
        App().eventFileRevision = written.store;
        App().keptEventsRevision = written.store;
        App().eventFileTodoItems = todo;
        savedTodoRevision_ = written.todo;
        todoFromClosedWindow_ = false;
        unsavedTold_ = false;
        StopRetryingSave();
        // What it said is no longer true.
        unsavedMessage_.Close();
    }
    // SaveEvents, which waits for this write, writes again after a failure and tells of its own.
    if (savingNow_) return;
    if (!ok) {
        // The built-in holidays alone are not worth a message or a retry: the next write tries.
        if (!UserWorkUnsaved()) {
            LogUnsaved(EventFileItem(), error);
            return;
        }
        // A change the user made while this write ran is tried at once, not after the wait.
        const bool changedSince =
            written.store != App().eventDict.Revision() || written.todo != TodoList->Revision();
        RetrySavingLater(retry && !changedSince);
        if (changedSince) StartSavingEvents();
        if (retry) return; // quietly: what failed was told or logged when it first failed
        // Told once: the writes after the next changes most likely fail the same way, and a
        // message at every tick would interrupt what is being typed. A to-do item being typed
        // (a row just added starts a write) is not interrupted either: the end of its edit
        // writes again, and that failure is told. A quit that cannot save tells again.
        if (unsavedTold_ || TodoList->ActiveCell()) {
            LogUnsaved(EventFileItem(), error);
        } else {
            unsavedTold_ = true;
            ReportUnsaved(EventFileItem(), error, {}, &unsavedMessage_);
        }
        return;
    }
    StartSavingEvents(); // what changed while the file was being written
}

bool CalendarWindow::SavingEvents() const {
    return eventFileWriter_.Busy();
}

void CalendarWindow::FinishWrite() {
    eventFileWriter_.Wait();
}

void CalendarWindow::SaveEvents() {
    // What is being typed in the to-do list counts: a quit must not drop it.
    TodoList->EndEditCell();
    // No write starts in the background until this one has ended, also from a message's loop.
    const bool outer = !std::exchange(savingNow_, true);
    struct Done {
        bool& saving;
        bool outer;
        ~Done() {
            if (outer) saving = false;
        }
    } done{savingNow_, outer};
    app& application = App();
    // A quit writes at once: a write under way stops waiting for another program's version, and
    // what it cannot write now the program's end rescues first.
    const bool quitting = application.QuitRequested();
    if (quitting) writeWait_->CutShort();
    eventFileWriter_.Wait();
    // Told once the write is on disk, with its own copies: a message waits for its answer.
    if (EventFileIsCurrent()) {
        TellOutsideCopies();
        return;
    }
    const FolderItem item = EventFileItem();
    std::vector<TodoItem> todo = TodoItems(*TodoList);
    const WriteWait patiently(OutsideChanges::kLongestWait);
    const auto [written, error] = quitting ? WriteAtOnce(todo) : WriteNow(todo, patiently);
    TakeWrite(written);
    TellOutsideCopies();
    if (!written.ok && !UserWorkUnsaved()) {
        // Nothing of the user's is lost: no rescue file of holidays, no message.
        LogUnsaved(item, error);
        return;
    }
    if (!written.ok) {
        // A quit's rescue file comes in the application's close, next, without a second try.
        if (application.QuitRequested()) {
            LogUnsaved(item, error);
            application.quitWriteError = error;
        } else {
            ReportUnsaved(item, error);
        }
        // This window may be closing; the next one must not take the file's older list for it.
        application.unsavedTodoItems = std::move(todo);
        application.eventFileRevision.reset();
        return;
    }
    TakeWritten(application, std::move(todo));
    unsavedTold_ = false;
    StopRetryingSave();
    unsavedMessage_.Close();
    savedTodoRevision_ = TodoList->Revision();
    todoFromClosedWindow_ = false;
}

void CalendarWindow::SaveAtTheEnd() {
    app& application = App();
    // Nothing is unsaved before the events are loaded.
    const bool unsaved =
        application.unsavedTodoItems || (application.keptEventsRevision &&
                                         !StoreIsCurrent(application) && StoreUnsaved(application));
    if (!unsaved) return;
    const FolderItem item = EventFileItem();
    std::vector<TodoItem> todo =
        application.unsavedTodoItems.value_or(application.eventFileTodoItems);
    std::optional<int> error = application.quitWriteError;
    if (!error) {
        const auto [written, failure] = WriteAtOnce(todo);
        TellAtTheEnd(item, written);
        if (written.ok) {
            application.eventFileVersion = written.version;
            TakeWritten(application, std::move(todo));
            return;
        }
        error = failure;
    }
    // Only a file that another program was writing is worth a wait: rescued first, then written
    // once it settles, which makes the rescue file unnecessary.
    RescueNote::UntilAnswered owed;
    const std::optional<fs::path> rescue = Rescue(todo, owed);
    if (*error != EBUSY) {
        ReportRescued(item, *error, rescue);
        owed.MessageReturned();
        return;
    }
    WriteWhenSettled(item, todo, [&](const Attempt& settled) {
        const auto& [written, failure] = settled;
        if (written.ok) {
            application.eventFileVersion = written.version;
            TakeWritten(application, std::move(todo));
            std::error_code gone;
            if (rescue && fs::remove(*rescue, gone)) {
                LogProblem("the event file was written after all; removed", *rescue);
                owed.Forget(*rescue);
            }
        }
        TellAtTheEnd(item, written);
        if (!written.ok) ReportRescued(item, failure, rescue);
        owed.MessageReturned();
    });
}
