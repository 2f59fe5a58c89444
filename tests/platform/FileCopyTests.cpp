// Files written whole: a replacement, a new file under a free name and a copy of another file
// take their names only once the disk has them.
#include "platform/FileCopy.h"
#include "platform/FolderItem.h"
#include "platform/TestSeams.h"
#include "platform/TextStream.h"
#include "support/TestEnvironment.h"

#include "platform/FileWrites_p.h"

#include <cerrno>
#include <span>
#include <sys/statvfs.h>

namespace fs = std::filesystem;
using TestSeams::FileCall;

namespace {
std::string KeptName(int number) {
    return "kept " + std::to_string(number) + ".tpc";
}

class FileWritesTest : public IsolatedTest {
  protected:
    FileWritesTest() { fs::create_directories(Folder()); }
    fs::path Folder() const { return environment.Documents(); }
    fs::path File() const { return Folder() / "data.tpc"; }
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
         return WriteNewFileUnderFreeName(file.parent_path(), KeptName, "new text", 3).has_value();
     }},
    {"a copy",
     [](const fs::path& file) {
         return CopyWholeUnderFreeName(file, *FileIdentity::At(file), KeptName, 3).path.has_value();
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

// On every file system, the narrow ones too (no rename that never replaces: a second link; no links
// either: an exclusive create and a copy of the bytes), a name in use is passed over: neither the
// file there nor the one a symbolic link there leads to is written, and no temporary name is left.
TEST_F(FileWritesTest, ANameInUseIsPassedOverAndNothingIsLeftBehind) {
    const fs::path outside = environment.Home() / "outside.tpc";
    const std::vector<FileCall> lacking[] = {
        {},
        {FileCall::RenameWithoutReplacing},
        {FileCall::RenameWithoutReplacing, FileCall::LinkFile}};
    for (const WholeWrite& write : std::span(kWholeWrites).subspan(1)) // under a free name
        for (const auto& calls : lacking) {
            SCOPED_TRACE(std::string(write.name) + ", lacking " + std::to_string(calls.size()));
            fs::remove_all(Folder());
            TestEnvironment::WriteFile(File(), "old text");
            TestEnvironment::WriteFile(Folder() / KeptName(1), "their text");
            TestEnvironment::WriteFile(outside, "outside text");
            fs::create_symlink(outside, Folder() / KeptName(2));
            for (const FileCall call : calls)
                TestSeams::FailFileCalls(call, 1000, call == FileCall::LinkFile ? EPERM : EINVAL);
            EXPECT_TRUE(write.write(File()));
            EXPECT_EQ(Names(), (std::vector<std::string>{"data.tpc", KeptName(1), KeptName(2),
                                                         KeptName(3)}));
            EXPECT_EQ(TestEnvironment::ReadFile(Folder() / KeptName(1)), "their text");
            EXPECT_EQ(TestEnvironment::ReadFile(outside), "outside text");
            EXPECT_EQ(TestEnvironment::ReadFile(Folder() / KeptName(3)),
                      std::string_view(write.name) == "a copy" ? "old text" : "new text");
            TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 0);
            TestSeams::FailFileCalls(FileCall::LinkFile, 0);
        }
}

// A replacement that keeps the file it replaces, where the file system cannot exchange, passes
// over a temporary or parked name it draws that is in use: the file there is not written.
TEST_F(FileWritesTest, AReplacementPassesOverTheNamesItDrawsThatAreInUse) {
    const std::string written = file_writes::TemporaryPrefix(File());
    const fs::path taken[] = {Folder() / (written + "AAAAAA"),
                              Folder() /
                                  (written.substr(0, written.find("write-")) + "parked-CCCCCC")};
    TestEnvironment::WriteFile(File(), "old text");
    for (const fs::path& path : taken)
        TestEnvironment::WriteFile(path, "their longer text");
    TestSeams::DrawUnguessableLetters({"AAAAAA", "BBBBBB", "CCCCCC"});
    TestSeams::FailFileCalls(FileCall::ExchangeFiles, 1, EINVAL);
    std::vector<fs::path> replaced;
    auto out = TextOutputStream::Create(FolderItem(File()));
    out->Write("new text");
    EXPECT_TRUE(out->Close(
        {}, [&](const fs::path& path, TextOutputStream::Replaced) { replaced.push_back(path); }));
    EXPECT_EQ(TestEnvironment::ReadFile(File()), "new text");
    for (const fs::path& path : taken)
        EXPECT_EQ(TestEnvironment::ReadFile(path), "their longer text");
    ASSERT_EQ(replaced.size(), 1u);
    EXPECT_EQ(TestEnvironment::ReadFile(replaced[0]), "old text");
}

// Where the file system cannot exchange two files: a link refused with any error moves the file
// there aside instead; the file written is let go of before its rename (an SMB server refuses to
// rename an open file); a rename that fails puts the file there back, and one that cannot hands it
// on as stranded, never as parked.
TEST_F(FileWritesTest, AReplacementThatCannotExchangeSaysWhatBecameOfTheFileThere) {
    using Replaced = TextOutputStream::Replaced;
    const auto heldOpen = [&] {
        for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
            std::error_code error;
            const fs::path named = fs::read_symlink(entry.path(), error);
            if (named.parent_path() == Folder() && named.filename() != File().filename())
                return true;
        }
        return false;
    };
    const struct {
        const char* name;
        int linkError;
        std::function<void()> atTheParkedName;
        bool ok;
        std::optional<Replaced> how; // of the file there, holding the old text
    } cases[] = {
        {"links refused with an error of their own", EIO, {}, true, Replaced::Parked},
        {"links refused as a file system without them", EPERM, {}, true, Replaced::Parked},
        {"the written file cannot take the name: the file there goes back",
         EPERM,
         [] { TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 1, EIO); },
         false,
         {}},
        {"the file there cannot go back either", EPERM,
         [] { TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 2, EIO); }, false,
         Replaced::Stranded},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(Folder());
        TestEnvironment::WriteFile(File(), "old text");
        TestSeams::FailFileCalls(FileCall::ExchangeFiles, 1, EINVAL);
        TestSeams::FailFileCalls(FileCall::LinkFile, 1, c.linkError);
        if (c.atTheParkedName)
            TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::AfterTheParkedName,
                                         c.atTheParkedName);
        TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::AfterTheLastLook,
                                     [&] { EXPECT_FALSE(heldOpen()); });
        std::vector<std::pair<fs::path, Replaced>> replaced;
        auto out = TextOutputStream::Create(FolderItem(File()));
        out->Write("new text");
        EXPECT_EQ(out->Close({}, [&](const fs::path& path,
                                     Replaced how) { replaced.emplace_back(path, how); }),
                  c.ok);
        EXPECT_EQ(fs::exists(File()), c.how != Replaced::Stranded);
        if (fs::exists(File())) {
            EXPECT_EQ(TestEnvironment::ReadFile(File()), c.ok ? "new text" : "old text");
        }
        ASSERT_EQ(replaced.size(), c.how ? 1u : 0u);
        if (c.how) {
            EXPECT_EQ(replaced[0].second, *c.how);
            EXPECT_EQ(TestEnvironment::ReadFile(replaced[0].first), "old text");
        }
        TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 0);
    }
}

