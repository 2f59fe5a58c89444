// The year grid's day markers kept in step with the events the editor saves and deletes while
// the week face is up, and with the countdown the countdown editor moves or renames.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/yearview/YearGrid.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Text.h"

namespace {

// The day's cell tag; nullptr when the grid's three years do not hold that day (the week
// header can page past them).
std::string* DayTag(const CalendarWindow& window, const Date& day) {
    const int startYear = Customization().calendarStartYear;
    if (day.Year() < startYear || day.Year() > startYear + 2) return nullptr;
    const std::string cell = window.CalDateCell(day);
    const int row = static_cast<int>(Val(NthField(cell, ",", 1)));
    const int column = static_cast<int>(Val(NthField(cell, ",", 2)));
    TextGrid& tags = window.Calendar->CellTag;
    if (row < 0 || column < 0 || row > tags.UBound(1) || column > tags.UBound(2)) return nullptr;
    return &tags(row, column);
}

} // namespace

void CalendarWindow::AddEvent(bool) {
    RemarkDay(App().selectedDate);
}

void CalendarWindow::RemarkDay(const Date& date) {
    std::string* tag = DayTag(*this, date);
    if (!tag) return;
    // Every entry of the day, as the grid marked them when it was built: holidays, the
    // countdown and day notes keep their markers beside the timed events.
    const std::string day = date.SQLDate();
    std::string rebuilt = tag->substr(0, tag->find("//"));
    const Dictionary& store = App().eventDict;
    for (auto entry = store.LowerBound(day);
         entry != store.end() && entry->first.compare(0, day.size(), day) == 0; ++entry)
        if (YearGrid::Marked(entry->first, entry->second))
            YearGrid::AppendMarker(rebuilt, entry->second);
    *tag = std::move(rebuilt);
}

void CalendarWindow::RemoveEvent(const std::string& marker) {
    std::string* tag = DayTag(*this, App().selectedDate);
    if (!tag || marker.size() < 2) return;
    // Whole markers only: "//Party|" must not eat the front of "//Party|Special".
    const std::string piece = marker.substr(2);
    size_t start = tag->find("//");
    while (start != std::string::npos) {
        const size_t next = tag->find("//", start + 2);
        const size_t length = (next == std::string::npos ? tag->size() : next) - start - 2;
        if (tag->compare(start + 2, length, piece) == 0) {
            tag->erase(start, length + 2);
            return;
        }
        start = next;
    }
}
