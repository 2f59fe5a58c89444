#include "mainwindow/glance/EventFileFormat.h"

#include "app/App.h"
#include "app/EventFile.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <filesystem>
#include <iostream>

namespace EventFileFormat {

namespace {
// Appends text with each of the characters that would break its line or field turned into a
// blank. The characters are compared directly: a find in a set per character costs a call each,
// and an event file can hold a million lines.
template <char... kBreakers> void AppendReplaced(std::string& out, std::string_view text) {
    const size_t start = out.size();
    out += text;
    for (size_t i = start; i < out.size(); ++i)
        if (((out[i] == kBreakers) || ...)) out[i] = ' ';
}
} // namespace

std::string Compose(const std::vector<TodoItem>& todo, const Dictionary& store) {
    std::string text;
    // Each event line is about fifty characters; one allocation for the whole file.
    text.reserve(64 * (todo.size() + static_cast<size_t>(store.Count()) + 1));
    for (const TodoItem& item : todo) {
        text += item.done ? "1\t" : "0\t";
        AppendReplaced<'\t', '\r', '\n'>(text, item.text);
        text += '\n';
    }
    text += AppText::kEventsMarker;
    text += '\n';
    for (const auto& [key, value] : store) {
        text += key;
        text += '|';
        AppendReplaced<'|', '\r', '\n'>(text, value);
        text += '\n';
    }
    return text;
}

bool Write(const FolderItem& item, const std::vector<TodoItem>& todo, const Dictionary& store) {
    auto stream = TextOutputStream::Create(item);
    if (!stream) return false;
    stream->Write(Compose(todo, store));
    return stream->Close();
}

std::vector<TodoItem> ReadTodoItems(const FolderItem& item) {
    std::vector<TodoItem> items;
    std::error_code error;
    // Something else in the file's place was told of when the events were read.
    if (!item || !std::filesystem::is_regular_file(item.Path(), error)) return items;
    auto stream = TextInputStream::Open(item);
    if (!stream) {
        std::cerr << "calendar: cannot read the to-do items of " << item.Path().string() << '\n';
        return items;
    }
    for (bool first = true; !stream->EndOfFile(); first = false) {
        std::string line = stream->ReadLine();
        // The mark belongs to the file, not to its first item: left on, it would hide the tick.
        if (first) line = std::string(WithoutByteOrderMark(line));
        if (IsEventsMarker(line)) break;
        items.push_back({NthField(line, "\t", 1) == "1", NthField(line, "\t", 2)});
    }
    return items;
}

} // namespace EventFileFormat
