#include "mainwindow/glance/RescueNote.h"

#include "platform/Dialogs.h"
#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/TextStream.h"

#include <string>
#include <string_view>

namespace fs = std::filesystem;

namespace RescueNote {

namespace {
// One path a line: a later logout before the next start adds its own.
FolderItem NoteItem() {
    const FolderItem folder = SpecialFolder::Preferences();
    return folder ? folder.TrueChild("QVCalendar.rescued") : FolderItem();
}
} // namespace

void Keep(const fs::path& rescue) {
    const FolderItem note = NoteItem();
    if (!note) return;
    std::string text;
    if (const auto kept = ReadWholeFile(note)) text = kept->View();
    auto stream = TextOutputStream::Create(note);
    if (stream) stream->WriteLine(text + rescue.string());
    if (!stream || !stream->Close())
        LogProblem("cannot note where the rescue file is", note.Path());
}

void TellOnce() {
    const FolderItem note = NoteItem();
    const auto kept = note ? ReadWholeFile(note) : std::nullopt;
    if (!kept) return;
    std::string there;
    for (std::string_view text = kept->View(); !text.empty();) {
        const std::string_view line = TakeLine(text);
        std::error_code error;
        if (!line.empty() && fs::is_regular_file(line, error))
            there += (there.empty() ? "" : ", ") + std::string(line);
    }
    // Removed first: a logout while the message shows may note a new rescue file.
    std::error_code error;
    if (!fs::remove(note.Path(), error)) LogProblem("cannot remove the rescue note", note.Path());
    if (!there.empty())
        MsgBox("Ombrelline Calendar could not save your events and to-do items when it last "
               "ended. They were written to " +
               there + ".");
}

} // namespace RescueNote
