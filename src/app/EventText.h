#pragma once
// The rules that keep a text typed or pasted by the user from breaking the event file's lines
// and the event store's joined records.
#include <string>
#include <string_view>

// A text pasted over several lines, as one line: each line break (CR LF, CR or LF) between
// its lines is a blank; those before the first line and after the last are dropped.
std::string JoinLines(std::string_view text);

// A title as it can be stored inside "end//title//kind" and an event file line joined by "|":
// line breaks are blanks, "|" becomes a blank, every run of "/" becomes one "/", and a trailing
// "/" is dropped so that it cannot join the "//" that follows the title.
std::string CleanEventTitle(std::string_view title);

// A to-do item as its line of the event file keeps it: line breaks and tabs are blanks.
std::string CleanTodoText(std::string_view text);
