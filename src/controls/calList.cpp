#include "controls/calList.h"

#include "app/App.h"
#include "controls/WeekGrid.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Text.h"

#include <iostream>
#include <optional>
#include <vector>

using namespace WeekGrid;

namespace {

constexpr const char* kDifferentDay = "Unable to add event. The start of the event is on a "
                                      "different day than the end of the event!";
constexpr const char* kOutOfBounds = "Unable to add event. The event ending time is out of bounds.";
constexpr const char* kBadTimeFormat =
    "Unable to add event. An incorrect event time format was encountered.\r\rPlease report this "
    "problem.";

void Refuse(const char* message, const std::string& key) {
    std::cerr << "calendar: event at " << key << " not stored: " << message << '\n';
    MsgBox(message);
}

// Which unreadable entries a tagging tells of. A load of the week tells of the first with a
// message and logs each; a retag after a save tells only of the entry saved, since the load
// already told of the others and they stay unreadable.
struct Reporting {
    std::optional<std::string> only; // the one key to tell of; none for every key
    bool errorShown = false;
};

// Tags the slots of one day's column from the store. An entry whose end cannot be read is
// skipped (and told of as reporting says); one whose cells would run past the holiday row is
// cut to half an hour, as the user is told, and shown so.
void TagColumn(calList& list, int column, const Date& day, Reporting& reporting) {
    app& a = App();
    Dictionary& store = a.eventDict;
    Date end;
    for (int row = 0; row < kSlotRows; ++row) {
        Date slot = day;
        slot.SetHour(a.StartTime);
        slot.SetMinute(30 * row);
        const std::string key = slot.SQLDateTime();
        if (!store.HasKey(key)) continue;
        const std::string_view value = store.Value(key);
        try {
            end.SetSQLDateTime(std::string(ValueField(value, 1)));
        } catch (const UnsupportedFormatException&) {
            if (reporting.only && *reporting.only != key) continue;
            std::cerr << "calendar: event at " << key << " has no readable end; not shown\n";
            if (!reporting.errorShown) MsgBox("an error");
            reporting.errorShown = true;
            continue;
        }
        if (end.SQLDateTime() <= key) continue;
        int cells = CellCount(MinutesBetween(slot, end));
        if (row + cells > kRowCount) {
            const std::string title(ValueField(value, 2));
            const std::string kind(ValueField(value, 3));
            std::cerr << "calendar: event at " << key << " ends past the week grid; cut to 30 "
                      << "minutes\n";
            MsgBox("The event " + title +
                   " has an invalid ending time - resetting. Please check this event's end time.");
            Date shortEnd = slot;
            shortEnd.SetTotalSeconds(slot.TotalSeconds() + 1800);
            store.Value(key,
                        shortEnd.SQLDateTime() + "//" + title + (kind.empty() ? "" : "//" + kind));
            cells = 1;
        }
        if (cells == 1) {
            list.SetCellTag(row, column, Tag(key, 4));
            continue;
        }
        for (int i = 0; i < cells; ++i)
            list.SetCellTag(row + i, column, Tag(key, i == 0 ? 1 : i == cells - 1 ? 3 : 2));
        row += cells - 1;
    }
}

// Rebuilds one day's column after a change of the store at key, repainting the cells that
// changed.
void RetagColumn(calList& list, int column, const Date& day, const std::string& key) {
    if (list.ListCount() != kRowCount) return;
    std::vector<std::string> before(kRowCount);
    for (int row = 0; row < kRowCount; ++row) {
        before[row] = list.CellTag(row, column);
        list.SetCellTag(row, column, {});
    }
    Reporting reporting{key};
    TagColumn(list, column, day, reporting);
    for (int row = 0; row < kRowCount; ++row)
        if (list.CellTag(row, column) != before[row]) list.InvalidateCell(row, column);
}

} // namespace

void calList::loadMonth(int offset) {
    DeleteAllRows();
    for (int row = 0; row < 8; ++row)
        AddRow();
    const Date& selected = App().selectedDate;
    // From the 1st, so that the 31st does not roll over into the month after next.
    Date m(selected.Year(), selected.Month(), 1);
    m.SetMonth(m.Month() + offset);
    for (int column = 0; column < 7; ++column) {
        SetCellAlignment(1, column, AlignCenter);
        SetCellBorderBottom(1, column, BorderThin);
        SetCell(1, column, NthField("S,M,T,W,T,F,S", ",", column + 1));
    }
    Date d = m;
    d.SetDay(1 - d.DayOfWeek());
    for (int row = 2; row <= 7; ++row) {
        for (int column = 0; column < 7; ++column) {
            d.SetDay(d.Day() + 1);
            if (d.Month() != m.Month()) continue;
            SetCell(row, column, (d.Day() < 10 ? " " : "") + std::to_string(d.Day()));
            SetCellTag(row, column, d.ShortDate());
            if (offset == 0 && d.Day() == selected.Day()) SetListIndex(row);
        }
    }
}

void calList::LoadEvents(calList& list) {
    list.DeleteAllRows();
    for (int row = 0; row < kRowCount; ++row)
        list.AddRow();
    list.SetDefaultRowHeight(list.Height() / list.ListCount());
    if (CalendarWindow* window = FindOpenWindow<CalendarWindow>(); window && window->GlanceHeader)
        for (int column = 1; column <= 7; ++column)
            window->GlanceHeader->InvalidateCell(0, column);
    const Date& selected = App().selectedDate;
    Reporting reporting;
    for (int column = 1; column <= 7; ++column)
        TagColumn(list, column, ColumnDay(selected, column), reporting);
}

void calList::AddEvent(const Date& end, const std::string& text) {
    app& a = App();
    const Date start = a.selectedDate;
    const std::string key = start.SQLDateTime();
    // The whole date: the 5th of March and the 5th of April are different days.
    if (start.SQLDate() != end.SQLDate()) return Refuse(kDifferentDay, key);
    if (start.Hour() > a.StartTime + 12) return Refuse(kOutOfBounds, key);
    const bool dayNote = IsDayNote(start);
    if (!dayNote) {
        const int row = SlotRow(start, a.StartTime);
        const int cells = CellCount(MinutesBetween(start, end));
        if (row < 0 || cells == 0 || row + cells > kRowCount) return Refuse(kBadTimeFormat, key);
    }
    a.eventDict.Value(key, end.SQLDateTime() + "//" + text);
    const int column = start.DayOfWeek();
    if (dayNote) {
        if (ListCount() > kDayNoteRow) InvalidateCell(kDayNoteRow, column);
        return;
    }
    RetagColumn(*this, column, ColumnDay(start, column), key);
}

void calList::RemoveEvent() {
    app& a = App();
    const Date start = a.selectedDate;
    const std::string key = start.SQLDateTime();
    if (!a.eventDict.HasKey(key)) return;
    a.eventDict.Remove(key);
    const int column = start.DayOfWeek();
    if (IsDayNote(start)) {
        if (ListCount() > kDayNoteRow) InvalidateCell(kDayNoteRow, column);
        return;
    }
    RetagColumn(*this, column, ColumnDay(start, column), key);
}
