// Another program's version of the event file is kept by keeping its very file, so that a writer
// that pauses finishes into it; one change tells all its copies in one message.
#include "mainwindow/WeekFaceFixture.h"

#include "mainwindow/eventfile/RescueNote.h"
#include "platform/Application.h"
#include "platform/TestSeams.h"
#include "platform/Text.h"
#include "support/Mounts.h"
#include "support/Waiting.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;
using TestSeams::FileCall;
using TestSeams::WriteMoment;

namespace {
// Every file of the folder that holds a calendar's text: the event file and the copies beside it.
std::vector<std::string> Texts(const fs::path& folder) {
    std::vector<std::string> texts;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".tpc")
            texts.push_back(TestEnvironment::ReadFile(entry.path()));
    return texts;
}

std::string Theirs(int number) {
    return "0\tTheirs " + std::to_string(number) + "\n" + std::string(2000, 'x') +
           "\nEvents Data:\n";
}

void AddRow(CalendarWindow& window, const std::string& text) {
    window.TodoList->AddRow();
    window.TodoList->SetCell(window.TodoList->LastIndex(), 1, text);
    window.TodoList_Change();
}
} // namespace

// A script writing line by line, a slow download, a shell's redirect (emptied first, written once
// its program has something to write): the file written in place with pauses longer than a save
// waits for it to settle, while a change is confirmed. Its finished text is in a file afterwards,
// byte for byte, told, and the calendar's own is the event file.
TEST_F(WeekFaceTest, AWriterThatPausesFinishesIntoTheKeptFile) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    const std::string mine = "0\tMine\nEvents Data:\n";
    enum class Writer {
        InPieces,     // the first piece at once, the rest a pause apart
        EmptiedFirst, // all of it once the save has replaced the file
        KnownFirst,   // the calendar's text at once, a line more once the save has replaced it
        EmptiedUntilClosed, // all of it once the calendar's window has closed: the next start tells
        Appending,          // opened to append before the save, a line added once it has ended
        EmptiedThenInPieces, // emptied first, written a piece at a time once the save has ended
    };
    std::thread writer;
    std::atomic<int> stage = 0; // 1: the save has ended; 2: the window has closed
    std::atomic<bool> finished = false;
    const auto write = [&](Writer kind, const std::string& text) {
        auto out = std::make_shared<std::ofstream>(
            file, (kind == Writer::Appending ? std::ios::app : std::ios::trunc) | std::ios::binary);
        const size_t piece = kind == Writer::InPieces ? text.size() / 4 + 1
                             : kind == Writer::KnownFirst || kind == Writer::Appending ? mine.size()
                                                                                       : 0;
        if (kind != Writer::Appending) *out << text.substr(0, piece) << std::flush;
        finished = false;
        writer = std::thread([out, piece, &text, kind, &stage, &finished] {
            // Until the save has ended, for a while at most (a fault fails below).
            const auto end = std::chrono::steady_clock::now() + kWaitDeadline;
            const int until = kind == Writer::EmptiedUntilClosed ? 2 : 1;
            while (kind != Writer::InPieces && stage < until &&
                   std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            for (size_t at = piece; at < text.size(); at += text.size() / 4 + 1) {
                if (kind == Writer::InPieces || (kind == Writer::EmptiedThenInPieces && at > 0))
                    std::this_thread::sleep_for(std::chrono::milliseconds(300));
                *out << text.substr(at, text.size() / 4 + 1) << std::flush;
            }
            finished = true;
        });
    };
    const struct {
        const char* name;
        std::optional<WriteMoment> moment; // none: before the save
        std::vector<FileCall> lacking;     // what the file system has not
        Writer kind = Writer::InPieces;
        bool pastTheMinute = false;          // the watch looks a while after the save first
        std::optional<FileCall> failsOnce{}; // when the watch names the file
    } cases[] = {
        {"from before the save", {}, {}},
        {"from before the late look", WriteMoment::BeforeTheLateLook, {}},
        {"from the rename on", WriteMoment::AfterTheLastLook, {}},
        {"from the rename on, without renames that never replace",
         WriteMoment::AfterTheLastLook,
         {FileCall::RenameWithoutReplacing}},
        {"from before the save, without renames that never replace nor links",
         {},
         {FileCall::RenameWithoutReplacing, FileCall::LinkFile}},
        {"emptied before the save, written after it", {}, {}, Writer::EmptiedFirst},
        {"emptied before the late look, written after the save",
         WriteMoment::BeforeTheLateLook,
         {},
         Writer::EmptiedFirst},
        {"emptied at the rename, written after the save",
         WriteMoment::AfterTheLastLook,
         {},
         Writer::EmptiedFirst},
        {"the calendar's text written back before the save, a line added after it",
         {},
         {},
         Writer::KnownFirst},
        {"emptied before the save, written after the window closed",
         {},
         {},
         Writer::EmptiedUntilClosed},
        {"emptied before the save, written after it, without exchanges",
         {},
         {FileCall::ExchangeFiles},
         Writer::EmptiedFirst},
        {"emptied once parked, written after the save, without exchanges",
         WriteMoment::AfterTheParkedName,
         {FileCall::ExchangeFiles},
         Writer::EmptiedFirst},
        {"emptied once moved aside, written after the save, without exchanges, renames that "
         "never replace nor links",
         WriteMoment::AfterTheParkedName,
         {FileCall::ExchangeFiles, FileCall::RenameWithoutReplacing, FileCall::LinkFile},
         Writer::EmptiedFirst},
        {"opened to append before the save, written after it", {}, {}, Writer::Appending},
        {"opened to append before the late look, written after the save",
         WriteMoment::BeforeTheLateLook,
         {},
         Writer::Appending},
        {"emptied before the save, held past the minute where leases are refused",
         {},
         {FileCall::TakeLease},
         Writer::EmptiedFirst,
         true},
        {"emptied before the save, named after its first piece, without renames that never "
         "replace nor links",
         {},
         {FileCall::RenameWithoutReplacing, FileCall::LinkFile},
         Writer::EmptiedThenInPieces},
        {"emptied before the save, written after it, its naming failing once",
         {},
         {},
         Writer::EmptiedFirst,
         false,
         FileCall::RenameWithoutReplacing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromEventFile(mine);
        CalendarWindow& window = Window();
        const std::string text = c.kind == Writer::KnownFirst || c.kind == Writer::Appending
                                     ? mine + "2030-01-01 09:00:00|2030-01-01 10:00:00//Theirs\n"
                                     : Theirs(1);
        for (const FileCall call : c.lacking)
            TestSeams::FailFileCalls(call, 1000, call == FileCall::LinkFile ? EPERM : EINVAL);
        c.moment ? TestSeams::AtNextWriteMoment(*c.moment, [&] { write(c.kind, text); })
                 : write(c.kind, text);
        // Kept by a second name of the very file, which its writer goes on writing.
        std::optional<nlink_t> links;
        if (!c.moment && c.lacking.empty() && c.kind == Writer::InPieces)
            TestSeams::AtNextWriteMoment(WriteMoment::BeforeTheLateLook, [&] {
                struct stat status {};
                ::stat(file.c_str(), &status);
                links = status.st_nlink;
            });
        const size_t told = Messages().size();
        AddRow(window, "Added");
        FinishSaving(window);
        if (c.pastTheMinute) {
            // Held open still: a minute without change settles nothing its writer may still write.
            TestSeams::MoveClockOn(std::chrono::minutes(2));
            window.ParkedWatchTimer_Action();
        }
        if (c.failsOnce) TestSeams::FailFileCalls(*c.failsOnce, 1, EIO);
        stage = 1;
        if (c.kind == Writer::EmptiedUntilClosed) {
            // The watch looks before the window closes, the file as it was seen.
            window.ParkedWatchTimer_Action();
        } else {
            // The watch names the file between the pieces.
            if (c.kind == Writer::EmptiedThenInPieces) {
                EXPECT_TRUE(EventsUntil([&] { return finished.load(); }));
            }
            writer.join();
            // The watch looks every half second: told within about one.
            const auto written = std::chrono::steady_clock::now();
            EXPECT_TRUE(WaitUntil([&] { return Messages().size() > told; }));
            if (c.kind != Writer::InPieces) {
                EXPECT_LT(std::chrono::steady_clock::now() - written,
                          std::chrono::milliseconds(2500));
            }
            EXPECT_NE(Messages().back().find("The calendar saved its events"), std::string::npos);
        }
        window.Close();
        stage = 2;
        if (writer.joinable()) {
            writer.join();
            RescueNote::TellOnce();
        }
        stage = 0;
        if (links) {
            EXPECT_EQ(*links, 2u);
        }
        EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
        EXPECT_EQ(std::ranges::count(Texts(documents), text), 1);
        EXPECT_EQ(Messages().size(), told + 1);
        for (const FileCall call : c.lacking)
            TestSeams::FailFileCalls(call, 0);
        if (c.pastTheMinute) TestSeams::MoveClockOn(-std::chrono::minutes(2));
    }
}

// The mounts a home sits on (bindfs, a cloud drive's rclone, sshfs), and a local disk: what the
// user sees after confirmed changes with no other program, and with another program's replace,
// append, writer held open past the minute, and a kill while a writer holds the file.
TEST_F(WeekFaceTest, OnEveryMountEachChangeIsSavedAndOnlyAnotherProgramsTextIsKeptAndTold) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    const std::string mine = "0\tMine\nEvents Data:\n";
    enum class Other { None, Replace, Append, HeldPastTheMinute, KillWhileHeld };
    const struct {
        const char* name;
        Other other;
        int copies; // of another program's text, each told in one message
    } cases[] = {
        {"no other program", Other::None, 0},
        {"another program's replace", Other::Replace, 1},
        {"an append opened before the save", Other::Append, 1},
        {"a writer that writes after the minute", Other::HeldPastTheMinute, 1},
        {"a kill while a writer holds the file and writes nothing", Other::KillWhileHeld, 0},
    };
    const std::optional<Mount::Kind> kinds[] = {std::nullopt, Mount::Kind::Bindfs,
                                                Mount::Kind::Rclone, Mount::Kind::Sshfs};
    std::vector<std::string> skipped;
    for (const std::optional<Mount::Kind> kind : kinds) {
        SCOPED_TRACE(kind ? Mount::Name(*kind) : "local disk");
        std::optional<Mount> mount;
        fs::remove_all(documents);
        if (kind) {
            mount.emplace(*kind,
                          environment.Home() / (std::string(Mount::Name(*kind)) + "-backing"),
                          documents);
            if (!mount->Mounted()) {
                skipped.push_back(mount->Reason());
                continue;
            }
        }
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            fs::create_directories(documents);
            for (const auto& entry : fs::directory_iterator(documents))
                fs::remove(entry.path());
            fs::remove(environment.Config() / "QVCalendar.rescued");
            TestEnvironment::WriteFile(file, mine);
            application.eventDict = Dictionary();
            application.LoadUserEvents();
            CalendarWindow& window = Window();
            const size_t told = Messages().size();
            std::chrono::minutes moved{0};
            const auto moveClockOn = [&](std::chrono::minutes by) {
                TestSeams::MoveClockOn(by);
                moved += by;
            };
            std::ofstream writer;
            if (c.other == Other::Append || c.other == Other::HeldPastTheMinute ||
                c.other == Other::KillWhileHeld)
                writer.open(file, std::ios::app | std::ios::binary);
            const std::string theirs = mine + "2030-01-01 09:00:00|2030-01-01 10:00:00//Theirs\n";
            if (c.other == Other::Replace) {
                TestEnvironment::WriteFile(documents / "theirs.tmp", Theirs(1));
                fs::rename(documents / "theirs.tmp", file);
            }
            for (const char* item : {"First", "Second", "Third"}) {
                AddRow(window, item);
                FinishSaving(window);
                // Every change is in the file read through the mount once its save has ended.
                EXPECT_NE(EventFile().find(item), std::string::npos) << item;
            }
            if (c.other == Other::HeldPastTheMinute) {
                moveClockOn(std::chrono::minutes(2));
                window.ParkedWatchTimer_Action();
            }
            if (c.other == Other::Append || c.other == Other::HeldPastTheMinute) {
                writer << "2030-01-01 09:00:00|2030-01-01 10:00:00//Theirs\n" << std::flush;
                writer.close();
                EXPECT_TRUE(EventsUntil([&] { return Messages().size() > told; }));
            }
            if (c.other == Other::KillWhileHeld) {
                // The next start of a run killed here, with the note as the run left it: the file
                // still held is watched on, and goes without a word once let go of.
                RescueNote::TellOnce([&](const auto& parked) { window.WatchParked(parked); });
                writer.close();
            }
            {
                // Whatever nobody writes goes once it has stayed as it was for the minute.
                moveClockOn(std::chrono::minutes(2));
                window.ParkedWatchTimer_Action();
                window.ParkedWatchTimer_Action();
                window.Close();
            }
            TestSeams::MoveClockOn(-moved);
            EXPECT_EQ(EventFile(), "0\tMine\n0\tFirst\n0\tSecond\n0\tThird\nEvents Data:\n");
            const std::string copy = c.other == Other::Replace ? Theirs(1) : theirs;
            const std::vector<std::string> texts = Texts(documents);
            EXPECT_EQ(texts.size(), 1u + c.copies);
            EXPECT_EQ(std::ranges::count(texts, copy), c.copies);
            EXPECT_EQ(Messages().size(), told + (c.copies ? 1 : 0));
            // Nothing under a parking name is left behind.
            EXPECT_EQ(std::distance(fs::directory_iterator(documents), fs::directory_iterator()),
                      static_cast<std::ptrdiff_t>(texts.size()));
        }
    }
    if (!skipped.empty()) GTEST_SKIP() << skipped.front();
}

