#include "platform/FolderItem.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::vector<fs::path> SortedEntries(const fs::path& folder) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
    return entries;
}

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

std::optional<fs::path>& ApplicationFolderOverride() {
    static std::optional<fs::path> folder;
    return folder;
}
} // namespace

FolderItem FolderItem::Child(const std::string& name) const {
    if (!valid_) return {};
    return FolderItem(path_ / name, true);
}

FolderItem FolderItem::TrueChild(const std::string& name) const {
    if (!valid_) return {};
    return FolderItem(path_ / name, false);
}

FolderItem FolderItem::ChildIgnoringCase(const std::string& name) const {
    if (!valid_) return {};
    if (name.empty()) return *this;
    if (name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return {};
    FolderItem exact = Child(name);
    if (exact.Exists() || !Directory()) return exact;
    for (const fs::path& entry : SortedEntries(path_))
        if (TextEquals(entry.filename().string(), name)) return FolderItem(entry, followLinks_);
    return exact;
}

FolderItem FolderItem::Parent() const {
    if (!valid_ || !path_.has_parent_path() || path_.parent_path() == path_) return {};
    return FolderItem(path_.parent_path());
}

bool FolderItem::Exists() const {
    std::error_code error;
    return valid_ &&
           (followLinks_ ? fs::exists(path_, error) : fs::exists(fs::symlink_status(path_, error)));
}

bool FolderItem::Directory() const {
    std::error_code error;
    return valid_ && (followLinks_ ? fs::is_directory(path_, error)
                                   : fs::is_directory(fs::symlink_status(path_, error)));
}

int FolderItem::Count() const {
    if (!Directory()) return 0;
    return static_cast<int>(SortedEntries(path_).size());
}

FolderItem FolderItem::Item(int index) const {
    if (!Directory() || index < 1) return {};
    const auto entries = SortedEntries(path_);
    if (static_cast<size_t>(index) > entries.size()) return {};
    return FolderItem(entries[static_cast<size_t>(index - 1)]);
}

namespace SpecialFolder {

FolderItem Documents() {
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (path.isEmpty()) return {};
    return FolderItem(fs::path(path.toStdString()));
}

FolderItem Preferences() {
    return FolderItem(fs::path(EnvOr("XDG_CONFIG_HOME", EnvOr("HOME", "/tmp") + "/.config")));
}

FolderItem ApplicationFolder() {
    if (ApplicationFolderOverride()) return FolderItem(*ApplicationFolderOverride());
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error) return FolderItem(fs::current_path());
    return FolderItem(self.parent_path());
}

void SetApplicationFolder(std::optional<fs::path> folder) {
    ApplicationFolderOverride() = std::move(folder);
}

FolderItem RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return FolderItem(fs::path(runtime));
    const fs::path fallback =
        fs::temp_directory_path() / ("ombrelline-" + std::to_string(getuid()));
    std::error_code error;
    fs::create_directories(fallback, error);
    fs::permissions(fallback, fs::perms::owner_all, error);
    return FolderItem(fallback);
}

} // namespace SpecialFolder
