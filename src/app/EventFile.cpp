// Reading the user's events from the event file into the event store.
#include "app/App.h"

#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

void app::LoadUserEvents() {
    Date scratch;
    const FolderItem item = SpecialFolder::Documents().Child(AppText::kEventFileName);
    if (!item || !item.Exists()) return;
    auto stream = TextInputStream::Open(item);
    if (!stream) throw IOException("cannot open the event file");

    // Only a line that is the marker itself starts the events: a to-do item that merely
    // mentions the words must not hide them.
    const auto isMarker = [](const std::string& line) {
        return TextEquals(line, AppText::kEventsMarker);
    };
    bool found = false;
    while (!stream->EndOfFile() && !found)
        found = isMarker(stream->ReadLine());

    bool problem = false;
    if (found) {
        while (!stream->EndOfFile()) {
            const std::string line = stream->ReadLine();
            if (line.empty()) continue;
            const size_t bar = line.find('|');
            const std::string key = line.substr(0, bar);
            try {
                scratch.SetSQLDateTime(key);
            } catch (const UnsupportedFormatException&) {
                problem = true;
                if (isMarker(line)) break;
                continue;
            }
            std::string value;
            if (bar != std::string::npos) {
                const size_t next = line.find('|', bar + 1);
                value = line.substr(bar + 1, next == std::string::npos ? next : next - bar - 1);
            }
            if (TextEquals(NthField(value, "//", 3), "Countdown")) countdownDate = scratch;
            eventDict.Value(key, std::move(value));
        }
    }
    stream->Close();
    if (problem) MsgBox(AppText::kEventDatabaseProblem);
}
