#pragma once
// The event file's layout: one line per to-do item ("1" or "0", a Tab, the text), the line
// "Events Data:", then one line per event entry (key, "|", value). The writer replaces what
// would split a line or a field, so whatever the user typed reads back as one item or entry.
#include "app/EventFile.h"
#include "platform/Dictionary.h"
#include "platform/FileVersion.h"
#include "platform/FolderItem.h"
#include "platform/TextStream.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace EventFileFormat {

using TodoItem = ::TodoItem;

// The whole file as text: a to-do text with its Tabs and line breaks turned into blanks, an
// entry's value with its "|" and line breaks; then the lines kept from the file read, unchanged.
std::string Compose(const std::vector<TodoItem>& todo, std::span<const Dictionary::Entry> events,
                    std::span<const std::string> kept = {});

// Writes the file whole or not at all: a temporary file beside it, flushed, then renamed over
// it. False (and the old file untouched) when that fails. Reads nothing but what it is given,
// so it may run on another thread over a snapshot of the store. written, when given, receives
// the version of the file written; beforeRename and replaced are TextOutputStream::Close's.
bool Write(const FolderItem& item, const std::vector<TodoItem>& todo,
           std::span<const Dictionary::Entry> events, std::span<const std::string> kept = {},
           std::optional<FileVersion>* written = nullptr,
           const std::function<bool()>& beforeRename = {},
           const std::function<void(const std::filesystem::path&, TextOutputStream::Replaced)>&
               replaced = {});

} // namespace EventFileFormat