// The same on a real FUSE mount of the test's own, which can exchange no files: the other
// program's redirect, emptied before the save and written after it, keeps its text.
TEST_F(WeekFaceTest, OnAFuseMountAnEmptiedFileWrittenAfterTheSaveKeepsItsText) {
    const fs::path documents = environment.Documents();
    const Mount mount(Mount::Kind::Bindfs, environment.Home() / "backing", documents);
    if (!mount.Mounted()) GTEST_SKIP() << mount.Reason();
    TestEnvironment::WriteFile(documents / "Calendar.tpc", "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    std::ofstream theirs(documents / "Calendar.tpc", std::ios::trunc | std::ios::binary);
    const size_t told = Messages().size();
    AddRow(window, "Added");
    FinishSaving(window);
    theirs << Theirs(1) << std::flush;
    EXPECT_TRUE(WaitUntil([&] { return Messages().size() > told; }));
    window.Close();
    EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
    EXPECT_EQ(std::ranges::count(Texts(documents), Theirs(1)), 1);
}

// One change written twice (the to-do item changed again while its first write ran), each write
// meeting a version of another program: one message names both copies.
TEST_F(WeekFaceTest, OneMessageNamesEveryCopyOfOneChange) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    const auto replace = [&](int number) {
        TestEnvironment::WriteFile(documents / "theirs.tmp", Theirs(number));
        fs::rename(documents / "theirs.tmp", file);
    };
    replace(1);
    TestSeams::AtNextWriteMoment(WriteMoment::AfterTheRename, [&] { replace(2); });
    const size_t told = Messages().size();
    AddRow(window, "Added");
    window.TodoList->SetCell(window.TodoList->LastIndex(), 1, "Added again");
    window.TodoList_Change();
    FinishSaving(window);
    EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded again\nEvents Data:\n");
    ASSERT_EQ(Messages().size(), told + 1);
    int named = 0;
    for (const auto& entry : fs::directory_iterator(documents))
        if (entry.path().filename().string().find("changed outside") != std::string::npos) {
            ++named;
            EXPECT_NE(Messages().back().find(entry.path().string()), std::string::npos);
        }
    EXPECT_EQ(named, 2);
}

