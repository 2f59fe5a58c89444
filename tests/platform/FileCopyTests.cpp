// Files written whole: a replacement, a new file under a free name and a copy of another file
// take their names only once the disk has them, and a copy is whole or not made at all.
#include "platform/FileCopy.h"
#include "platform/FolderItem.h"
#include "platform/TestSeams.h"
#include "platform/TextStream.h"
#include "support/TestEnvironment.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;
using TestSeams::FileCall;

namespace {
class FileWritesTest : public IsolatedTest {
  protected:
    FileWritesTest() { fs::create_directories(Folder()); }
    fs::path Folder() const { return environment.Documents(); }
    fs::path File() const { return Folder() / "data.tpc"; }
    static std::string Name(int number) { return "kept " + std::to_string(number) + ".tpc"; }
    // The names in the folder, in name order, hidden ones too.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::ranges::sort(names);
        return names;
    }
};

// The three whole writes, each true when it says it took its name.
struct WholeWrite {
    const char* name;
    std::function<bool(const fs::path& file)> write;
};
const WholeWrite kWholeWrites[] = {
    {"a replacement",
     [](const fs::path& file) {
         auto out = TextOutputStream::Create(FolderItem(file));
         out->Write("new text");
         return out->Close();
     }},
    {"a new file under a free name",
     [](const fs::path& file) {
         return WriteNewFileUnderFreeName(
                    file.parent_path(), [](int) { return "new.tpc"; }, "new text", 1)
             .has_value();
     }},
    {"a copy",
     [](const fs::path& file) {
         return CopyWholeUnderFreeName(
                    file, *FileIdentity::At(file), [](int) { return "new.tpc"; }, 1)
             .path.has_value();
     }},
};
} // namespace

// A disk that cannot flush the file, or reports an error as it is closed, may not have it: no
// name changes. Once a write has taken its name the folder is flushed, so that a power cut does
// not bring the old name back.
TEST_F(FileWritesTest, ANameIsTakenOnlyOnceTheDiskHasTheWholeFile) {
    for (const WholeWrite& write : kWholeWrites)
        for (const FileCall refused : {FileCall::SyncFile, FileCall::CloseFile}) {
            SCOPED_TRACE(std::string(write.name) +
                         (refused == FileCall::SyncFile ? ", flush" : ", close"));
            fs::remove_all(Folder());
            TestEnvironment::WriteFile(File(), "old text");
            TestSeams::FailFileCalls(refused);
            EXPECT_FALSE(write.write(File()));
            EXPECT_EQ(Names(), std::vector<std::string>{"data.tpc"}) << "nothing half made is left";
            EXPECT_EQ(TestEnvironment::ReadFile(File()), "old text");
            const int flushes = TestSeams::FileCallsMade(FileCall::SyncFile);
            const int folderFlushes = TestSeams::FileCallsMade(FileCall::SyncFolder);
            EXPECT_TRUE(write.write(File()));
            EXPECT_EQ(TestSeams::FileCallsMade(FileCall::SyncFile), flushes + 1);
            EXPECT_EQ(TestSeams::FileCallsMade(FileCall::SyncFolder), folderFlushes + 1);
        }
}

// A copy is read and written a piece at a time, and is a copy of one version only: a file that
// changes while it is copied leaves no copy, and one larger than the room on the disk is refused
// before a byte is written.
TEST_F(FileWritesTest, ACopyIsOfOneWholeVersionOrNone) {
    std::string text;
    for (int line = 0; text.size() < (3u << 20) + 5; ++line)
        text += "2026-03-05 09:00:00|Event " + std::to_string(line) + "\n";
    TestEnvironment::WriteFile(File(), text);
    TestEnvironment::WriteFile(Folder() / Name(1), "an earlier copy");
    const auto copy = [&] {
        return CopyWholeUnderFreeName(File(), *FileIdentity::At(File()), Name, 5);
    };
    const FileCopy whole = copy();
    ASSERT_TRUE(whole.path);
    EXPECT_EQ(*whole.path, Folder() / Name(2)) << "no earlier copy is replaced";
    EXPECT_EQ(TestEnvironment::ReadFile(*whole.path), text);
    EXPECT_EQ(whole.version, ReadFileVersion(File()));
    EXPECT_EQ(whole.version.contentHash, ContentHash::Of(text));

    TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::DuringACopy,
                                 [&] { std::ofstream(File(), std::ios::app) << "more\n"; });
    const FileCopy changed = copy();
    EXPECT_FALSE(changed.path);
    EXPECT_EQ(changed.error, 0) << "worth taking again";
    EXPECT_EQ(Names(), (std::vector<std::string>{"data.tpc", Name(1), Name(2)}));

    struct statvfs room {};
    ASSERT_EQ(::statvfs(Folder().c_str(), &room), 0);
    const int fd = ::open(File().c_str(), O_WRONLY | O_TRUNC);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(room.f_bavail * room.f_frsize + (1ull << 30))), 0);
    ::close(fd);
    bool started = false;
    TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::DuringACopy, [&] { started = true; });
    const FileCopy tooLarge = copy();
    EXPECT_FALSE(started) << "refused before a byte is written";
    EXPECT_FALSE(tooLarge.path);
    EXPECT_EQ(tooLarge.error, ENOSPC);
    EXPECT_EQ(Names(), (std::vector<std::string>{"data.tpc", Name(1), Name(2)}));
}
