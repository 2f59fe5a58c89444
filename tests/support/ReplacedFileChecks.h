#pragma once
// What every save must respect of the file it replaces, checked the same way for each writer of
// the user's files: the file's permissions, a symbolic link in its place, and a file the user
// made read-only.
#include "support/TestEnvironment.h"

#include <filesystem>
#include <functional>
#include <sys/stat.h>

// save writes file with new contents and says whether it succeeded (no failure told).
inline void ExpectSavesRespectTheFile(const std::filesystem::path& file,
                                      const std::function<bool()>& save) {
    namespace fs = std::filesystem;
    const auto mode = [&](const fs::path& path) { return fs::status(path).permissions(); };
    const auto leftovers = [](const fs::path& folder) {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder))
            count += entry.path().filename().string().starts_with(".");
        return count;
    };
    {
        SCOPED_TRACE("a private file stays private");
        TestEnvironment::WriteFile(file, "old");
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_TRUE(save());
        EXPECT_NE(TestEnvironment::ReadFile(file), "old");
        EXPECT_EQ(mode(file), fs::perms::owner_read | fs::perms::owner_write);
    }
    {
        SCOPED_TRACE("a new file gets what the umask allows, a replacement keeps its mode");
        fs::remove(file);
        const mode_t umaskBefore = ::umask(027);
        EXPECT_TRUE(save());
        EXPECT_EQ(mode(file),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        fs::permissions(file, fs::perms::others_read, fs::perm_options::add);
        EXPECT_TRUE(save());
        ::umask(umaskBefore);
        EXPECT_TRUE(fs::perms::others_read == (mode(file) & fs::perms::others_read));
    }
    {
        SCOPED_TRACE("a link stays, and the file it names gets the text");
        const fs::path target = file.parent_path().parent_path() / "elsewhere" / "kept";
        TestEnvironment::WriteFile(target, "old");
        fs::remove(file);
        fs::create_symlink("../elsewhere/kept", file);
        EXPECT_TRUE(save());
        EXPECT_TRUE(fs::is_symlink(file));
        EXPECT_NE(TestEnvironment::ReadFile(target), "old");
        EXPECT_EQ(leftovers(target.parent_path()), 0) << "the temporary file was renamed";
        fs::remove(file);
    }
    {
        SCOPED_TRACE("a read-only file is not replaced");
        TestEnvironment::WriteFile(file, "old");
        fs::permissions(file,
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        EXPECT_FALSE(save());
        EXPECT_EQ(TestEnvironment::ReadFile(file), "old");
        EXPECT_EQ(leftovers(file.parent_path()), 0);
        fs::remove(file);
    }
}
