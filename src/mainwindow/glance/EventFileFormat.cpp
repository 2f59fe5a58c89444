#include "mainwindow/glance/EventFileFormat.h"

#include "app/App.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

namespace EventFileFormat {

namespace {
std::string Replaced(std::string_view text, std::string_view characters) {
    std::string result(text);
    for (char& c : result)
        if (characters.find(c) != std::string_view::npos) c = ' ';
    return result;
}
} // namespace

std::string CleanTodoText(std::string_view text) {
    return Replaced(text, "\t\r\n");
}

std::string CleanEventValue(std::string_view value) {
    return Replaced(value, "|\r\n");
}

std::string Compose(const std::vector<TodoItem>& todo, const Dictionary& store) {
    std::string text;
    // Each event line is about fifty characters; one allocation for the whole file.
    text.reserve(64 * (todo.size() + static_cast<size_t>(store.Count()) + 1));
    for (const TodoItem& item : todo) {
        text += item.done ? "1\t" : "0\t";
        text += CleanTodoText(item.text);
        text += '\n';
    }
    text += AppText::kEventsMarker;
    text += '\n';
    for (const auto& [key, value] : store) {
        text += key;
        text += '|';
        text += CleanEventValue(value);
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
    if (!item || !item.Exists()) return items;
    auto stream = TextInputStream::Open(item);
    if (!stream) return items;
    while (!stream->EndOfFile()) {
        const std::string line = stream->ReadLine();
        // Only the marker itself ends the items: an item may mention the words.
        if (TextEquals(line, AppText::kEventsMarker)) break;
        items.push_back({NthField(line, "\t", 1) == "1", NthField(line, "\t", 2)});
    }
    return items;
}

} // namespace EventFileFormat
