#include "controls/WeekGrid.h"

#include "platform/Text.h"

namespace WeekGrid {

std::string_view ValueField(std::string_view value, int n) {
    for (; n > 1; --n) {
        const size_t separator = value.find("//");
        if (separator == std::string_view::npos) return {};
        value.remove_prefix(separator + 2);
    }
    return value.substr(0, value.find("//"));
}

int SlotRow(const Date& start, int firstHour) {
    return 2 * (start.Hour() - firstHour) + (start.Minute() >= 30 ? 1 : 0);
}

int CellCount(long long minutes) {
    if (minutes <= 0) return 0;
    if (minutes <= 30) return 1;
    // Between half an hour and an hour: a first and a last cell. From an hour on, a part of a
    // half hour left at the end takes no cell of its own, so 8:00 to 9:15 covers two cells and
    // an event that ends a little past the grid's foot still fits it.
    if (minutes < 60) return 2;
    return static_cast<int>(minutes / 30);
}

long long MinutesBetween(const Date& start, const Date& end) {
    return (end.TotalSeconds() - start.TotalSeconds()) / 60;
}

bool IsDayNote(const Date& start) {
    return start.Second() == 1;
}

std::string Tag(const std::string& key, int position) {
    return key + "|" + std::to_string(position);
}

std::string TagKind(const std::string& tag) {
    return NthField(tag, "|", 2);
}

std::string TagStart(const std::string& tag) {
    return NthField(tag, "|", 1);
}

Date ColumnDay(const Date& day, int column) {
    Date result(day.Year(), day.Month(), day.Day());
    result.SetDay(day.Day() - day.DayOfWeek() + column);
    return result;
}

} // namespace WeekGrid
