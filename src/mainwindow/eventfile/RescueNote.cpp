#include "mainwindow/eventfile/RescueNote.h"

#include "mainwindow/eventfile/NotePlaces.h"
#include "mainwindow/eventfile/ParkedAtStart.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/FileCopy.h"
#include "platform/Log.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
// One path a line: a later logout before the next start adds its own. A copy's line starts with
// a word of its own; a path alone is a rescue file, as notes have always held.
constexpr std::string_view kCopyTag = "copy\t";

// So does the file that the start-up moved the event lines it could not read to.
constexpr std::string_view kSkippedTag = "skipped\t";

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& paths) {
    std::string listed;
    for (size_t at = 0; at < paths.size(); ++at)
        listed += (at == 0 ? "" : at + 1 == paths.size() ? " and " : ", ") + paths[at];
    return listed;
}

// What the note names that is still there, by kind.
struct Owed {
    std::vector<std::string> rescues, copies, later, skipped;
    bool Any() const {
        return !rescues.empty() || !copies.empty() || !later.empty() || !skipped.empty();
    }
};

Owed StillThere(const std::vector<std::string>& lines) {
    Owed owed;
    for (std::string_view line : lines) {
        if (line.starts_with(kParkedTag)) continue;
        std::vector<std::string>* list = &owed.rescues;
        for (auto [tag, tagged] :
             {std::pair(kCopyTag, &owed.copies), std::pair(kLaterTag, &owed.later),
              std::pair(kSkippedTag, &owed.skipped)})
            if (line.starts_with(tag)) {
                line.remove_prefix(tag.size());
                list = tagged;
            }
        std::error_code error;
        // A rescue file may lie in a folder everyone can write: only the user's own is told.
        if (!line.empty() &&
            (list == &owed.rescues ? OwnRegularFile(line) : fs::is_regular_file(line, error)))
            list->emplace_back(line);
    }
    return owed;
}

std::string Told(const Owed& owed) {
    const auto& [rescues, copies, later, skipped] = owed;
    std::string told;
    const auto say = [&](const std::string& sentence) {
        if (!told.empty()) told += ' ';
        told += sentence;
    };
    const auto versionsIn = [](const std::vector<std::string>& paths) {
        return (paths.size() == 1 ? "version in " : "versions in ") + Listed(paths) + ".";
    };
    if (!rescues.empty())
        say("Ombrelline Calendar could not save your events and to-do items when it last ended. "
            "They were written to " +
            Listed(rescues) + ".");
    if (!copies.empty())
        say("When Ombrelline Calendar last ended, another program had changed your event file; "
            "the calendar kept that program's " +
            versionsIn(copies));
    if (!later.empty())
        say("Another program wrote to your event file after Ombrelline Calendar had saved over "
            "it; the calendar kept that program's " +
            versionsIn(later));
    if (!skipped.empty())
        say("When Ombrelline Calendar last started, it could not read some lines of your event "
            "file and moved them to " +
            Listed(skipped) + ".");
    return told;
}
} // namespace

void UntilAnswered::Add(std::string line) {
    if (RescueNote::Add(line)) lines_.push_back(std::move(line));
}

void UntilAnswered::Keep(const fs::path& rescue) {
    Add(rescue.string());
}

void UntilAnswered::KeepCopy(const fs::path& copy) {
    Add(std::string(kCopyTag) + copy.string());
}

void UntilAnswered::KeepSkipped(const fs::path& skipped) {
    Add(std::string(kSkippedTag) + skipped.string());
}

void UntilAnswered::Forget(const fs::path& rescue) {
    if (const auto found = std::ranges::find(lines_, rescue.string()); found != lines_.end()) {
        lines_.erase(found);
        Drop({rescue.string()});
    }
}

void UntilAnswered::MessageReturned() {
    const Application* application = Application::Instance();
    if (lines_.empty() || (application && application->QuitBySignal())) return;
    Drop(std::exchange(lines_, {}));
}

namespace {
std::vector<std::string> ParkedLinesOf(const fs::path& path) {
    std::vector<std::string> lines = Lines();
    std::erase_if(lines, [&](const std::string& line) { return !ParksAt(line, path); });
    return lines;
}
} // namespace

void KeepParked(const OutsideChanges::ParkedVersion& parked) {
    Replace(ParkedLinesOf(parked.path), {ParkedLine(parked)});
}

void ForgetParked(const fs::path& path) {
    if (const std::vector<std::string> settled = ParkedLinesOf(path); !settled.empty())
        Drop(settled);
}

void TellOnce(const std::function<void(const std::vector<OutsideChanges::ParkedVersion>&)>& watch) {
    const std::vector<std::string> read = Lines();
    // What the parked files became is noted before anything is told: a copy named now is told
    // again should this run end before its message is answered.
    std::vector<std::string> told = SettleParkedFiles(read, watch);
    if (told != read) Replace(read, told);
    if (const Owed owed = StillThere(told); owed.Any()) {
        MsgBox(Told(owed));
        // Unanswered: a quit came while it showed (a logout, the X server's end), which may have
        // noted a rescue of its own. The next start tells them all.
        if (const Application* application = Application::Instance();
            application && application->QuitRequested())
            return;
    }
    std::erase_if(told, [](const std::string& line) { return line.starts_with(kParkedTag); });
    if (!told.empty()) Drop(told);
}

} // namespace RescueNote
