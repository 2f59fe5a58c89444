#include "mainwindow/glance/RescueNote.h"

#include "platform/Dialogs.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/TextStream.h"

#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
// One path a line: a later logout before the next start adds its own. A copy's line starts with
// a word of its own; a path alone is a rescue file, as notes have always held.
constexpr std::string_view kCopyTag = "copy\t";

FolderItem NoteItem() {
    const FolderItem folder = SpecialFolder::Preferences();
    return folder ? folder.TrueChild("QVCalendar.rescued") : FolderItem();
}

void Add(const std::string& line) {
    const FolderItem note = NoteItem();
    if (!note) return;
    std::string text;
    if (const auto kept = ReadWholeFile(note)) text = kept->View();
    auto stream = TextOutputStream::Create(note);
    if (stream) stream->WriteLine(text + line);
    if (!stream || !stream->Close())
        LogProblem("cannot note where what the quit kept is", note.Path());
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& paths) {
    std::string listed;
    for (size_t at = 0; at < paths.size(); ++at)
        listed += (at == 0 ? "" : at + 1 == paths.size() ? " and " : ", ") + paths[at];
    return listed;
}

std::string Told(const std::vector<std::string>& rescues, const std::vector<std::string>& copies) {
    std::string told;
    if (!rescues.empty())
        told = "Ombrelline Calendar could not save your events and to-do items when it last "
               "ended. They were written to " +
               Listed(rescues) + ".";
    if (!copies.empty())
        told += std::string(told.empty() ? "" : " ") +
                "When Ombrelline Calendar last ended, another program had changed your event "
                "file; the calendar kept that program's " +
                (copies.size() == 1 ? "version in " : "versions in ") + Listed(copies) + ".";
    return told;
}
} // namespace

void Keep(const fs::path& rescue) {
    Add(rescue.string());
}

void KeepCopy(const fs::path& copy) {
    Add(std::string(kCopyTag) + copy.string());
}

void TellOnce() {
    const FolderItem note = NoteItem();
    const auto kept = note ? ReadWholeFile(note) : std::nullopt;
    if (!kept) return;
    std::vector<std::string> rescues, copies;
    for (std::string_view text = kept->View(); !text.empty();) {
        std::string_view line = TakeLine(text);
        const bool copy = line.starts_with(kCopyTag);
        if (copy) line.remove_prefix(kCopyTag.size());
        std::error_code error;
        if (!line.empty() && fs::is_regular_file(line, error))
            (copy ? copies : rescues).emplace_back(line);
    }
    // Removed first: a logout while the message shows may note a new rescue file.
    std::error_code error;
    if (!fs::remove(note.Path(), error)) LogProblem("cannot remove the rescue note", note.Path());
    if (!rescues.empty() || !copies.empty()) MsgBox(Told(rescues, copies));
}

} // namespace RescueNote
