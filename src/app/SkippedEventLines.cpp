// Event lines the reader skipped leave the event file for a file of their own beside it: kept for
// the user, and told of once instead of at every start.
#include "app/EventFile.h"

#include "platform/TextStream.h"

namespace {
// What the file held before plus lines, each ended; none when a file that is there cannot be
// read, so that nothing it held is written over.
std::optional<std::string> Appended(const FolderItem& item, std::span<const std::string> lines) {
    std::string text;
    if (item.Exists()) {
        const std::optional<WholeFile> old = ReadWholeFile(item);
        if (!old) return std::nullopt;
        text = old->View();
        if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += '\n';
    }
    for (const std::string& line : lines)
        text.append(line).append(1, '\n');
    return text;
}
} // namespace

FolderItem SkippedLinesItem(const FolderItem& eventFile) {
    return FolderItem(eventFile.Path().parent_path() / (eventFile.Name() + ".skipped"));
}

bool MoveSkippedLines(const FolderItem& eventFile, std::string_view text,
                      std::span<const std::string> skipped, std::optional<FileVersion>* written) {
    // The event file is opened for its rewrite first: when it cannot be replaced (read-only),
    // nothing is moved, and the lines are not copied again at the next start.
    std::optional<TextOutputStream> events = TextOutputStream::Create(eventFile);
    if (!events) return false;
    const FolderItem item = SkippedLinesItem(eventFile);
    const std::optional<std::string> kept = Appended(item, skipped);
    if (!kept) return false;
    std::optional<TextOutputStream> out = TextOutputStream::Create(item);
    if (!out) return false;
    out->Write(*kept);
    if (!out->Close()) return false;
    const std::string rest = WithoutSkippedLines(text);
    events->Write(rest);
    if (!events->Close()) return false;
    // The calendar's own rewrite: no later save may take it for another program's.
    if (written) {
        written->reset();
        if (events->Written()) *written = FileVersion{*events->Written(), ContentHash::Of(rest)};
    }
    return true;
}
