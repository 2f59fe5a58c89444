// The event editor while the user works in it: the all-day box, the end slider, and the two
// buttons that end the edit. Only Save and Delete change the store.
#include "editors/EventEditorRules.h"
#include "editors/GlanceInputWindow.h"

#include "app/App.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Dialogs.h"

void GlanceInputWindow::ShowDateLabels() {
    const bool withTime = !AllDayCheck->Value();
    fromDate->SetText(EventEditor::DateLabel(App().selectedDate, withTime));
    toDate->SetText(EventEditor::DateLabel(EventEndTime, withTime));
}

void GlanceInputWindow::AllDayCheck_Action() {
    if (EventEditor::IsDayNoteStart(App().selectedDate)) {
        // A day note stays one: its start has no time to turn it into a timed event.
        AllDayCheck->SetValue(true);
        return;
    }
    ShowDateLabels();
    HalfHourSlider->SetVisible(!AllDayCheck->Value());
}

void GlanceInputWindow::HalfHourSlider_ValueChanged() {
    const Date& start = App().selectedDate;
    EventEndTime.SetTotalSeconds(start.TotalSeconds() +
                                 static_cast<int64_t>(HalfHourSlider->Value()) *
                                     EventEditor::kStepSeconds);
    toDate->SetText(EventEditor::DateLabel(EventEndTime, true));

    // The week list shows the slot the end now falls on.
    CalendarWindow* calendar = FindOpenWindow<CalendarWindow>();
    if (!calendar || !calendar->GlanceList) return;
    calList& list = *calendar->GlanceList;
    const std::optional<int> row =
        EventEditor::SlotRow(EventEndTime, App().StartTime, list.ListCount());
    if (!row) {
        MsgBox("Invalid event time.");
        return;
    }
    list.InvalidateCell(*row, start.DayOfWeek());
}

void GlanceInputWindow::SaveButton_Action() {
    app& application = App();
    EventField->SetText(EventEditor::TitleToStore(EventField->Text()));
    if (AllDayCheck->Value()) {
        application.selectedDate = EventEditor::DayNoteStart(application.selectedDate);
        EventEndTime = application.selectedDate;
    }
    CalendarWindow& calendar = CalendarWindow::Instance();
    calendar.GlanceList->AddEvent(EventEndTime, EventField->Text());
    calendar.AddEvent(true);
    calendar.StartSavingEvents();
    Close();
}

void GlanceInputWindow::DeleteButton_Action() {
    app& application = App();
    if (AllDayCheck->Value())
        application.selectedDate = EventEditor::DayNoteStart(application.selectedDate);
    CalendarWindow& calendar = CalendarWindow::Instance();
    const std::string key = application.selectedDate.SQLDateTime();
    if (application.eventDict.HasKey(key))
        calendar.RemoveEvent(EventEditor::DayMarker(application.eventDict.Value(key)));
    calendar.GlanceList->RemoveEvent();
    calendar.StartSavingEvents();
    Close();
}
