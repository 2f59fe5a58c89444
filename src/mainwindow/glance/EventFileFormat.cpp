#include "mainwindow/glance/EventFileFormat.h"

#include "app/App.h"
#include "platform/TextStream.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace EventFileFormat {

namespace {
constexpr size_t kPiece = 1 << 20;
constexpr uint64_t kEveryByte = 0x0101010101010101ULL;

// The high bit of each byte of word that equals c (and perhaps of a byte above one that does):
// not zero exactly when word holds c.
template <char c> constexpr uint64_t BytesEqual(uint64_t word) {
    const uint64_t x = word ^ (kEveryByte * static_cast<unsigned char>(c));
    return (x - kEveryByte) & ~x & (kEveryByte << 7);
}

// Copies size characters of text to at, eight at a time, and tells whether any of them is one of
// the characters: nearly every text holds none, and an event file can hold a million lines.
template <char... kCharacters> bool CopyFinding(char* at, const char* text, size_t size) {
    uint64_t found = 0;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, text + i, 8);
        std::memcpy(at + i, &word, 8);
        found |= (uint64_t{0} | ... | BytesEqual<kCharacters>(word));
    }
    for (; i < size; ++i) {
        at[i] = text[i];
        found |= static_cast<uint64_t>((false || ... || (text[i] == kCharacters)));
    }
    return found != 0;
}

// Makes the file's text a piece at a time in one buffer and hands each full piece to take: a
// large file is never whole in memory, and the piece stays in the cache.
template <class Take> class PieceComposer {
  public:
    explicit PieceComposer(Take take)
        : take_(std::move(take)), piece_(std::make_unique_for_overwrite<char[]>(kPiece)) {}

    // Appends text with each of the characters that would break its line or field turned into
    // a blank.
    template <char... kBreakers> void Append(std::string_view text) {
        while (!text.empty()) {
            if (used_ == kPiece) Flush();
            const size_t size = std::min(text.size(), kPiece - used_);
            char* const at = piece_.get() + used_;
            if (CopyFinding<kBreakers...>(at, text.data(), size))
                std::replace_if(
                    at, at + size, [](char c) { return (false || ... || (c == kBreakers)); }, ' ');
            used_ += size;
            text.remove_prefix(size);
        }
    }
    void Append(char c) {
        if (used_ == kPiece) Flush();
        piece_[used_++] = c;
    }
    void Flush() {
        take_(std::string_view(piece_.get(), used_));
        used_ = 0;
    }

  private:
    Take take_;
    std::unique_ptr<char[]> piece_;
    size_t used_ = 0;
};

template <class Take>
void ComposeInPieces(const std::vector<TodoItem>& todo, std::span<const Dictionary::Entry> events,
                     std::span<const std::string> kept, Take take) {
    PieceComposer<Take> out(std::move(take));
    for (const TodoItem& item : todo) {
        out.Append(item.done ? '1' : '0');
        out.Append('\t');
        out.template Append<'\t', '\r', '\n'>(item.text);
        out.Append('\n');
    }
    out.Append(AppText::kEventsMarker);
    out.Append('\n');
    for (const auto& [key, value] : events) {
        out.Append(key);
        out.Append('|');
        out.template Append<'|', '\r', '\n'>(value);
        out.Append('\n');
    }
    for (const std::string& line : kept) {
        out.Append(line);
        out.Append('\n');
    }
    out.Flush();
}
} // namespace

std::string Compose(const std::vector<TodoItem>& todo, std::span<const Dictionary::Entry> events,
                    std::span<const std::string> kept) {
    std::string text;
    ComposeInPieces(todo, events, kept, [&](std::string_view piece) { text += piece; });
    return text;
}

bool Write(
    const FolderItem& item, const std::vector<TodoItem>& todo,
    std::span<const Dictionary::Entry> events, std::span<const std::string> kept,
    std::optional<FileVersion>* written, const std::function<bool()>& beforeRename,
    const std::function<void(const std::filesystem::path&, TextOutputStream::Replaced)>& replaced) {
    auto stream = TextOutputStream::Create(item);
    if (!stream) return false;
    ContentHash hash;
    ComposeInPieces(todo, events, kept, [&](std::string_view piece) {
        hash.Add(piece);
        stream->Write(piece);
    });
    if (!stream->Close(beforeRename, replaced)) return false;
    if (written) {
        written->reset();
        if (stream->Written()) *written = FileVersion::Measured(*stream->Written(), hash.Value());
    }
    return true;
}

} // namespace EventFileFormat
