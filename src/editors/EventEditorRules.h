#pragma once
// What the event editor works out from the event store and its own inputs, kept apart from its
// controls: the reach of the end slider, the texts of the date labels, the week-list row an end
// falls on, and the entry and year-grid marker that Save and Delete deal with.
#include "platform/Date.h"
#include "platform/Dictionary.h"

#include <optional>
#include <string>

namespace EventEditor {

// Ends are chosen in half hours after the start.
inline constexpr int kStepSeconds = 1800;
// The end never searches past this hour for the next event.
inline constexpr int kLastEndHour = 21;

struct EndRange {
    int maximum; // half hours from the start to the furthest end the slider offers
    int value;   // half hours from the start to the current end
};

// The slider's reach for an event from start to end: half-hour steps on from the end until the
// next stored start (an event may not run into the next one) or the first step at 21 o'clock.
// A stored entry at the end itself stops at once, so a day note (end = start) gets 0 and 0.
EndRange SliderRange(const Dictionary& store, const Date& start, const Date& end);

// A label's text: the short date, with " at " and the short time unless the event is all-day.
std::string DateLabel(const Date& date, bool withTime);

// A day note starts at 00:00:01; the week list gives hour 0 to nothing else.
bool IsDayNoteStart(const Date& start);
// 00:00:01 of the day of date, where the day's note is stored.
Date DayNoteStart(Date date);

// The week-list row of the half-hour slot that begins at end, for a list whose first slot
// begins at firstHour; nullopt when the list of rowCount rows has no such row.
std::optional<int> SlotRow(const Date& end, int firstHour, int rowCount);

// The title Save stores: the typed title cleaned so that it cannot add a field to the entry;
// "New Event" when nothing is left of it.
std::string TitleToStore(const std::string& typed);

// The year grid's marker of a stored entry's value: "//", its title, "|" and its kind.
std::string DayMarker(std::string_view entryValue);

} // namespace EventEditor
