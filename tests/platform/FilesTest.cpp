#include "platform/Exceptions.h"
#include "platform/FileProblem.h"
#include "platform/FileWriters.h"
#include "platform/FolderItem.h"
#include "platform/Mutex.h"
#include "platform/TestSeams.h"
#include "platform/TextStream.h"
#include "support/TestEnvironment.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

using FolderItemTest = IsolatedTest;

TEST_F(FolderItemTest, TheUsersDirectoriesFileMovesDocuments) {
    EXPECT_EQ(SpecialFolder::Documents().Path(), environment.Documents());
    TestEnvironment::WriteFile(environment.Config() / "user-dirs.dirs",
                               "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
    EXPECT_EQ(SpecialFolder::Documents().Path(), environment.Home() / "Papers");
}

TEST_F(FolderItemTest, ItemsListInNameOrderCountingFromOne) {
    const FolderItem app = SpecialFolder::ApplicationFolder();
    for (const char* name : {"winter", "Autumn", "spring", "calspc.dat"})
        TestEnvironment::WriteFile(app.Path() / name, "x");
    std::vector<std::string> names;
    for (int i = 0; i <= app.Count() + 1; ++i)
        names.push_back(app.Item(i).IsNone() ? "none" : app.Item(i).Name());
    EXPECT_EQ(names, (std::vector<std::string>{"none", "Autumn", "calspc.dat", "spring", "winter",
                                               "none"}));
    EXPECT_EQ(app.Item(1).Parent(), app);
    // A link to nothing: only TrueChild sees the link itself.
    fs::create_symlink(app.Path() / "nowhere", app.Path() / "link");
    EXPECT_FALSE(app.Child("link").Exists());
    EXPECT_TRUE(app.TrueChild("link").Exists());
}

TEST_F(FolderItemTest, ReadLineAcceptsEveryLineEnding) {
    const FolderItem item = SpecialFolder::Documents().Child("lines.txt");
    TestEnvironment::WriteFile(item.Path(), "lf\ncrlf\r\ncr\rlast");
    auto in = TextInputStream::Open(item);
    ASSERT_TRUE(in);
    std::vector<std::string> lines;
    while (!in->EndOfFile())
        lines.push_back(in->ReadLine());
    EXPECT_EQ(lines, (std::vector<std::string>{"lf", "crlf", "cr", "last"}));
    EXPECT_FALSE(TextInputStream::Open(SpecialFolder::Documents()));
    // A pipe without a writer would keep an opening reader waiting for good.
    const FolderItem pipe = SpecialFolder::Documents().Child("pipe");
    ASSERT_EQ(mkfifo(pipe.Path().c_str(), 0600), 0);
    EXPECT_FALSE(TextInputStream::Open(pipe));
    EXPECT_FALSE(ReadWholeFile(pipe));
}

// Files are read a piece at a time: lines, breaks and CRLF pairs that straddle the pieces, and
// a line longer than a piece, read as they would from the whole text.
TEST_F(FolderItemTest, LinesAcrossThePiecesOfALargeFileReadWhole) {
    std::string text;
    std::vector<std::string> lines;
    for (int i = 0; text.size() < 3 * 256 * 1024; ++i) {
        lines.push_back(std::string(static_cast<size_t>(i % 97), 'a' + i % 26) + std::to_string(i));
        text += lines.back() + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    }
    lines.push_back(std::string(600 * 1024, 'x')); // longer than a piece
    text += lines.back() + "\r\n";
    const std::string before = "first\r";
    std::string split(256 * 1024 - before.size(), 'b'); // a CRLF astride the first piece's end
    lines.insert(lines.begin(), {split + "first", "second"});
    text = split + before + "\nsecond\n" + text;
    const FolderItem item = SpecialFolder::Documents().Child("large.txt");
    TestEnvironment::WriteFile(item.Path(), text);

    auto in = TextInputStream::Open(item);
    ASSERT_TRUE(in);
    std::vector<std::string> read;
    while (!in->EndOfFile())
        read.push_back(std::string(in->ReadLineView()));
    EXPECT_EQ(read, lines);
    auto again = TextInputStream::Open(item);
    EXPECT_EQ(again->ReadLine(), split + "first");
    EXPECT_EQ(again->ReadAll(), text.substr(split.size() + before.size() + 1));
}

// A small file is read in a piece of its own size; what it gains after it was opened, past that
// piece and across several, is read on as it comes.
TEST_F(FolderItemTest, ASmallFileThatGrowsAfterItIsOpenedIsReadToItsNewEnd) {
    const FolderItem item = SpecialFolder::Documents().Child("growing.txt");
    TestEnvironment::WriteFile(item.Path(), "first\r");
    auto in = TextInputStream::Open(item);
    ASSERT_TRUE(in);
    std::string added = "\n";
    std::vector<std::string> lines{"first"};
    for (int i = 0; added.size() < 20000; ++i) {
        lines.push_back(std::string(static_cast<size_t>(i % 300), 'g') + std::to_string(i));
        added += lines.back() + "\r\n";
    }
    std::ofstream(item.Path(), std::ios::app) << added;
    std::vector<std::string> read;
    while (!in->EndOfFile())
        read.push_back(in->ReadLine());
    EXPECT_EQ(read, lines);
}

// A file read whole, also one large enough to be read in parts at once, is its text, and its
// lines taken off the front are the lines the stream reads.
TEST_F(FolderItemTest, AWholeFileIsItsTextAndItsLinesAreTheStreamsLines) {
    std::string large;
    for (int i = 0; large.size() < (40 << 20); ++i) // each line names its place
        large += "line " + std::to_string(i) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    for (const std::string& text : {std::string(), std::string("a\r\n\rb\n\nc\rd"), large}) {
        const FolderItem item = SpecialFolder::Documents().Child("whole.txt");
        TestEnvironment::WriteFile(item.Path(), text);
        const std::optional<WholeFile> file = ReadWholeFile(item);
        ASSERT_TRUE(file);
        ASSERT_EQ(file->size, text.size());
        EXPECT_TRUE(file->View() == text) << "a file of " << text.size() << " bytes";
        auto stream = TextInputStream::Open(item);
        std::string_view rest = file->View();
        int lines = 0;
        bool same = true;
        for (; same && !stream->EndOfFile(); ++lines)
            same = stream->ReadLine() == TakeLine(rest);
        EXPECT_TRUE(same && rest.empty()) << "after " << lines << " lines";
    }
    EXPECT_FALSE(ReadWholeFile(SpecialFolder::Documents()));
    EXPECT_FALSE(ReadWholeFile(SpecialFolder::Documents().Child("missing.txt")));
}

TEST_F(FolderItemTest, WritingReplacesAFileWholeOrNotAtAll) {
    const FolderItem item = SpecialFolder::Documents().Child("data.txt");
    TestEnvironment::WriteFile(item.Path(), "old contents");
    {
        auto out = TextOutputStream::Create(item);
        ASSERT_TRUE(out);
        out->WriteLine("half written");
        // Abandoned without Close, as when an error stops the writer.
    }
    EXPECT_EQ(TestEnvironment::ReadFile(item.Path()), "old contents");
    EXPECT_EQ(SpecialFolder::Documents().Count(), 1) << "no temporary file is left behind";
    {
        // What a write killed midway leaves is the start-up cleanup's to remove.
        auto killed = TextOutputStream::Create(item);
        ASSERT_TRUE(killed);
        killed->WriteLine("half written");
        EXPECT_EQ(SpecialFolder::Documents().Count(), 2);
        RemoveUnfinishedWrites(item);
        EXPECT_EQ(SpecialFolder::Documents().Count(), 1);
        EXPECT_FALSE(killed->Close());
    }
    EXPECT_EQ(TestEnvironment::ReadFile(item.Path()), "old contents");

    auto out = TextOutputStream::Create(item);
    ASSERT_TRUE(out);
    out->WriteLine("one");
    out->Write("two");
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(TestEnvironment::ReadFile(item.Path()), "one\ntwo");
    EXPECT_EQ(SpecialFolder::Documents().Count(), 1);

    EXPECT_FALSE(TextOutputStream::Create(SpecialFolder::Documents().Child("no").Child("x")));
}

// A process that holds a file open for writing is told from one that only reads it, by a lease and,
// where leases are refused, by the processes' open files; nothing then rules out a writer
// elsewhere.
TEST_F(FolderItemTest, AFileHeldOpenForWritingIsToldFromOneOnlyRead) {
    const fs::path path = environment.Documents() / "held.txt";
    TestEnvironment::WriteFile(path, "text");
    for (const bool leases : {true, false}) {
        SCOPED_TRACE(leases ? "leases" : "no leases");
        if (!leases) TestSeams::FailFileCalls(TestSeams::FileCall::TakeLease, 1000, EINVAL);
        // The tests' homes are on a local file system.
        const Writers none = leases ? Writers::None : Writers::NoneHere;
        EXPECT_EQ(WritersOf(path), none);
        std::ifstream reader(path);
        EXPECT_EQ(WritersOf(path), none);
        for (const auto mode : {std::ios::app, std::ios::in | std::ios::out}) {
            std::fstream writer(path, mode);
            EXPECT_EQ(WritersOf(path), Writers::Some);
        }
    }
    // A program that opens the file to write while the look holds its lease breaks the lease,
    // which signals the look's program: that signal must not end it.
    TestSeams::FailFileCalls(TestSeams::FileCall::TakeLease, 0);
    TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::WhileLeased, [&] {
        EXPECT_EQ(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC), -1);
        EXPECT_EQ(errno, EWOULDBLOCK);
    });
    EXPECT_EQ(WritersOf(path), Writers::None);
}

