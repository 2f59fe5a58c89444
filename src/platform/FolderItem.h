#pragma once
// A file or folder on disk, named by its path. An item may name something that does not exist
// yet; a default-constructed item is "none".
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class Picture;

class FolderItem {
  public:
    FolderItem() = default;
    explicit FolderItem(std::filesystem::path path, bool followLinks = true)
        : path_(std::move(path)), followLinks_(followLinks), valid_(true) {}

    bool IsNone() const { return !valid_; }
    explicit operator bool() const { return valid_; }

    // The item of that name inside this folder. Child follows a symbolic link when the item is
    // used; TrueChild does not.
    FolderItem Child(const std::string& name) const;
    FolderItem TrueChild(const std::string& name) const;
    // The item of that name with letter case ignored, as calendar folders name their files: the
    // exact name when it exists, else the first item in name order that matches; the exact
    // name when none does. An empty name gives this folder; a name holding "/" or naming "."
    // or ".." gives none.
    FolderItem ChildIgnoringCase(const std::string& name) const;
    FolderItem Parent() const;

    bool Exists() const;
    // Whether something has the item's name that is not a link to nothing: a file, a folder, a
    // pipe, a device, or a loop of links (which Exists, following it, does not see).
    bool NameTaken() const;
    bool Directory() const;
    std::string Name() const { return path_.filename().string(); }
    const std::filesystem::path& Path() const { return path_; }

    // The folder's items, in name order; Item counts from 1 and gives none past the end.
    int Count() const;
    FolderItem Item(int index) const;

    // The file read as a picture (PNG, JPEG, GIF or BMP); nullptr when the item does not exist
    // or is no readable picture. Its pixels are read when first needed.
    std::shared_ptr<Picture> OpenAsPicture() const;

    bool operator==(const FolderItem& other) const {
        return valid_ == other.valid_ && path_ == other.path_;
    }

  private:
    std::filesystem::path path_;
    bool followLinks_ = true;
    bool valid_ = false;
};

// Opens the file at path for reading, without waiting; -1 unless it is a regular file. A pipe,
// a socket or a device is never read: a pipe without a writer would keep its reader, and a
// start-up, waiting for good. status, when given, gets the open file's.
int OpenRegularFile(const std::filesystem::path& path, struct stat* status = nullptr);

// The user's and the program's well-known folders.
namespace SpecialFolder {
// The XDG documents folder (~/Documents unless the user's directories say otherwise).
FolderItem Documents();
// The XDG configuration folder (~/.config by default). The home folder is HOME, or the
// password database's when HOME is unset or empty; with neither there is no folder.
FolderItem Preferences();
// The temporary folder whose files outlive a restart and a logout (/var/tmp); tests can point it
// elsewhere.
FolderItem LastingTemporary();
void SetLastingTemporary(std::optional<std::filesystem::path> folder);
// The temporary folder: TMPDIR when set, else /tmp.
FolderItem Temporary();
// The folder the executable lives in; tests can point it elsewhere.
FolderItem ApplicationFolder();
void SetApplicationFolder(std::optional<std::filesystem::path> folder);
} // namespace SpecialFolder
