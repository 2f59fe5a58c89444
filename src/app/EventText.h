#pragma once
// The rule that keeps a title typed by the user from breaking the event store's joined records.
#include <string>
#include <string_view>

// A title as it can be stored inside "end//title//kind" and an event file line joined by "|":
// line breaks are removed, "|" becomes a blank, every run of "/" becomes one "/", and a trailing
// "/" is dropped so that it cannot join the "//" that follows the title.
std::string CleanEventTitle(std::string_view title);
