// The to-do list of the week face: the event file's as last read or written when the window
// opens, then added to, edited, ticked, reordered and deleted in place; written with the events.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/Glance.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "app/EventText.h"
#include "customisation/BuiltInPictures.h"
#include "platform/Graphics.h"

#include <utility>

using YearGrid::Int;

namespace {
constexpr Color kYellow = RGB(255, 255, 0);

// Opens the row's text for editing with all of it selected.
void StartEditing(ListBox& list, int row, bool highlight) {
    list.EditCell(row, 1);
    if (CellEditor* editor = list.ActiveCell()) {
        editor->SetSelLength(999);
        if (highlight) editor->SetBackColor(kYellow);
    }
}

// Adds a row for a new item. An item still being edited is ended first: ending an empty one
// removes its row, which would otherwise shift the new row from under its editor.
void AddTodoRow(ListBox& list) {
    list.EndEditCell();
    list.AddRow();
}
} // namespace

void CalendarWindow::TodoList_Open() {
    ListBox& list = *TodoList;
    const double above =
        GlanceHeader->Height() + MiniCalList[0]->Height() + ToDoListHeader->Height();
    list.SetTop(Int(Glance::AreaTop() + above));
    list.SetHeight(Int(Glance::AreaHeight() - above));
    list.SetColumnType(0, ListBox::TypeCheckBox);
    list.SetColumnAlignmentOffset(1, 2);
    app& application = App();
    std::vector<TodoItem> items;
    if (application.unsavedTodoItems) {
        items = *std::exchange(application.unsavedTodoItems, std::nullopt);
        todoFromClosedWindow_ = true;
        // The closed window could not write them: written as soon as the file can be.
        RetrySavingLater(false);
    } else {
        // Not the file read again: those of the version the events came from, which the next
        // write trusts. The file may be away or empty for a moment.
        items = application.eventFileTodoItems;
    }
    for (const TodoItem& todo : items) {
        list.AddRow();
        list.SetCellCheck(list.LastIndex(), 0, todo.done);
        list.SetCell(list.LastIndex(), 1, todo.text);
    }
    savedTodoRevision_ = list.Revision();
    // A long list read back needs its scroll bar at once, or its last items cannot be reached.
    TodoList_Change();
}

bool CalendarWindow::TodoList_CellBackgroundPaint(Graphics& g, int row, int column) {
    ListBox& list = *TodoList;
    const int height = list.RowHeight();
    g.ForeColor = list.Selected(row) ? RGB(180, 180, 180) : RGB(220, 220, 220);
    g.FillRect(0, 0, list.ColumnWidth(column), height);
    if (row >= list.ListCount()) return false;
    if (column == 1 && list.CellCheck(row, 0)) {
        g.ForeColor = RGB(10, 10, 10);
        g.TextFont = list.TextFont;
        g.TextSize = list.TextSize;
        g.Bold = list.Bold;
        // Measured only as far as the cell shows.
        const int width = Int(g.StringWidth(list.Cell(row, 1), list.ColumnWidth(column)));
        g.DrawLine(3, 10, width + 6, 10);
    }
    if (column == 2)
        if (const PicturePtr mark = deletex()) g.DrawPicture(*mark, 4, 4);
    return true;
}

bool CalendarWindow::TodoList_MouseDown(int, int y) {
    ListBox& list = *TodoList;
    if (y <= list.ListCount() * list.RowHeight()) return false;
    AddTodoRow(list);
    TodoList_Change();
    StartEditing(list, list.LastIndex(), true);
    return true;
}

bool CalendarWindow::TodoList_CellClick(int row, int column, int, int) {
    ListBox& list = *TodoList;
    if (column == 1 && list.Selected(row)) {
        StartEditing(list, row, false);
    } else if (column == 2) {
        list.RemoveRow(row);
        list.SetListIndex(-1);
        StartSavingEvents();
        // The row is gone: the list must not select or tick anything for this click.
        return true;
    }
    return false;
}

void CalendarWindow::TodoList_DoubleClick() {
    ListBox& list = *TodoList;
    for (int row = 0; row < list.ListCount(); ++row) {
        if (list.Selected(row)) {
            StartEditing(list, row, false);
            return;
        }
    }
}

void CalendarWindow::TodoList_CellAction(int row, int column) {
    ListBox& list = *TodoList;
    if (row < 0 || row >= list.ListCount()) return;
    // A pasted text of several lines is kept as the file's line will hold it, and shown so.
    if (const std::string text = CleanTodoText(list.Cell(row, 1)); text != list.Cell(row, 1))
        list.SetCell(row, 1, text);
    if (column == 1 && list.Cell(row, 1).empty())
        list.RemoveRow(row);
    else if (column == 0)
        list.InvalidateCell(row, 1);
    StartSavingEvents(); // an edit ended or a tick
}

void CalendarWindow::TodoList_Change() {
    ListBox& list = *TodoList;
    // The list tells of a row added or moved (a drag) only here.
    if (list.Revision() != savedTodoRevision_) StartSavingEvents();
    if (list.Height() < (list.ListCount() + 1) * list.RowHeight()) {
        list.SetScrollBarVertical(true);
    } else {
        list.SetScrollPosition(0);
        list.SetScrollBarVertical(false);
    }
}

bool CalendarWindow::TodoList_DragReorderRows(int, int) {
    return false;
}

void CalendarWindow::ToDoListHeader_Paint(Graphics& g) {
    if (const PicturePtr strip = glanceHeader2())
        g.DrawPicture(*strip, 0, 0, ToDoListHeader->Width(), ToDoListHeader->Height(), 0, 0,
                      strip->Width(), strip->Height());
    g.ForeColor = RGB(254, 254, 254);
    g.TextSize = 11;
    g.Bold = true;
    g.DrawString("To Do List", 16, 14);
    g.TextFont = "Optima Extra Black";
    g.TextSize = 20;
    g.DrawString("+", 150, 18);
}

bool CalendarWindow::ToDoListHeader_MouseDown(int, int) {
    ListBox& list = *TodoList;
    AddTodoRow(list);
    TodoList_Change();
    StartEditing(list, list.LastIndex(), false);
    return true;
}
