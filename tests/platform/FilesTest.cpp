#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Mutex.h"
#include "platform/TextStream.h"
#include "support/TestEnvironment.h"

#include <filesystem>
#include <string>
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

    auto out = TextOutputStream::Create(item);
    ASSERT_TRUE(out);
    out->WriteLine("one");
    out->Write("two");
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(TestEnvironment::ReadFile(item.Path()), "one\ntwo");
    EXPECT_EQ(SpecialFolder::Documents().Count(), 1);

    EXPECT_FALSE(TextOutputStream::Create(SpecialFolder::Documents().Child("no").Child("x")));
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
    setenv("XDG_RUNTIME_DIR", (environment.Home() / "no such folder").c_str(), 1);
    EXPECT_THROW(Mutex("Other Lock").TryEnter(), IOException);
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
