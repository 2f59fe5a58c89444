// Writing the to-do items and the event store to the event file: on a worker thread soon after
// each confirmed change, and on the event loop's thread, waited for, when the window closes.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "mainwindow/glance/RescueFile.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/Log.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace {
std::vector<EventFileFormat::TodoItem> TodoItems(const ListBox& list) {
    std::vector<EventFileFormat::TodoItem> items;
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

void LogUnsaved(const FolderItem& item) {
    std::cerr << "calendar: could not write " << item.Path().string()
              << "; the previous file is kept\n";
}

void ReportUnsaved(const FolderItem& item, const std::string& more = {}) {
    LogUnsaved(item);
    MsgBox("Your events and to-do items could not be saved in " + item.Path().string() +
           ". The file there was left as it was." + more);
}

// A quit that cannot save leaves what it could not save in a file of its own, since nothing
// else outlives the process. After a signal's quit (a logout) the message goes to standard error.
void RescueUnsaved(const FolderItem& item, const std::vector<EventFileFormat::TodoItem>& todo) {
    const app& application = App();
    const auto copy = RescueFile::Write(todo, application.eventDict.Entries(),
                                        Kept(application.skippedEventLines));
    if (copy)
        LogProblem("what could not be saved was written to", *copy);
    else
        LogProblem("what could not be saved could not be written anywhere else either");
    ReportUnsaved(item, copy ? " A copy of them was written to " + copy->string() + "." : "");
}
} // namespace

// Every occasion to write could write the whole file; it is written only when the store or the
// to-do list changed since the file was read or last written (their revisions say so), or the
// file there is not the one read or written (gone, emptied, replaced by another program). The
// file then holds what a rewrite would hold, and with every change written at once, a quit or
// leaving the week would otherwise rewrite and flush a large file for nothing.
bool CalendarWindow::EventFileIsCurrent() const {
    const app& application = App();
    const FolderItem item = EventFileItem();
    return application.eventFileRevision == application.eventDict.Revision() &&
           savedTodoRevision_ == TodoList->Revision() && item.NameTaken() &&
           OutsideChanges::IsKnownVersion(item, application.eventFileVersion);
}

void CalendarWindow::StartSavingEvents() {
    // A write under way starts the next one when it ends, if more has changed by then.
    if (eventFileWriter_.Busy() || EventFileIsCurrent()) return;
    const app& application = App();
    const FolderItem item = EventFileItem();
    MakeFolderFor(item);
    const FileRevisions written{application.eventDict.Revision(), TodoList->Revision()};
    // The worker writes from copies: the to-do items, and a snapshot of the store that costs a
    // few pointers however large the store is.
    auto outcome = std::make_shared<OutsideChanges::Written>();
    eventFileWriter_.Start(
        [item, todo = TodoItems(*TodoList), events = application.eventDict.TakeSnapshot(),
         kept = application.skippedEventLines, known = application.eventFileVersion,
         outcome]() mutable {
            *outcome = OutsideChanges::Write(item, known, todo, events.Entries(), Kept(kept));
            const bool ok = outcome->ok;
            // Let go at once: a change of the store while the snapshot is held copies its entries.
            events = {};
            return ok;
        },
        [this, written, outcome](bool ok) {
            TakeWrite(*outcome);
            EventFileWritten(written, ok);
            TellOutsideCopies();
        });
}

void CalendarWindow::EventFileWritten(FileRevisions written, bool ok) {
    const bool retry = std::exchange(retryingSave_, false);
    if (ok) {
        App().eventFileRevision = written.store;
        savedTodoRevision_ = written.todo;
        unsavedTold_ = false;
        StopRetryingSave();
    }
    // SaveEvents, which waits for this write, writes again after a failure and tells of its own.
    if (savingNow_) return;
    if (!ok) {
        RetrySavingLater();
        if (retry) return; // quietly: what failed was told or logged when it first failed
        // Told once: the writes after the next changes most likely fail the same way, and a
        // message at every tick would interrupt what is being typed. A to-do item being typed
        // (a row just added starts a write) is not interrupted either: the end of its edit
        // writes again, and that failure is told. A quit that cannot save tells again.
        if (unsavedTold_ || TodoList->ActiveCell()) {
            LogUnsaved(EventFileItem());
        } else {
            unsavedTold_ = true;
            ReportUnsaved(EventFileItem());
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
    savingNow_ = true;
    eventFileWriter_.Wait();
    savingNow_ = false;
    TellOutsideCopies();
    if (EventFileIsCurrent()) return;
    app& application = App();
    const FolderItem item = EventFileItem();
    MakeFolderFor(item);
    const std::vector<EventFileFormat::TodoItem> todo = TodoItems(*TodoList);
    const OutsideChanges::Written written =
        OutsideChanges::Write(item, application.eventFileVersion, todo,
                              application.eventDict.Entries(), Kept(application.skippedEventLines));
    TakeWrite(written);
    TellOutsideCopies();
    if (!written.ok) {
        if (application.QuitRequested())
            RescueUnsaved(item, todo);
        else
            ReportUnsaved(item);
        // This window may be closing; the next one must not take the file's older list for it.
        application.unsavedTodoItems.emplace();
        for (const EventFileFormat::TodoItem& row : todo)
            application.unsavedTodoItems->emplace_back(row.done, row.text);
        application.eventFileRevision.reset();
        return;
    }
    application.unsavedTodoItems.reset();
    unsavedTold_ = false;
    StopRetryingSave();
    application.eventFileRevision = application.eventDict.Revision();
    savedTodoRevision_ = TodoList->Revision();
}
