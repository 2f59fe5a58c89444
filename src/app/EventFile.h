#pragma once
// What the reader of the event file and its writer agree on beyond the texts in App.h.
#include <string_view>

// Whether line is the marker between the to-do items and the events. Only a line that is the
// marker itself counts: a to-do item that merely mentions the words must not hide the events.
// Blanks at its ends and a byte-order mark that an editor put before the first line do not
// count.
bool IsEventsMarker(std::string_view line);