// An edit within the same second is another version, and so is one that puts the modification
// time back (its change time moves); a text with two characters swapped, near its end too.
TEST_F(FolderItemTest, EveryEditMakesAnotherVersion) {
    for (timespec stat::*time : {&stat::st_mtim, &stat::st_ctim})
        for (int seconds : {0, 1}) {
            struct stat base {
            }, edited{};
            (edited.*time).tv_sec += seconds;
            (edited.*time).tv_nsec += 1 - seconds;
            EXPECT_NE(FileIdentity::Of(edited), FileIdentity::Of(base)) << seconds;
        }
    const std::string text(70, 'a');
    for (size_t at : {3, 40, 66, 68})
        EXPECT_NE(ContentHash::Of(std::string(text).replace(at, 1, "b")),
                  ContentHash::Of(std::string(text).replace(at + 1, 1, "b")))
            << at;
}

// What stands in the file's way is named before the write's own error, which may be stale, and
// as it is: a file in a folder's place, a disk mounted read-only, another user's file; a full disk
// is said plainly. The seam answers whether the file, then its folder, may be written.
TEST_F(FolderItemTest, AFileProblemIsNamedInOneSentence) {
    const fs::path file = environment.Home() / "file.tpc";
    TestEnvironment::WriteFile(file, "");
    const fs::path others = environment.Home() / "others.tpc";
    TestEnvironment::WriteFile(others, "");
    const bool chowned = ::chown(others.c_str(), 65534, 65534) == 0;
    const struct {
        fs::path path;
        int refused; // what the seam says of writing it
        const char* says;
    } rows[] = {
        {file, 0, "There is no room left on the disk."},
        {file / "inner.tpc", 0, "There is a file where its folder should be."},
        {file / "deeper" / "inner.tpc", 0, "There is a file where its folder should be."},
        {environment.Home() / "gone" / "deeper" / "x.tpc", 0, "Its folder is missing."},
        {file, EROFS, "The disk it is on is mounted read-only."},
        {environment.Home() / "new.tpc", EROFS, "The disk it is on is mounted read-only."},
        {environment.Home() / "new.tpc", EACCES, "You may not write in its folder."},
        {file, EACCES, "You may not change it."},
        {others, EACCES,
         chowned ? "It belongs to another user, who has not let you change it."
                 : "You may not change it."},
    };
    for (const auto& row : rows) {
        if (row.refused) TestSeams::FailFileCalls(TestSeams::FileCall::MayWrite, 1, row.refused);
        EXPECT_EQ(FileProblem(row.path, ENOSPC), row.says) << row.path << " " << row.refused;
        TestSeams::FailFileCalls(TestSeams::FileCall::MayWrite, 0);
    }
    fs::permissions(file, fs::perms::owner_read);
    EXPECT_EQ(FileProblem(file, ENOSPC), "The file is read-only.");
}