// A file another program emptied, parked by a save, and written only while the closing window's
// message of another copy is up: the watch names it then, and it is told after that message. The X
// server's end at that message cuts the close off there: the files the watch holds, and a copy it
// named while the message was up, are noted then and told at the next start.
TEST_F(WeekFaceTest, AFileWrittenWhileTheClosingWindowTellsIsToldToo) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    enum class AtTheMessage { Written, DisplayEndsBeforeTheWrite, DisplayEndsOnceNamed };
    for (const auto& [name, at] :
         {std::pair{"written at the message", AtTheMessage::Written},
          {"the X server's end at the message", AtTheMessage::DisplayEndsBeforeTheWrite},
          {"written and named, then the X server's end", AtTheMessage::DisplayEndsOnceNamed}}) {
        SCOPED_TRACE(name);
        const bool displayEnds = at != AtTheMessage::Written;
        TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
        application.LoadUserEvents();
        CalendarWindow& window = Window();
        std::ofstream redirect(file, std::ios::trunc | std::ios::binary);
        AddRow(window, "Added");
        FinishSaving(window);
        TestEnvironment::WriteFile(documents / "theirs.tmp", Theirs(1));
        fs::rename(documents / "theirs.tmp", file);
        // Read as a message after the display's end shows (none answers it), else once the
        // display's end is done.
        std::string noted;
        bool ended = false;
        const auto readNote = [&] {
            noted = TestEnvironment::ReadFile(environment.Config() / "QVCalendar.rescued");
        };
        TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
            if (ended) return readNote(), 0;
            if (redirect.is_open() && at != AtTheMessage::DisplayEndsBeforeTheWrite) {
                redirect << Theirs(2), redirect.close();
                window.ParkedWatchTimer_Action();
            }
            if (displayEnds) {
                ended = true;
                IfTheDisplayGoes::RunAll();
                if (noted.empty()) readNote();
            }
            return 0;
        });
        const size_t told = Messages().size();
        window.Close();
        if (displayEnds) {
            // The message's own copy, the parked file or the copy named from it.
            const bool named = at == AtTheMessage::DisplayEndsOnceNamed;
            const auto lines = [&](std::string_view text) { return CountFields(noted, text) - 1; };
            EXPECT_EQ(lines("changed outside"), named ? 2 : 1) << noted;
            EXPECT_EQ(lines("parked\t"), named ? 0 : 1) << noted;
            if (redirect.is_open()) redirect << Theirs(2), redirect.close();
            RescueNote::TellOnce();
        }
        ASSERT_EQ(Messages().size(), told + 2);
        std::string named;
        for (const auto& entry : fs::directory_iterator(documents))
            if (TestEnvironment::ReadFile(entry.path()) == Theirs(2)) named = entry.path().string();
        ASSERT_FALSE(named.empty());
        EXPECT_NE(Messages().back().find(named), std::string::npos);
        for (const auto& entry : fs::directory_iterator(documents))
            if (entry.path().filename().string().find("changed outside") != std::string::npos)
                fs::remove(entry.path());
    }
}
