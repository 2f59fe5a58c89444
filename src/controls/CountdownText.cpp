#include "controls/CountdownText.h"

#include "platform/Dictionary.h"
#include "platform/Text.h"

CountdownCount CountdownDays(const Date& countdown, const Date& now) {
    const double seconds = static_cast<double>(countdown.TotalSeconds() - now.TotalSeconds());
    const double days = seconds / 60 / 60 / 24 + 1;
    const int whole = static_cast<int>(days);
    // Dropping the fraction rounds the whole day after the countdown day up to 0 as well; that
    // day is already the first one since.
    if (days < 0) return {1 - whole, true};
    return {whole, false};
}

const char* CountdownLabel(const CountdownCount& count) {
    return count.since ? "days since" : "days until";
}

TitleLines SplitTitle(std::string_view title) {
    const size_t blank = title.find(' ');
    if (blank == std::string_view::npos) return {std::string(title), {}};
    return {std::string(title.substr(0, blank)), std::string(title.substr(blank + 1))};
}

std::string_view CountdownTitle(const Dictionary& store, const std::string& key) {
    if (!store.HasKey(key)) return "Christmas";
    return NthFieldView(store.Value(key), "//", 2);
}
