#pragma once
// The week grid's rows and its glance cell tags: rows 0 to 25 are the half hours from the
// first hour of the grid, row 26 the day notes and row 27 the holidays; columns 1 to 7 are
// Sunday to Saturday. A covered cell's tag is the event's start, "|" and its position: 1 first,
// 2 middle, 3 last, 4 the only cell.
#include "platform/Date.h"

#include <string>
#include <string_view>

namespace WeekGrid {

inline constexpr int kSlotRows = 26;
inline constexpr int kDayNoteRow = 26;
inline constexpr int kHolidayRow = 27;
inline constexpr int kRowCount = 28;

// Field n (from 1) of an event entry's value, whose fields are separated by "//".
std::string_view ValueField(std::string_view value, int n);

// The slot row of a start at hour:minute; negative before the grid's first hour.
int SlotRow(const Date& start, int firstHour);
// The number of half-hour cells an event of that many minutes covers: whole half hours, with
// the fraction dropped, but at least one and two beyond half an hour; 0 when it ends at or
// before its start.
int CellCount(long long minutes);
// Whole minutes from start to end.
long long MinutesBetween(const Date& start, const Date& end);

// A day note starts one second after midnight.
bool IsDayNote(const Date& start);

std::string Tag(const std::string& key, int position);
// The position code of a tag ("1" to "4"), or empty.
std::string TagKind(const std::string& tag);
// The start of the event a tag names.
std::string TagStart(const std::string& tag);

// The date of column 1 to 7 of the week that holds day, at 00:00:00.
Date ColumnDay(const Date& day, int column);

} // namespace WeekGrid
