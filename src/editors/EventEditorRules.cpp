#include "editors/EventEditorRules.h"

#include "app/EventText.h"
#include "platform/Text.h"

namespace EventEditor {

namespace {
int HalfHoursBetween(const Date& from, const Date& to) {
    return static_cast<int>((to.TotalSeconds() - from.TotalSeconds()) / kStepSeconds);
}
} // namespace

EndRange SliderRange(const Dictionary& store, const Date& start, const Date& end) {
    Date reach = end;
    while (!store.HasKey(reach.SQLDateTime()) && reach.Hour() < kLastEndHour)
        reach.SetTotalSeconds(reach.TotalSeconds() + kStepSeconds);
    return {HalfHoursBetween(start, reach), HalfHoursBetween(start, end)};
}

std::string DateLabel(const Date& date, bool withTime) {
    return withTime ? date.ShortDate() + " at " + date.ShortTime() : date.ShortDate();
}

bool IsDayNoteStart(const Date& start) {
    return start.Hour() == 0 && start.Second() == 1;
}

Date DayNoteStart(Date date) {
    date.SetHour(0);
    date.SetMinute(0);
    date.SetSecond(1);
    return date;
}

std::optional<int> SlotRow(const Date& end, int firstHour, int rowCount) {
    const int row = (end.Hour() - firstHour) * 2 + (end.Minute() == 30 ? 1 : 0);
    if (row < 0 || row >= rowCount) return std::nullopt;
    return row;
}

std::string TitleToStore(const std::string& typed) {
    std::string title = CleanEventTitle(typed);
    return title.empty() ? "New Event" : title;
}

std::string DayMarker(std::string_view entryValue) {
    return "//" + NthField(entryValue, "//", 2) + "|" + NthField(entryValue, "//", 3);
}

} // namespace EventEditor