TEST_F(FolderItemTest, MutexIsExclusiveUntilLeftAndALockThatCannotBeMadeThrows) {
    Mutex first("Test Lock");
    Mutex second("Test Lock");
    ASSERT_TRUE(first.TryEnter());
    EXPECT_FALSE(second.TryEnter());
    second.Leave(); // leaving a lock one does not hold changes nothing
    EXPECT_FALSE(second.TryEnter());
    first.Leave();
    EXPECT_TRUE(second.TryEnter());
    // The lock lives beside the user's data: another run-time folder meets the same lock.
    setenv("XDG_RUNTIME_DIR", (environment.Home() / "elsewhere").c_str(), 1);
    EXPECT_FALSE(Mutex("Test Lock").TryEnter());
    TestEnvironment::WriteFile(environment.Home() / "a file", "");
    setenv("XDG_CONFIG_HOME", (environment.Home() / "a file" / "config").c_str(), 1);
    EXPECT_THROW(Mutex("Other Lock").TryEnter(), IOException);
}

// Without HOME the user's folders are still the user's, not a shared or the root folder's.
TEST_F(FolderItemTest, WithoutHomeTheFoldersAreInThePasswordDatabasesHome) {
    const fs::path home = getpwuid(getuid())->pw_dir;
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        SCOPED_TRACE(value ? "HOME empty" : "HOME unset");
        if (value)
            setenv("HOME", value, 1);
        else
            unsetenv("HOME");
        setenv("XDG_CONFIG_HOME", "relative/config", 1); // not absolute: ignored
        EXPECT_EQ(SpecialFolder::Preferences().Path(), home / ".config");
        unsetenv("XDG_CONFIG_HOME");
        EXPECT_EQ(SpecialFolder::Documents().Path(), home / "Documents");
    }
}

TEST_F(FolderItemTest, ChildIgnoringCaseFindsCalendarFiles) {
    const auto app = environment.AppFolder();
    TestEnvironment::WriteFile(app / "Edition" / "calspc.dat", "x");
    TestEnvironment::WriteFile(app / "Edition" / "Spring.JPG", "x");
    TestEnvironment::WriteFile(app / "Edition" / "spring.jpg", "y");
    const FolderItem folder(app);
    const FolderItem edition = folder.ChildIgnoringCase("EDITION");
    EXPECT_TRUE(edition.ChildIgnoringCase("calSpc.Dat").Exists());
    // The exact name wins; otherwise the first match in name order.
    EXPECT_EQ(edition.ChildIgnoringCase("spring.jpg").Name(), "spring.jpg");
    EXPECT_EQ(edition.ChildIgnoringCase("SPRING.jpg").Name(), "Spring.JPG");
    EXPECT_FALSE(edition.ChildIgnoringCase("Summer.jpg").IsNone());
    for (const char* name : {"..", "../x", "a/b", "/etc"})
        EXPECT_TRUE(folder.ChildIgnoringCase(name).IsNone()) << name;
}
