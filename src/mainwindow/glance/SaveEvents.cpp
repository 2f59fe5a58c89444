// Writing the to-do items and the event store to the event file.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/EventFileFormat.h"

#include "app/App.h"
#include "platform/Dialogs.h"

#include <filesystem>
#include <iostream>

namespace {
std::vector<EventFileFormat::TodoItem> TodoItems(const ListBox& list) {
    std::vector<EventFileFormat::TodoItem> items;
    items.reserve(static_cast<size_t>(list.ListCount()));
    for (int row = 0; row < list.ListCount(); ++row)
        items.push_back({list.CellCheck(row, 0), list.Cell(row, 1)});
    return items;
}
} // namespace

void CalendarWindow::SaveEvents() {
    // What is being typed in the to-do list counts: a quit must not drop it.
    TodoList->EndEditCell();
    app& application = App();
    const FolderItem item = EventFileItem();
    // A file that holds what the store and the to-do list hold is left alone: rewriting (and
    // flushing) a large file for nothing is most of the wait at a quit.
    const bool unchanged = application.eventFileRevision == application.eventDict.Revision() &&
                           savedTodoRevision_ == TodoList->Revision();
    if (unchanged && item.Exists() && !item.Directory()) return;
    std::error_code error;
    std::filesystem::create_directories(item.Path().parent_path(), error);
    if (EventFileFormat::Write(item, TodoItems(*TodoList), application.eventDict)) {
        application.eventFileRevision = application.eventDict.Revision();
        savedTodoRevision_ = TodoList->Revision();
        return;
    }
    const std::string path = item.Path().string();
    std::cerr << "calendar: could not write " << path << "; the previous file is kept\n";
    MsgBox("Your events and to-do items could not be saved in " + path +
           ". The file there was left as it was.");
}
