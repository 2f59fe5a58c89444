// Switching the calendar area between the year and the week of the selected date.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"

#include <utility>

void CalendarWindow::ReloadCalLists() {
    MiniCalList[0]->loadMonth(0);
    MiniCalList[1]->loadMonth(1);
    GlanceList->LoadEvents(*GlanceList);
}

// The first click on a day would otherwise wait for all that the week panels' painting meets
// for the first time (their fonts, their labels shaped, the time column's picture): they are
// filled and painted once, unseen, after the year's first frame.
void CalendarWindow::PrepareWeekFace() {
    ReloadCalLists();
    for (RectControl* panel : std::initializer_list<RectControl*>{
             GlanceHeader, GlanceList, MiniCalList[0], MiniCalList[1], ToDoListHeader, TodoList})
        panel->PaintUnseen();
}

void CalendarWindow::GlanceOn() {
    GlanceHeader->SetVisible(true);
    GlanceList->SetVisible(true);
    MiniCalList[0]->SetVisible(true);
    // The second month is shown while the to-do panel has been moved down below it.
    MiniCalList[1]->SetVisible(MiniCalList[1]->Top() + 10 < ToDoListHeader->Top());
    ToDoListHeader->SetVisible(true);
    TodoList->SetVisible(true);
    for (int index = 1; index <= 5; ++index)
        floatingLinkCanvas[index]->SetVisible(false);
    // A tip left from the year grid would float over the week.
    HideTip();
    Calendar->SetVisible(false);
}

void CalendarWindow::GlanceOff() {
    for (int index = 1; index <= 5; ++index)
        floatingLinkCanvas[index]->SetVisible(!floatingLinkCanvas[index]->HelpTag().empty());
    if (yearOnReturn_) App().selectedDate.SetYear(*std::exchange(yearOnReturn_, std::nullopt));
    Calendar->SetVisible(true);
    GlanceHeader->SetVisible(false);
    GlanceList->SetVisible(false);
    MiniCalList[0]->SetVisible(false);
    MiniCalList[1]->SetVisible(false);
    ToDoListHeader->SetVisible(false);
    TodoList->SetVisible(false);
    // Written beside the event loop: leaving the week never waits for a large file.
    TodoList->EndEditCell();
    StartSavingEvents();
}
