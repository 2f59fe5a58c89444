// Reading the user's events from the event file into the event store.
#include "app/App.h"

#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

namespace {

// Only a line that is the marker itself starts the events: a to-do item that merely mentions
// the words must not hide them. Blanks at its ends and a byte-order mark that an editor put
// before the first line do not count.
bool IsMarker(std::string_view line) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    return TextEquals(Trim(line), AppText::kEventsMarker);
}

// Reads past the to-do items; false when no events follow.
bool SkipToEvents(TextInputStream& stream) {
    while (!stream.EndOfFile())
        if (IsMarker(stream.ReadLineView())) return true;
    return false;
}

// An event line is "start|value|...": the value is what lies between the first two bars.
std::string_view EventValue(std::string_view line, size_t bar) {
    if (bar == std::string_view::npos) return {};
    const size_t next = line.find('|', bar + 1);
    return line.substr(bar + 1, next == std::string_view::npos ? next : next - bar - 1);
}

// Stores the event lines that follow and notes the countdown event's start (the last such
// line wins); false when a line did not start with an SQL date-time. Such a line is skipped
// and reading goes on, also after a second marker, so that every good line is kept.
bool ReadEvents(TextInputStream& stream, const FolderItem& file, Dictionary& store,
                Date& countdown) {
    Date start;
    bool wellFormed = true;
    while (!stream.EndOfFile()) {
        // The line stays in the stream's text; only its key and value are copied out.
        const std::string_view line = stream.ReadLineView();
        if (line.empty()) continue;
        const size_t bar = line.find('|');
        std::string key(line.substr(0, bar));
        try {
            start.SetSQLDateTime(key);
        } catch (const UnsupportedFormatException&) {
            wellFormed = false;
            LogProblem("skipped an event line that does not start with a date (\"" +
                           std::string(line.substr(0, 40)) + "\")",
                       file.Path());
            continue;
        }
        std::string value(EventValue(line, bar));
        if (TextEquals(NthField(value, "//", 3), "Countdown")) countdown = start;
        store.Value(std::move(key), std::move(value));
    }
    return wellFormed;
}

} // namespace

void app::LoadUserEvents() {
    const FolderItem item = SpecialFolder::Documents().Child(AppText::kEventFileName);
    if (!item || !item.Exists()) return;
    auto stream = TextInputStream::Open(item);
    if (!stream) throw IOException("cannot open the event file " + item.Path().string());
    bool wellFormed = true;
    if (SkipToEvents(*stream)) wellFormed = ReadEvents(*stream, item, eventDict, countdownDate);
    stream->Close();
    if (!wellFormed) MsgBox(AppText::kEventDatabaseProblem);
}
