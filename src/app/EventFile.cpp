// Reading the user's events from the event file into the event store.
#include "app/EventFile.h"

#include "app/App.h"
#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <vector>

namespace {

// Takes the to-do items off the front of text; false when no events follow.
bool SkipToEvents(std::string_view& text) {
    while (!text.empty())
        if (IsEventsMarker(TakeLine(text))) return true;
    return false;
}

// An event line is "start|value|...": the value is what lies between the first two bars.
std::string_view EventValue(std::string_view line, size_t bar) {
    if (bar == std::string_view::npos) return {};
    const size_t next = line.find('|', bar + 1);
    return line.substr(bar + 1, next == std::string_view::npos ? next : next - bar - 1);
}

struct EventLines {
    std::vector<Dictionary::Entry> entries; // views into the file's text, in the file's order
    std::string_view countdown;             // the start of the last countdown line, if any
    bool wellFormed = true;
};

// The event lines of text. A line that does not start with an SQL date-time is skipped (and
// logged) and reading goes on, also after a second marker, so that every good line is kept.
EventLines ReadEvents(std::string_view text, const FolderItem& file) {
    EventLines lines;
    // About fifty characters a line: one allocation for the whole file.
    lines.entries.reserve(text.size() / 48 + 1);
    while (!text.empty()) {
        const std::string_view line = TakeLine(text);
        if (line.empty()) continue;
        const size_t bar = line.find('|');
        const std::string_view key = line.substr(0, bar);
        if (!Date::IsSQLDateTime(key)) {
            lines.wellFormed = false;
            LogProblem("skipped an event line that does not start with a date (\"" +
                           std::string(line.substr(0, 40)) + "\")",
                       file.Path());
            continue;
        }
        const std::string_view value = EventValue(line, bar);
        if (TextEquals(NthFieldView(value, "//", 3), "Countdown")) lines.countdown = key;
        lines.entries.emplace_back(key, value);
    }
    return lines;
}

} // namespace

bool IsEventsMarker(std::string_view line) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    return TextEquals(Trim(line), AppText::kEventsMarker);
}

void app::LoadUserEvents() {
    const FolderItem item = SpecialFolder::Documents().Child(AppText::kEventFileName);
    if (!item || !item.Exists()) return;
    // Read in one go: the lines stay in this text and only the entries are copied out.
    const std::optional<std::string> text = ReadTextFile(item);
    if (!text) throw IOException("cannot open the event file " + item.Path().string());
    std::string_view events = *text;
    if (!SkipToEvents(events)) return;
    const EventLines lines = ReadEvents(events, item);
    const int keys = eventDict.Merge(lines.entries);
    if (!lines.countdown.empty()) countdownDate.SetSQLDateTime(std::string(lines.countdown));
    // The file holds the store exactly when it gave every entry (no holiday it lacks) and
    // nothing was refused; then quitting need not write it again.
    if (lines.wellFormed && keys == eventDict.Count()) eventFileRevision = eventDict.Revision();
    if (!lines.wellFormed) MsgBox(AppText::kEventDatabaseProblem);
}