// A copy that cannot be flushed or closed fails at once with that reason, never as a file that
// changed while it was copied (which is copied again).
TEST_F(FileWritesTest, ACopyThatCannotBeFlushedFailsWithItsOwnReason) {
    TestEnvironment::WriteFile(File(), "their text");
    for (const FileCall refused : {FileCall::SyncFile, FileCall::CloseFile}) {
        TestSeams::FailFileCalls(refused, 1, EIO);
        const FileCopy copy =
            CopyWholeUnderFreeName(File(), *FileIdentity::At(File()), KeptName, 1);
        EXPECT_FALSE(copy.path);
        EXPECT_EQ(copy.error, EIO);
    }
}

// A file system that does not tell its size (no blocks at all) leaves the room unknown, not none.
TEST(FileRoom, AFileIsTooLargeOnlyForRoomThatIsKnown) {
    struct statvfs room {};
    room.f_frsize = 4096;
    EXPECT_FALSE(file_writes::TooLargeForTheRoom(1 << 20, room));
    room.f_blocks = 100;
    room.f_bavail = 10;
    EXPECT_FALSE(file_writes::TooLargeForTheRoom(10 * 4096, room));
    EXPECT_TRUE(file_writes::TooLargeForTheRoom(10 * 4096 + 1, room));
}
