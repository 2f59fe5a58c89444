#pragma once
// What the countdown badge says: the whole days until or since the countdown, and the title on
// one or two lines. The badge and the countdown editor share these rules.
#include "platform/Date.h"

#include <cstddef>
#include <string>
#include <string_view>

class Dictionary;

// A title line of the badge may be this wide (pixels); wider titles go on two lines.
inline constexpr int kBadgeTitleWidth = 80;
// Longer than any ordinary title (bytes). The badge centres each line on its whole width, so
// of a longer title (a large file read as the event file) it lays out only this beginning.
inline constexpr size_t kLongestBadgeTitle = 4096;

struct CountdownCount {
    int number = 0;     // never negative
    bool since = false; // the countdown has passed
};

// The days shown at now: the countdown's own day shows 0 days until and the days after it
// 1, 2, ... days since.
CountdownCount CountdownDays(const Date& countdown, const Date& now);

// "days until" or "days since"; the badge has no singular.
const char* CountdownLabel(const CountdownCount& count);

// A title too wide for one line: the first word, then the text after the first blank.
struct TitleLines {
    std::string first;
    std::string second;
};
TitleLines SplitTitle(std::string_view title);

// The title of the countdown entry stored under key, or "Christmas" when there is none; it
// lasts until the store changes.
std::string_view CountdownTitle(const Dictionary& store, const std::string& key);
