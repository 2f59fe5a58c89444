#include "platform/FolderItem.h"

#include "platform/Text.h"

#include <QCoreApplication>
#include <QStandardPaths>

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
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

// The user's home: HOME, or the password database's entry when HOME is unset or empty (a
// service, a stripped environment), so that nothing lands in a folder that all users share.
// HOME is then set to it, for the toolkit's own paths and the programs the calendar starts; the
// first call comes from the single-instance lock, before any other thread runs.
fs::path Home() {
    const char* home = std::getenv("HOME");
    if (home && *home) return home;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir || !*found->pw_dir)
        return {};
    setenv("HOME", found->pw_dir, 1);
    return found->pw_dir;
}

std::optional<fs::path>& ApplicationFolderOverride() {
    static std::optional<fs::path> folder;
    return folder;
}

std::optional<fs::path>& LastingTemporaryOverride() {
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

bool FolderItem::NameTaken() const {
    if (!valid_) return false;
    std::error_code error;
    if (fs::exists(followLinks_ ? fs::status(path_, error) : fs::symlink_status(path_, error)))
        return true;
    // Not found, or under something that is no folder: the name is free to be made.
    return error && error != std::errc::no_such_file_or_directory &&
           error != std::errc::not_a_directory;
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

int OpenRegularFile(const fs::path& path, struct stat* status) {
    // A pipe, a socket or a device is not opened at all, and the open itself does not wait in
    // case one took the file's place in between; the open file is what counts.
    struct stat own {};
    struct stat& found = status ? *status : own;
    if (::stat(path.c_str(), &found) != 0 || !S_ISREG(found.st_mode)) return -1;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, &found) != 0 || !S_ISREG(found.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

namespace SpecialFolder {

FolderItem Documents() {
    if (Home().empty()) return {};
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (path.isEmpty()) return {};
    return FolderItem(fs::path(path.toStdString()));
}

FolderItem Preferences() {
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules ask.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && fs::path(config).is_absolute()) return FolderItem(fs::path(config));
    const fs::path home = Home();
    if (home.empty()) return {};
    return FolderItem(home / ".config");
}

FolderItem LastingTemporary() {
    return FolderItem(LastingTemporaryOverride().value_or("/var/tmp"));
}

void SetLastingTemporary(std::optional<fs::path> folder) {
    LastingTemporaryOverride() = std::move(folder);
}

FolderItem Temporary() {
    const char* temporary = std::getenv("TMPDIR");
    return FolderItem(temporary && fs::path(temporary).is_absolute() ? fs::path(temporary)
                                                                     : fs::path("/tmp"));
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

} // namespace SpecialFolder
