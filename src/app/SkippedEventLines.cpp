// Event lines the reader skipped leave the event file for a file of their own beside it: kept for
// the user, and told of once instead of at every start.
#include "app/EventFile.h"

#include "platform/TextStream.h"

#include <algorithm>

namespace {
struct KeptLines {
    std::string text;
    bool keptBefore = false;
};

// What the file of skipped lines is to hold: what it held before plus lines, each ended. When
// it ends with lines already, an earlier start kept them there and then could not take them out
// of the event file (a full disk, a kill): they are not added twice. None when a file that is
// there cannot be read, so that nothing it held is written over.
std::optional<KeptLines> WithLines(const FolderItem& item, std::span<const std::string> lines) {
    KeptLines kept;
    if (item.Exists()) {
        const std::optional<WholeFile> old = ReadWholeFile(item);
        if (!old) return std::nullopt;
        std::vector<std::string_view> held;
        for (std::string_view rest = old->View(); !rest.empty();)
            held.push_back(TakeLine(rest));
        kept.keptBefore = held.size() >= lines.size() &&
                          std::equal(lines.begin(), lines.end(), held.end() - lines.size());
        kept.text = old->View();
        if (!kept.text.empty() && kept.text.back() != '\n' && kept.text.back() != '\r')
            kept.text += '\n';
    }
    for (const std::string& line : lines)
        kept.text.append(line).append(1, '\n');
    return kept;
}
} // namespace

FolderItem SkippedLinesItem(const FolderItem& eventFile) {
    return FolderItem(eventFile.Path().parent_path() / (eventFile.Name() + ".skipped"));
}

SkippedLinesMove MoveSkippedLines(const FolderItem& eventFile, const WholeFile& read,
                                  std::span<const std::string> skipped,
                                  std::optional<FileVersion>* written) {
    // Only the file read is rewritten: a change another program made since is the running
    // calendar's to keep beside the file before its own write.
    bool changed = false;
    const auto stillRead = [&] {
        changed = FileIdentity::At(eventFile.Path()) != read.identity;
        return !changed;
    };
    if (!stillRead()) return SkippedLinesMove::FileChanged;
    // The event file is opened for its rewrite first: when it cannot be replaced (read-only),
    // nothing is moved, and the lines are not copied again at the next start.
    std::optional<TextOutputStream> events = TextOutputStream::Create(eventFile);
    if (!events) return SkippedLinesMove::Failed;
    const FolderItem item = SkippedLinesItem(eventFile);
    const std::optional<KeptLines> kept = WithLines(item, skipped);
    if (!kept) return SkippedLinesMove::Failed;
    if (!kept->keptBefore) {
        // The user's own lines: no more readable than the file they came from.
        std::optional<TextOutputStream> out = TextOutputStream::Create(item, eventFile);
        if (!out) return SkippedLinesMove::Failed;
        out->Write(kept->text);
        if (!out->Close()) return SkippedLinesMove::Failed;
    }
    // A change landing after this point leaves the lines in both files, which the next start
    // recognises.
    const std::string rest = WithoutSkippedLines(read.View());
    events->Write(rest);
    if (!events->Close(stillRead))
        return changed ? SkippedLinesMove::FileChanged : SkippedLinesMove::Failed;
    // The calendar's own rewrite: no later save may take it for another program's.
    if (written) {
        written->reset();
        if (events->Written())
            *written = FileVersion::Measured(*events->Written(), ContentHash::Of(rest));
    }
    return kept->keptBefore ? SkippedLinesMove::KeptBefore : SkippedLinesMove::Moved;
}
