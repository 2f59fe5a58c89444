// The event file: what the week face writes reads back the same, the file is replaced whole
// or not at all, and a failure is told.
#include "mainwindow/WeekFaceFixture.h"

#include "app/EventFile.h"
#include "editors/GlanceInputWindow.h"
#include "mainwindow/eventfile/RescueNote.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "platform/Mutex.h"
#include "platform/Simulate.h"
#include "platform/Text.h"
#include "platform/TextStream.h"
#include "support/FileSizeLimit.h"
#include "support/ReplacedFileChecks.h"
#include "support/Waiting.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <optional>
#include <ranges>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Makes files until one gets another change time than path's: the file system's clock moves in
// ticks, and an edit in the same tick as the calendar's write would keep its change time.
void WaitForTheChangeTimeToMove(const fs::path& path) {
    const auto changed = [](const fs::path& of) {
        struct stat status {};
        ::stat(of.c_str(), &status);
        return std::pair(status.st_ctim.tv_sec, status.st_ctim.tv_nsec);
    };
    const fs::path probe = path.parent_path() / "probe";
    for (int tries = 0; tries < 100000 && changed(probe) <= changed(path); ++tries) {
        fs::remove(probe);
        TestEnvironment::WriteFile(probe, "");
    }
    fs::remove(probe);
}

// The to-do rows as "tick text|" each.
std::string Rows(const ListBox& list) {
    std::string rows;
    for (int row = 0; row < list.ListCount(); ++row)
        rows += (list.CellCheck(row, 0) ? "1 " : "0 ") + list.Cell(row, 1) + "|";
    return rows;
}
} // namespace

TEST_F(WeekFaceTest, WhatTheWeekFaceWritesReadsBackTheSame) {
    const std::string todo = "1\tBuy milk\n0\tRead the events data: notes\n0\t\n";
    const std::string days = "2025-12-25 00:00:00|2025-12-25 00:00:00//Christmas\n"
                             "2026-03-05 00:00:01|2026-03-05 00:00:01//Note\n";
    // Its quarter hour drops in the grid, which it then fits: kept as it is.
    const std::string late = "2026-03-06 20:00:00|2026-03-06 22:15:00//Late show\n";
    const std::string countdown = "2026-04-01 00:00:00|2026-04-01 00:00:00//Trip//Countdown\n";
    // Lines the reader skips (with its message) go back after the events, in their order, while
    // they cannot be moved to a file of their own (a folder is in its place).
    const std::string skipped[] = {"garbage | x\n", "Events Data:\n", "3/5/2026|no date\n"};
    fs::create_directories(environment.Documents() / "Calendar.tpc.skipped");
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc",
                               todo + "Events Data:\n" + days + skipped[0] + late + skipped[1] +
                                   countdown + skipped[2]);
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    ASSERT_EQ(Rows(*window.TodoList), "1 Buy milk|0 Read the events data: notes|0 |");
    window.TodoList->AddRow();
    window.TodoList->SetCell(3, 1, "Tab\there, break\r\nthere");
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Pipe|and\nbreak");
    window.GlanceOff();
    FinishSaving(window);
    const std::string written = todo + "0\tTab here, break  there\nEvents Data:\n" + days +
                                "2026-03-05 09:00:00|2026-03-05 10:00:00//Pipe and break\n" + late +
                                countdown + skipped[0] + skipped[1] + skipped[2];
    EXPECT_EQ(EventFile(), written);
    window.Close();
    application.eventDict.Clear();
    application.LoadUserEvents();
    CalendarWindow& again = Window();
    EXPECT_EQ(Rows(*again.TodoList),
              "1 Buy milk|0 Read the events data: notes|0 |0 Tab here, break  there|");
    EXPECT_EQ(application.countdownDate.SQLDate(), "2026-04-01");
    again.SaveEvents();
    EXPECT_EQ(EventFile(), written) << "load, save, load again: nothing changes";
    EXPECT_EQ(Messages(), std::vector<std::string>(2, AppText::kEventDatabaseProblem));
}

TEST_F(WeekFaceTest, AMissingFolderIsMadeAndAFileThatCannotBeReplacedIsKeptAndTheUserTold) {
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc", "");
    EXPECT_EQ(Window().TodoList->ListCount(), 0);
    fs::remove_all(environment.Documents());
    Window().SaveEvents();
    EXPECT_EQ(EventFile(), "Events Data:\n");
    // A folder in the file's place cannot be replaced by a file. What the file written held
    // lives only in memory now: told although nothing changed since.
    fs::remove(environment.Documents() / "Calendar.tpc");
    const fs::path inside = environment.Documents() / "Calendar.tpc" / "inside";
    TestEnvironment::WriteFile(inside, "kept");
    Window().SaveEvents();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("could not be saved"), std::string::npos);
    EXPECT_NE(Messages()[0].find("There is a folder in its place."), std::string::npos);
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Dentist");
    Window().SaveEvents();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(TestEnvironment::ReadFile(inside), "kept");
    // A write beside the event loop, after a change, is told the same way, from the loop.
    testing::internal::CaptureStderr();
    Window().ToDoListHeader_MouseDown(5, 5);
    Window().TodoList->EndEditCell();
    WaitUntil([&] { return Messages().size() >= 3; });
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not write"), std::string::npos);
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[2], Messages()[0]);
}

TEST_F(WeekFaceTest, ASaveKeepsTheFilesPermissionsAndLinkAndLeavesAReadOnlyFile) {
    // The checks put "old" in the file as another program would: that is kept and told apart.
    const auto unsaved = [] {
        return std::ranges::count_if(Messages(), [](const std::string& message) {
            return message.find("could not be saved") != std::string::npos;
        });
    };
    int saves = 0;
    ExpectSavesRespectTheFile(environment.Documents() / "Calendar.tpc", [&] {
        const auto told = unsaved();
        AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Save " + std::to_string(++saves));
        Window().SaveEvents();
        return unsaved() == told;
    });
    EXPECT_EQ(unsaved(), 1);
}

// The main window closes while its file cannot be written (a change of calendar closes it and
// opens another in the same run): the new window shows the to-do list as it was, not the file's
// older one, and writes it once the file can be written.
TEST_F(WeekFaceTest, ToDoItemsThatCouldNotBeSavedOutliveTheWindow) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tOld\nEvents Data:\n");
    application.LoadUserEvents();
    Window().TodoList->SetCell(0, 1, "Edited");
    Window().TodoList->SetCellCheck(0, 0, true);
    fs::permissions(file, fs::perms::owner_read);
    Window().Close();
    ASSERT_EQ(Messages().size(), 1u);
    CalendarWindow& again = Window();
    EXPECT_EQ(Rows(*again.TodoList), "1 Edited|");
    ASSERT_TRUE(again.SaveRetryTimer && again.SaveRetryTimer->Mode() == Timer::ModeSingle)
        << "what is unsaved is tried again without waiting for a change";
    again.SaveEvents();
    EXPECT_EQ(Messages().size(), 2u) << "still read-only: told again, nothing lost";
    EXPECT_EQ(EventFile(), "0\tOld\nEvents Data:\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    again.SaveEvents();
    EXPECT_EQ(EventFile(), "1\tEdited\nEvents Data:\n");
    EXPECT_EQ(again.SaveRetryTimer->Mode(), Timer::ModeOff);
    again.Close();
    EXPECT_EQ(Rows(*Window().TodoList), "1 Edited|");
    EXPECT_EQ(Messages().size(), 2u);
    // Another program takes the file away with its folder: what was read lives only in the
    // store now, so a save that fails is told although nothing changed since.
    fs::remove_all(environment.Documents());
    TestEnvironment::WriteFile(environment.Documents(), "");
    Window().SaveEvents();
    EXPECT_EQ(Messages().size(), 3u);
}

// Writes after changes fail one after another (a read-only file, a full disk): the user is told
// once, not at every tick and not while typing, until a write succeeds; a quit that cannot save
// always tells.
TEST_F(WeekFaceTest, FailingWritesAfterChangesAreToldOnceUntilOneSucceeds) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "Events Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    const auto change = [&] {
        window.TodoList->AddRow();
        window.TodoList_Change();
        FinishSaving(window);
    };
    fs::permissions(file, fs::perms::owner_read);
    testing::internal::CaptureStderr();
    // A row added starts a write and opens the row's edit: the message waits for its end.
    window.ToDoListHeader_MouseDown(5, 5);
    FinishSaving(window);
    EXPECT_TRUE(Messages().empty()) << "no message while an item is typed";
    ASSERT_NE(window.TodoList->ActiveCell(), nullptr);
    window.TodoList->ActiveCell()->SetText("Typed");
    Simulate::Key(window, "Return");
    // The quiet retry of the failure before comes while the edit's own write runs.
    window.SaveRetryTimer->Event_Action();
    FinishSaving(window);
    EXPECT_EQ(Messages().size(), 1u) << "the end of the edit tells its failure";
    for (int i = 0; i < 3; ++i)
        change();
    const std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_NE(logged.find("could not write", logged.find("could not write") + 1), std::string::npos)
        << "each failure is still logged";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    change();
    EXPECT_EQ(EventFile(), "0\tTyped\n0\t\n0\t\n0\t\n0\t\nEvents Data:\n");
    fs::permissions(file, fs::perms::owner_read);
    change();
    EXPECT_EQ(Messages().size(), 2u) << "a new failure after a success is told";
    window.SaveEvents();
    EXPECT_EQ(Messages().size(), 3u);
}

// A write after a change fails (a full disk, a file read-only for a while): it is tried again
// quietly, after 2 s and then twice as long each time up to half a minute, until one succeeds;
// then no timer runs.
TEST_F(WeekFaceTest, AFailedWriteIsRetriedUntilItSucceeds) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "Events Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    const auto failingAdd = [&] {
        fs::permissions(file, fs::perms::owner_read);
        window.TodoList->AddRow();
        window.TodoList_Change();
        FinishSaving(window);
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    };
    const auto retrying = [&] { return window.SaveRetryTimer->Mode() != Timer::ModeOff; };
    testing::internal::CaptureStderr();
    failingAdd();
    ASSERT_NE(window.SaveRetryTimer, nullptr);
    // Room again: the timer's own retry writes the row.
    EXPECT_TRUE(WaitUntil([&] { return !retrying(); }));
    FinishSaving(window);
    EXPECT_EQ(EventFile(), "0\t\nEvents Data:\n");
    EXPECT_FALSE(retrying());
    failingAdd();
    std::vector<int> waits;
    fs::permissions(file, fs::perms::owner_read);
    for (int retry = 0; retry < 10 && retrying(); ++retry) {
        waits.push_back(window.SaveRetryTimer->Period());
        window.SaveRetryTimer->Event_Action();
        FinishSaving(window);
    }
    EXPECT_EQ(waits, (std::vector<int>{2000, 4000, 8000, 16000, 30000, 30000, 30000, 30000, 30000,
                                       30000}));
    const std::string logged = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Messages().size(), 2u) << "one for each failure after a success";
    EXPECT_EQ(logged.find("could not write", logged.find("could not write") + 1),
              logged.rfind("could not write"))
        << "two failures logged, no retry: " << logged;
}

// After the retries have grown far apart, a new change of the user's is written at once: its own
// failure brings the next retry close again, and a change made while a failing write runs is
// written as soon as that write ends, not after the wait.
TEST_F(WeekFaceTest, ANewChangeIsTriedAtOnceHoweverLongTheRetriesWait) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "Events Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    const auto addRow = [&] {
        window.TodoList->AddRow();
        window.TodoList_Change();
    };
    testing::internal::CaptureStderr();
    fs::permissions(file, fs::perms::owner_read);
    addRow();
    FinishSaving(window);
    for (int retry = 0; retry < 6; ++retry) {
        window.SaveRetryTimer->Event_Action();
        FinishSaving(window);
    }
    ASSERT_EQ(window.SaveRetryTimer->Period(), 30000);
    addRow();
    FinishSaving(window);
    EXPECT_EQ(window.SaveRetryTimer->Period(), 2000);
    EXPECT_EQ(window.SaveRetryTimer->Mode(), Timer::ModeSingle);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    TestSeams::FailFileCalls(TestSeams::FileCall::SyncFile); // the next write fails
    addRow();
    addRow(); // while that write runs
    FinishSaving(window);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(EventFile(), "0\t\n0\t\n0\t\n0\t\nEvents Data:\n");
    EXPECT_EQ(window.SaveRetryTimer->Mode(), Timer::ModeOff);
    EXPECT_EQ(Messages().size(), 1u) << "told once, at the first failure";
}

// The message that a write failed, with the system's reason, closes once a retry has saved
// everything while it is still open: it would say what is no longer true.
TEST_F(WeekFaceTest, AnUnsavedMessageClosesWhenARetrySavesEverything) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "Events Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    // No file may grow past this one's size: the write fails for a reason only the system knows.
    std::optional<FileSizeLimit> fullDisk(std::in_place, fs::file_size(file));
    TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
        fullDisk.reset();
        window.SaveRetryTimer->Event_Action();
        FinishSaving(window);
        return 0;
    });
    window.TodoList->AddRow();
    window.TodoList_Change();
    FinishSaving(window);
    EXPECT_TRUE(TestSeams::Dialogs().at(0).closedByProgram) << "the retry saved everything";
    EXPECT_EQ(Messages(), std::vector<std::string>{
                              "Your events and to-do items could not be saved in " + file.string() +
                              ". The file there was left as it was. File too large."});
}

// A change confirmed while a write is under way is written when that write ends, with no
// further change and no quit: an event saved in the editor, a to-do item ticked.
TEST_F(WeekFaceTest, AChangeMadeDuringAWriteIsWrittenWhenItEnds) {
    CalendarWindow& window = Window();
    const auto saveInTheEditor = [&](const std::string& hour, const std::string& title) {
        Save("2026-03-05 " + hour + ":00:00", "2026-03-05 " + hour + ":30:00", title);
        window.StartSavingEvents();
    };
    window.TodoList->AddRow();
    window.TodoList_Change(); // the write starts; its end comes from the event loop
    saveInTheEditor("09", "Dentist");
    FinishSaving(window);
    const std::string dentist = "2026-03-05 09:00:00|2026-03-05 09:30:00//Dentist\n";
    EXPECT_EQ(EventFile(), "0\t\nEvents Data:\n" + dentist);
    saveInTheEditor("12", "Lunch");
    window.TodoList->SetCellCheck(0, 0, true);
    window.TodoList_Change();
    FinishSaving(window);
    EXPECT_EQ(EventFile(),
              "1\t\nEvents Data:\n" + dentist + "2026-03-05 12:00:00|2026-03-05 12:30:00//Lunch\n");
}

// Whatever stops a write in the background (memory running out; another program's file in the
// event file's place too large to keep beside it) is a failed write: told once with its reason,
// retried, and the writer free for the next; a quit leaves what is unsaved in a rescue file.
TEST_F(WeekFaceTest, AWriteThatCannotGoOnFailsAndNeverStallsTheWriter) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    const auto tooLargeToKeep = [&] {
        struct statvfs room {};
        ASSERT_EQ(::statvfs(file.parent_path().c_str(), &room), 0);
        fs::resize_file(file, room.f_bavail * room.f_frsize + (uintmax_t{1} << 40));
    };
    const struct {
        const char* name;
        std::function<void()> stop;
        std::string reason;
        bool goesOn; // whether what stopped the write stops the retry too
    } cases[] = {
        {"memory runs out",
         [] {
             TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::BeforeTheLateLook,
                                          [] { throw std::bad_alloc(); });
         },
         "Cannot allocate memory.", false},
        {"another program's file is larger than the disk's room, where files have one name",
         [&] {
             tooLargeToKeep();
             TestSeams::FailFileCalls(TestSeams::FileCall::LinkFile, 1000, EPERM);
             TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::DuringACopy,
                                          [] { ADD_FAILURE() << "refused before a copy starts"; });
         },
         "There is no room left on the disk.", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
        application.LoadUserEvents();
        CalendarWindow& window = Window();
        c.stop();
        const size_t told = Messages().size();
        const uintmax_t size = fs::file_size(file);
        window.TodoList->AddRow();
        window.TodoList->SetCell(window.TodoList->LastIndex(), 1, "Added");
        window.TodoList_Change();
        FinishSaving(window);
        ASSERT_EQ(Messages().size(), told + 1);
        EXPECT_NE(Messages().back().find(c.reason), std::string::npos) << Messages().back();
        ASSERT_TRUE(window.SaveRetryTimer && window.SaveRetryTimer->Mode() == Timer::ModeSingle);
        window.SaveRetryTimer_Action();
        FinishSaving(window);
        EXPECT_EQ(Messages().size(), told + 1) << "a retry is not told again";
        if (!c.goesOn) {
            EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
            window.Close();
            continue;
        }
        application.Quit(0);
        const auto rescues = TestEnvironment::Rescues(environment.Config());
        ASSERT_EQ(rescues.size(), 1u);
        EXPECT_EQ(TestEnvironment::ReadFile(rescues[0]), "0\tMine\n0\tAdded\nEvents Data:\n");
        EXPECT_EQ(fs::file_size(file), size) << "left as it was";
    }
}

// A save that had to move the file there aside, where its own file cannot take the event file's
// name and the file there cannot go back either, leaves the last saved file under a rescue file's
// name and tells it; the retry then writes the event file.
TEST_F(WeekFaceTest, ALastSavedFileThatCannotGoBackIsNamedAndTold) {
    using TestSeams::FileCall;
    const fs::path documents = environment.Documents();
    StartFromEventFile("0\tMine\nEvents Data:\n");
    CalendarWindow& window = Window();
    TestSeams::FailFileCalls(FileCall::ExchangeFiles, 1, EINVAL);
    TestSeams::FailFileCalls(FileCall::LinkFile, 1, EPERM);
    TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::AfterTheParkedName, [] {
        TestSeams::FailFileCalls(FileCall::RenameWithoutReplacing, 2, EIO);
    });
    const size_t told = Messages().size();
    window.TodoList->AddRow();
    window.TodoList->SetCell(window.TodoList->LastIndex(), 1, "Added");
    window.TodoList_Change();
    FinishSaving(window);
    const auto rescues = TestEnvironment::Rescues(documents);
    ASSERT_EQ(rescues.size(), 1u);
    EXPECT_EQ(TestEnvironment::ReadFile(rescues[0]), "0\tMine\nEvents Data:\n");
    ASSERT_GT(Messages().size(), told);
    EXPECT_NE(Messages()[told].find(rescues[0].string()), std::string::npos) << Messages()[told];
    ASSERT_TRUE(window.SaveRetryTimer);
    window.SaveRetryTimer_Action();
    FinishSaving(window);
    EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
    window.Close();
    EXPECT_TRUE(fs::exists(rescues[0]));
}

// A write whose file could not be measured is no version the calendar knows: the next write
// compares the text (its own file is no other program's), and a file that another program puts
// in its place still leaves the user's work unsaved, and told.
TEST_F(WeekFaceTest, AWriteThatCouldNotBeMeasuredNeverCountsAsSaved) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    TestSeams::FailFileCalls(TestSeams::FileCall::MeasureFile, 2);
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Dentist");
    Window().SaveEvents();
    const std::string written = EventFile();
    Window().SaveEvents();
    EXPECT_EQ(EventFile(), written);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), {}), 1) << "no copy";
    EXPECT_TRUE(Messages().empty());
    fs::remove(file);
    fs::create_directory(file);
    Window().SaveEvents();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("There is a folder in its place."), std::string::npos);
}

// A message shown while a save runs on the event loop's thread runs the loop, and the retry's
// timer with it: no write starts beside the save.
TEST_F(WeekFaceTest, NoWriteStartsInTheBackgroundWhileASaveRuns) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Dentist");
    fs::permissions(file, fs::perms::owner_read);
    bool beside = false;
    TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
        window.SaveRetryTimer_Action();
        window.StartSavingEvents();
        beside = beside || window.SavingEvents();
        return 0;
    });
    window.SaveEvents();
    TestSeams::AnswerDialogs({});
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_FALSE(beside);
}

// A full disk as the window closes (a change of calendar): the new window shows the to-do list
// that could not be written and writes it once there is room, though the file there is exactly
// as it was.
TEST_F(WeekFaceTest, ToDoItemsParkedAfterAFullDiskAreWrittenOnceThereIsRoom) {
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc", "0\tOld\nEvents Data:\n");
    application.LoadUserEvents();
    Window().TodoList->SetCell(0, 1, "Edited");
    {
        const FileSizeLimit full(10);
        Window().Close();
    }
    ASSERT_EQ(Messages().size(), 1u);
    CalendarWindow& again = Window();
    EXPECT_EQ(Rows(*again.TodoList), "0 Edited|");
    again.SaveEvents();
    EXPECT_EQ(EventFile(), "0\tEdited\nEvents Data:\n");
}

TEST_F(WeekFaceTest, AWriterKilledMidwayLeavesTheOldFileOrTheNewOneWhole) {
    Dictionary store;
    for (int i = 0; i < 100000; ++i) {
        Date start(2026, 1, 1, 8);
        start.SetMinute(30 * i);
        store.Value(start.SQLDateTime(), start.SQLDateTime() + "//Event " + std::to_string(i));
    }
    const FolderItem item(environment.Documents() / "Calendar.tpc");
    const std::vector<EventFileFormat::TodoItem> versions[] = {
        {{false, "old"}}, {{true, "one"}}, {{true, "two"}}};
    fs::create_directories(environment.Documents());
    ASSERT_TRUE(EventFileFormat::Write(item, versions[0], store));
    for (int delayMs : {0, 3, 11, 27, 60, 140}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int round = 0;; ++round)
                EventFileFormat::Write(item, versions[1 + round % 2], store);
        }
        usleep(static_cast<useconds_t>(delayMs) * 1000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string found = TestEnvironment::ReadFile(item.Path());
        EXPECT_TRUE(std::ranges::any_of(
            versions,
            [&](const auto& todo) { return found == EventFileFormat::Compose(todo, store); }))
            << "killed after " << delayMs << " ms: " << found.size() << " bytes";
    }
}

// The file is written again only after a change of the store or the to-do list since it was
// read, so that leaving a large calendar untouched costs no rewrite; then it holds the change.
TEST_F(WeekFaceTest, SavingWritesTheFileOnlyWhenTheStoreOrTheToDoListChanged) {
    const std::string dentist = "2026-03-05 09:00:00|2026-03-05 10:00:00//Dentist\n";
    const std::string note = "2026-03-06 00:00:01|2026-03-06 00:00:01//Note\n";
    const std::string events = "Events Data:\n" + dentist + note;
    // Line ends the writer does not use show whether the file was written.
    const std::string original = ReplaceAll("1\tBuy milk\n0\tCall Ann\n" + events, "\n", "\r\n");
    const fs::path file = environment.Documents() / "Calendar.tpc";
    const struct {
        const char* name;
        std::function<void()> before;          // before the load
        std::function<void()> change;          // on the week face
        std::string written;                   // empty when the file must stay as it was
        std::function<void()> opening = [] {}; // between the load and the window's opening
    } cases[] = {
        {"nothing", [] {}, [] {}, ""},
        {"nothing, with holidays the file lacks; a line it refused is moved out at once",
         [&] {
             TestEnvironment::WriteFile(file, original + "garbage\n");
             application.LoadHolidays();
         },
         [] {}, original},
        {"a to-do text edited", [] {},
         [&] {
             Window().TodoList->EditCell(0, 1);
             Window().TodoList->ActiveCell()->SetText("Buy tea");
             Simulate::Key(Window(), "Return");
         },
         "1\tBuy tea\n0\tCall Ann\n" + events},
        {"a to-do typed and left open", [] {},
         [&] {
             Window().TodoList->EditCell(0, 1);
             Window().TodoList->ActiveCell()->SetText("Buy tea");
         },
         "1\tBuy tea\n0\tCall Ann\n" + events},
        {"a to-do ticked", [] {}, [&] { Window().TodoList->SetCellCheck(1, 0, true); },
         "1\tBuy milk\n1\tCall Ann\n" + events},
        {"a to-do added", [] {}, [&] { Window().TodoList->AddRow(); },
         "1\tBuy milk\n0\tCall Ann\n0\t\n" + events},
        {"a to-do removed", [] {}, [&] { Window().TodoList->RemoveRow(0); },
         "0\tCall Ann\n" + events},
        {"an event added", [] {},
         [&] { Save("2026-03-05 11:00:00", "2026-03-05 11:30:00", "Lunch"); },
         "1\tBuy milk\n0\tCall Ann\nEvents Data:\n" + dentist +
             "2026-03-05 11:00:00|2026-03-05 11:30:00//Lunch\n" + note},
        {"an event removed", [] {},
         [&] {
             Select("2026-03-05 09:00:00");
             Window().GlanceList->RemoveEvent();
         },
         "1\tBuy milk\n0\tCall Ann\nEvents Data:\n" + note},
        {"the file removed", [] {}, [&] { fs::remove(file); },
         "1\tBuy milk\n0\tCall Ann\n" + events},
        {"the file emptied by another program", [] {},
         [&] { TestEnvironment::WriteFile(file, ""); }, "1\tBuy milk\n0\tCall Ann\n" + events},
        {"no file at the start", [&] { fs::remove(file); }, [] {}, "Events Data:\n"},
        // The window shows the to-do items of the file the events came from, which is away or
        // empty for a moment (moved aside, a sync program's rewrite).
        {"the file away when the window opened, back afterwards", [] {},
         [&] { TestEnvironment::WriteFile(file, original); }, "1\tBuy milk\n0\tCall Ann\n" + events,
         [&] { fs::rename(file, file.parent_path() / "aside"); }},
        {"the window reopened after another program emptied the file", [] {}, [] {},
         "1\tBuy milk\n0\tCall Ann\n" + events,
         [&] {
             Window().Close();
             TestEnvironment::WriteFile(file, "");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestEnvironment::WriteFile(file, original);
        application.eventDict = Dictionary();
        application.eventFileRevision.reset();
        c.before();
        const std::string before = fs::exists(file) ? EventFile() : "";
        application.LoadUserEvents();
        c.opening();
        Window().GlanceOn();
        c.change();
        Window().GlanceOff(); // saves beside the event loop
        FinishSaving(Window());
        EXPECT_EQ(EventFile(), c.written.empty() ? before : c.written);
        // What was written is what the file holds: closing has nothing more to write.
        const std::optional<FileIdentity> written = FileIdentity::At(file);
        Window().Close();
        DoEvents();
        EXPECT_TRUE(written && FileIdentity::At(file) == written);
        // The window opened next shows the to-do items as written, though not read again.
        std::string rows;
        for (const TodoItem& item : ReadEventFile(FolderItem(file)).todo)
            rows += (item.done ? "1 " : "0 ") + item.text + "|";
        EXPECT_EQ(Rows(*Window().TodoList), rows);
        Window().Close();
    }
}

// Each change the user confirms reaches the file while the week stays open, written beside the
// event loop: nothing waits for a quit or for leaving the week.
TEST_F(WeekFaceTest, EachConfirmedChangeIsWrittenWithoutLeavingTheWeek) {
    const std::string dentist = "2026-03-05 09:00:00|2026-03-05 10:00:00//Dentist\n";
    const std::string lunch = "2026-03-05 12:00:00|2026-03-05 12:30:00//Lunch\n";
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc",
                               "0\tFirst\n0\tSecond\nEvents Data:\n" + dentist);
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    window.Show();
    window.GlanceOn();
    ListBox& list = *window.TodoList;
    const int rowHeight = list.RowHeight();
    const auto inRow = [&](int row) { return list.Top() + row * rowHeight + rowHeight / 2; };
    const auto editor = [&](const std::string& start, std::function<void(GlanceInputWindow&)> use) {
        Select(start);
        window.ReloadCalLists();
        use(GlanceInputWindow::Instance());
    };
    const struct {
        const char* name;
        std::function<void()> change;
        std::string written;
    } steps[] = {
        {"an edit ended",
         [&] {
             list.EditCell(0, 1);
             list.ActiveCell()->SetText("One");
             Simulate::Key(window, "Return");
         },
         "0\tOne\n0\tSecond\nEvents Data:\n" + dentist},
        {"a tick", [&] { Simulate::Click(window, list.Left() + 10, inRow(1)); },
         "0\tOne\n1\tSecond\nEvents Data:\n" + dentist},
        {"a move",
         [&] {
             Simulate::MouseDown(window, list.Left() + 60, inRow(0));
             Simulate::MouseMove(window, list.Left() + 60, inRow(1));
             Simulate::MouseUp(window, list.Left() + 60, inRow(1));
         },
         "1\tSecond\n0\tOne\nEvents Data:\n" + dentist},
        {"a row added", [&] { window.ToDoListHeader_MouseDown(5, 5); },
         "1\tSecond\n0\tOne\n0\t\nEvents Data:\n" + dentist},
        {"a delete", [&] { Simulate::Click(window, list.Left() + list.Width() - 10, inRow(0)); },
         "0\tOne\n0\t\nEvents Data:\n" + dentist},
        {"Save in the event editor",
         [&] {
             editor("2026-03-05 12:00:00", [](GlanceInputWindow& shown) {
                 shown.EventField->SetText("Lunch");
                 shown.SaveButton->Push();
             });
         },
         "0\tOne\n0\t\nEvents Data:\n" + dentist + lunch},
        {"Delete in the event editor",
         [&] {
             editor("2026-03-05 09:00:00",
                    [](GlanceInputWindow& shown) { shown.DeleteButton->Push(); });
         },
         "0\tOne\n0\t\nEvents Data:\n" + lunch},
        {"a delete while no row is selected",
         [&] {
             list.SetListIndex(-1);
             Simulate::Click(window, list.Left() + list.Width() - 10, inRow(1));
         },
         "0\tOne\nEvents Data:\n" + lunch},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        FinishSaving(window);
        EXPECT_EQ(EventFile(), step.written);
    }
    EXPECT_TRUE(Messages().empty());
}

// Save in the editor, and the calendar dies soon after (a crash, a power cut) while it goes on
// running: the event is in the file by itself, without a quit or leaving the week.
TEST_F(WeekFaceTest, AnEventSavedASecondBeforeTheCalendarIsKilledIsInTheFile) {
    CalendarWindow& window = Window();
    window.GlanceOn();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Select("2026-03-05 09:00:00");
        window.ReloadCalLists();
        GlanceInputWindow& editor = GlanceInputWindow::Instance();
        editor.EventField->SetText("Dentist");
        editor.SaveButton->Push();
        for (;;) {
            DoEvents();
            usleep(10000);
        }
    }
    const std::string line = "2026-03-05 09:00:00|2026-03-05 09:30:00//Dentist\n";
    const fs::path file = environment.Documents() / "Calendar.tpc";
    WaitUntil([&] { return fs::exists(file) && EventFile().find(line) != std::string::npos; });
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_NE(EventFile().find(line), std::string::npos);
}

// Another program changes the file while the calendar runs (an editor, a sync tool, a second
// session): before the calendar's next write, after a change or at a quit, a version with text
// of its own is kept beside the file under a name nothing overwrites, and the user is told
// where; one that holds nothing new (touched, the same text, emptied, removed) leaves no copy.
TEST_F(WeekFaceTest, AFileChangedByAnotherProgramIsKeptBesideItBeforeTheCalendarWrites) {
    const fs::path documents = environment.Documents();
    const fs::path file = documents / "Calendar.tpc";
    const std::string dentist = "2026-03-05 09:00:00|2026-03-05 10:00:00//Dentist\n";
    const std::string theirs = "0\tMine\nEvents Data:\n" + dentist +
                               "2026-03-06 09:00:00|2026-03-06 10:00:00//From the editor\n";
    // The clock is fixed: every copy is of the same second.
    const fs::path copy = documents / "Calendar (changed outside the calendar 2026-03-03 "
                                      "12.00.00).tpc";
    const fs::path second = documents / "Calendar (changed outside the calendar 2026-03-03 "
                                        "12.00.00) 2.tpc";
    const auto replace = [&](const std::string& text) {
        TestEnvironment::WriteFile(documents / "editor.tmp", text);
        fs::rename(documents / "editor.tmp", file);
    };
    const struct {
        const char* name;
        std::function<void()> outside;
        fs::path copied; // empty when nothing may be kept
    } cases[] = {
        {"replaced with new text", [&] { replace(theirs); }, copy},
        {"edited in place",
         [&] {
             std::ofstream(file, std::ios::app)
                 << "2026-03-06 09:00:00|2026-03-06 10:00:00//From the editor\n";
         },
         copy},
        {"replaced where a copy of that second is already",
         [&] {
             TestEnvironment::WriteFile(copy, "an earlier copy");
             replace(theirs);
         },
         second},
        {"edited in place to the same length, its time put back (cp -p, touch -r)",
         [&] {
             const auto time = fs::last_write_time(file);
             WaitForTheChangeTimeToMove(file);
             std::fstream(file, std::ios::in | std::ios::out) << "1";
             fs::last_write_time(file, time);
         },
         copy},
        {"touched",
         [&] { fs::last_write_time(file, fs::last_write_time(file) + std::chrono::hours(1)); },
         {}},
        {"written again with the same text", [&] { replace(TestEnvironment::ReadFile(file)); }, {}},
        {"emptied", [&] { TestEnvironment::WriteFile(file, ""); }, {}},
        {"removed", [&] { fs::remove(file); }, {}},
    };
    const std::string before = "0\tMine\n0\t\nEvents Data:\n" + dentist;
    const auto addRow = [&] {
        Window().TodoList->AddRow();
        Window().TodoList_Change();
        FinishSaving(Window());
    };
    const struct {
        const char* name;
        std::function<void()> write;
        std::string written;
        bool duringTheWrite = false; // the other program's change lands just before the rename
    } roads[] = {
        {"a change, written beside the event loop",
         [&] {
             addRow();
             Window().Close(); // with nothing more to write
         },
         "0\tMine\n0\t\n0\t\nEvents Data:\n" + dentist},
        {"a quit without a change", [&] { Window().Close(); }, before},
        {"a change, the other program's coming while its text is written",
         [&] {
             addRow();
             Window().Close();
         },
         "0\tMine\n0\t\n0\t\nEvents Data:\n" + dentist, true},
    };
    for (const auto& road : roads)
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(road.name) + ": " + c.name);
            StartFromEventFile("0\tMine\nEvents Data:\n" + dentist);
            // The calendar's own first write: the next is compared with it, not with the read.
            addRow();
            ASSERT_EQ(EventFile(), before);
            const std::string outside = fs::exists(file) ? EventFile() : "";
            std::string kept;
            const auto change = [&] {
                c.outside();
                kept = fs::exists(file) ? EventFile() : "";
            };
            road.duringTheWrite
                ? TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::BeforeTheLateLook, change)
                : change();
            const size_t told = Messages().size();
            testing::internal::CaptureStderr();
            road.write();
            DoEvents();
            const std::string log = testing::internal::GetCapturedStderr();
            EXPECT_EQ(EventFile(), road.written);
            std::vector<fs::path> copies;
            for (const auto& entry : fs::directory_iterator(documents))
                if (entry.path().filename().string().find("changed outside") != std::string::npos)
                    copies.push_back(entry.path());
            if (c.copied.empty()) {
                EXPECT_TRUE(copies.empty()) << copies.front();
                EXPECT_EQ(Messages().size(), told);
                continue;
            }
            EXPECT_EQ(copies.size(), c.copied == second ? 2u : 1u);
            EXPECT_EQ(TestEnvironment::ReadFile(c.copied), kept);
            EXPECT_NE(kept, outside);
            EXPECT_EQ(fs::status(c.copied).permissions() & ~fs::status(file).permissions(),
                      fs::perms::none);
            if (c.copied == second) {
                EXPECT_EQ(TestEnvironment::ReadFile(copy), "an earlier copy");
            }
            ASSERT_EQ(Messages().size(), told + 1);
            EXPECT_NE(Messages().back().find(c.copied.string()), std::string::npos);
            EXPECT_NE(log.find("kept in " + c.copied.string()), std::string::npos) << log;
        }
}

namespace {
// Another program that writes the event file: whole, under a name of its own renamed over it, or
// in place (truncated, then written, in one go or in pieces a while apart). It notes every
// version it wrote whole, and those that must survive: a version it overwrote in place itself is
// its own to lose.
struct OtherProgram {
    fs::path file;
    std::vector<std::string> written, mustSurvive;
    // A version of its own; a large one takes a copy more than one piece.
    std::string Next(bool large = false) {
        std::string text = "0\tTheirs " + std::to_string(written.size() + 1) + "\n";
        text.resize(text.size() + (large ? 3u << 20 : 4000 * written.size()), 'x');
        return text + "\nEvents Data:\n";
    }
    void Wrote(const std::string& text, const std::string& overwritten = {}) {
        std::erase(mustSurvive, overwritten);
        written.push_back(text);
        mustSurvive.push_back(text);
    }
    void Replace(bool large = false) {
        const std::string text = Next(large);
        TestEnvironment::WriteFile(file.parent_path() / "theirs.tmp", text);
        fs::rename(file.parent_path() / "theirs.tmp", file);
        Wrote(text);
    }
    void Rewrite(size_t pieces = 1, std::chrono::milliseconds apart = {}) {
        const std::string text = Next(), before = TestEnvironment::ReadFile(file);
        std::ofstream out(file, std::ios::trunc | std::ios::binary);
        for (size_t at = 0, piece = text.size() / pieces + 1; at < text.size(); at += piece) {
            out << text.substr(at, piece) << std::flush;
            std::this_thread::sleep_for(apart);
        }
        Wrote(text, before);
    }
    // Of the same length: every field of the file's identity stays within a tick of the clock.
    void EditFirstCharacter() {
        std::fstream(file, std::ios::in | std::ios::out) << "1";
        Wrote(TestEnvironment::ReadFile(file));
    }
};
} // namespace

// Another program writes the event file at each moment of a save: every version it finished is
// the event file afterwards or a whole copy beside it, made once, and one message names only
// whole copies.
TEST_F(WeekFaceTest, EveryVersionAnotherProgramFinishesSurvivesTheSaveWhole) {
    using TestSeams::WriteMoment;
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    const auto at = [](WriteMoment moment, std::function<void()> then) {
        TestSeams::AtNextWriteMoment(moment, std::move(then));
    };
    std::thread rewriting;
    const struct {
        const char* name;
        std::function<void(OtherProgram&)> play; // before the save, arming the moments
    } cases[] = {
        {"replaced before the late look",
         [&](OtherProgram& other) {
             at(WriteMoment::BeforeTheLateLook, [&] { other.Replace(); });
         }},
        {"rewritten in place before the late look",
         [&](OtherProgram& other) {
             at(WriteMoment::BeforeTheLateLook, [&] { other.Rewrite(); });
         }},
        {"replaced while its earlier version is copied",
         [&](OtherProgram& other) {
             other.Replace(true);
             at(WriteMoment::DuringACopy, [&] { other.Replace(); });
         }},
        {"rewritten in place while its earlier version is copied",
         [&](OtherProgram& other) {
             other.Replace(true);
             at(WriteMoment::DuringACopy, [&] { other.Rewrite(); });
         }},
        {"replaced between the last look and the rename",
         [&](OtherProgram& other) { at(WriteMoment::AfterTheLastLook, [&] { other.Replace(); }); }},
        {"rewritten in place between the last look and the rename",
         [&](OtherProgram& other) { at(WriteMoment::AfterTheLastLook, [&] { other.Rewrite(); }); }},
        {"rewritten in place right after the rename",
         [&](OtherProgram& other) { at(WriteMoment::AfterTheRename, [&] { other.Rewrite(); }); }},
        {"a burst: before the save, before the late look and at the rename",
         [&](OtherProgram& other) {
             other.Replace();
             at(WriteMoment::BeforeTheLateLook, [&] { other.Replace(); });
             at(WriteMoment::AfterTheLastLook, [&] { other.Replace(); });
         }},
        {"edited in place to the same length in the tick of the rename, the clock's ticks long",
         [&](OtherProgram& other) {
             TestSeams::MakeFileTimesCoarse(int64_t{100} * 1'000'000'000);
             at(WriteMoment::AfterTheRename, [&] { other.EditFirstCharacter(); });
         }},
        {"edited in place to the same length between the last look and the rename, the clock's "
         "ticks long",
         [&](OtherProgram& other) {
             TestSeams::MakeFileTimesCoarse(int64_t{100} * 1'000'000'000);
             at(WriteMoment::AfterTheLastLook, [&] { other.EditFirstCharacter(); });
         }},
        {"edited in place to the same length in the second of the rename, times in whole seconds",
         [&](OtherProgram& other) {
             TestSeams::KeepFileTimesInWholeSeconds(1);
             at(WriteMoment::AfterTheRename, [&] { other.EditFirstCharacter(); });
         }},
        {"edited in place to the same length in the two seconds of the rename, times in two",
         [&](OtherProgram& other) {
             TestSeams::KeepFileTimesInWholeSeconds(2);
             at(WriteMoment::AfterTheRename, [&] { other.EditFirstCharacter(); });
         }},
        {"emptied between the last look and the rename: nothing to keep",
         [&](OtherProgram&) {
             at(WriteMoment::AfterTheLastLook, [&] { std::ofstream(file, std::ios::trunc); });
         }},
        {"kept by a second name that is taken away before the rename: named again, a second on",
         [&](OtherProgram& other) {
             other.Replace();
             at(WriteMoment::AfterTheLastLook, [&] {
                 for (const auto& entry : fs::directory_iterator(documents))
                     if (entry.path().filename().string().find("changed outside") !=
                         std::string::npos)
                         fs::remove(entry.path());
                 Date::FixClock(Date(2026, 3, 3, 12, 0, 1).TotalSeconds());
             });
         }},
        {"absent at the exchange, a version come meanwhile",
         [&](OtherProgram& other) {
             at(WriteMoment::AfterTheLastLook, [&] {
                 other.Replace();
                 TestSeams::FailFileCalls(TestSeams::FileCall::ExchangeFiles, 1, ENOENT);
             });
         }},
        {"replaced while a save that the disk does not flush is written, its earlier version "
         "kept",
         [&](OtherProgram& other) {
             other.Replace();
             TestSeams::FailFileCalls(TestSeams::FileCall::SyncFile);
             at(WriteMoment::BeforeTheLateLook, [&] { other.Replace(); });
         }},
        {"replaced at a rename that the file system refuses",
         [&](OtherProgram& other) {
             at(WriteMoment::AfterTheLastLook, [&] {
                 other.Replace();
                 TestSeams::FailFileCalls(TestSeams::FileCall::ExchangeFiles, 1, EIO);
             });
         }},
        {"replaced once the file there is parked, where the file system cannot exchange",
         [&](OtherProgram& other) {
             TestSeams::FailFileCalls(TestSeams::FileCall::ExchangeFiles, 1, EINVAL);
             at(WriteMoment::AfterTheParkedName, [&] { other.Replace(); });
         }},
        {"emptied by a rename between the look and the second name that would keep it",
         [&](OtherProgram& other) {
             other.Replace();
             at(WriteMoment::BeforeACopysLink, [&] {
                 TestEnvironment::WriteFile(documents / "theirs.tmp", "");
                 fs::rename(documents / "theirs.tmp", file);
                 other.mustSurvive.clear(); // its own version, which it replaced itself
             });
         }},
        {"put there once the file there is moved aside, where the file system has neither "
         "exchanges nor links",
         [&](OtherProgram& other) {
             TestSeams::FailFileCalls(TestSeams::FileCall::ExchangeFiles, 1, EINVAL);
             TestSeams::FailFileCalls(TestSeams::FileCall::LinkFile, 2, EPERM);
             at(WriteMoment::AfterTheParkedName, [&] { other.Replace(); });
         }},
        {"replaced between the last look and the rename, then a kill and the next start's "
         "clean-up",
         [&](OtherProgram& other) {
             at(WriteMoment::AfterTheLastLook, [&] { other.Replace(); });
             at(WriteMoment::AfterTheRename, [&] { RemoveUnfinishedWrites(FolderItem(file)); });
         }},
        {"replaced before the late look, then a kill and the next start's clean-up",
         [&](OtherProgram& other) {
             at(WriteMoment::BeforeTheLateLook, [&] { other.Replace(); });
             at(WriteMoment::AfterTheRename, [&] { RemoveUnfinishedWrites(FolderItem(file)); });
         }},
        {"rewritten in place in pieces over the whole save",
         [&](OtherProgram& other) {
             rewriting = std::thread([&] { other.Rewrite(12, std::chrono::milliseconds(20)); });
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FixToday(Date(2026, 3, 3, 12, 0));
        StartFromEventFile("0\tMine\nEvents Data:\n");
        TestSeams::MakeFileTimesCoarse(0);
        TestSeams::KeepFileTimesInWholeSeconds(0);
        CalendarWindow& window = Window();
        OtherProgram other{file, {}, {}};
        c.play(other);
        const size_t told = Messages().size();
        window.TodoList->AddRow();
        window.TodoList->SetCell(window.TodoList->LastIndex(), 1, "Added");
        window.TodoList_Change();
        FinishSaving(window);
        if (rewriting.joinable()) rewriting.join();
        window.Close(); // writes again when the file is not the calendar's own
        std::vector<std::string> texts{EventFile()};
        std::vector<fs::path> copies;
        for (const auto& entry : fs::directory_iterator(documents))
            if (entry.path().filename().string().find("changed outside") != std::string::npos) {
                copies.push_back(entry.path());
                texts.push_back(TestEnvironment::ReadFile(entry.path()));
                EXPECT_TRUE(std::ranges::count(other.written, texts.back()) == 1)
                    << "a whole version: " << entry.path();
            }
        EXPECT_EQ(EventFile(), "0\tMine\n0\tAdded\nEvents Data:\n");
        for (const std::string& version : other.mustSurvive)
            EXPECT_EQ(std::ranges::count(texts, version), 1) << version.substr(0, 12);
        // One message per save that met another program's version; a save that failed is told
        // besides, and the one after it tells its own copies.
        std::string changed;
        size_t saves = 1, messages = 0;
        for (const std::string& message : Messages() | std::views::drop(told)) {
            saves += message.find("could not be saved") != std::string::npos;
            if (message.find("changed by another program") == std::string::npos) continue;
            changed += message;
            ++messages;
        }
        EXPECT_EQ(messages == 0, copies.empty());
        EXPECT_LE(messages, saves);
        for (const fs::path& copy : copies)
            EXPECT_NE(changed.find(copy.string()), std::string::npos);
    }
}

// A file that another program goes on changing for longer than a save waits is not replaced: the
// write is put off, told with its reason, and retried; the next write after it settled keeps it.
TEST_F(WeekFaceTest, AFileThatGoesOnChangingIsNotReplacedUntilItSettles) {
    const fs::path file = environment.Documents() / "Calendar.tpc";
    TestEnvironment::WriteFile(file, "0\tMine\nEvents Data:\n");
    application.LoadUserEvents();
    CalendarWindow& window = Window();
    std::atomic<bool> stop = false;
    std::atomic<int> appended = 0;
    // Never still for long, even on a busy machine: a pause as long as the save's look apart
    // would settle the file.
    std::thread appending([&] {
        for (int line = 0; !stop; ++line) {
            std::ofstream(file, std::ios::app) << "2026-03-05 09:00:00|" << line << "\n";
            ++appended;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    // The other program is writing before the save looks, however late its thread starts.
    while (appended == 0)
        std::this_thread::yield();
    window.TodoList->AddRow();
    window.TodoList_Change();
    FinishSaving(window);
    stop = true;
    appending.join();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Another program was still changing it."), std::string::npos);
    const std::string theirs = EventFile();
    EXPECT_TRUE(theirs.starts_with("0\tMine\nEvents Data:\n2026-03-05 09:00:00|0\n"))
        << theirs.substr(0, 120);
    ASSERT_TRUE(window.SaveRetryTimer && window.SaveRetryTimer->Mode() == Timer::ModeSingle);
    window.SaveRetryTimer_Action();
    FinishSaving(window);
    EXPECT_EQ(EventFile(), "0\tMine\n0\t\nEvents Data:\n");
    EXPECT_EQ(TestEnvironment::ReadFile(environment.Documents() /
                                        "Calendar (changed outside the calendar 2026-03-03 "
                                        "12.00.00).tpc"),
              theirs);
}

// A full disk where files have one name: another program's version that cannot be kept beside the
// file is not replaced,
// also when it came while the calendar's text was written, and a copy of it is not left when the
// calendar's own text does not fit after it. The write fails and is told, and no try leaves a
// copy or a piece of one.
TEST_F(WeekFaceTest, OnAFullDiskAnotherProgramsVersionStaysAsItWasAndNoCopyIsLeft) {
    const fs::path documents = environment.Documents(), file = documents / "Calendar.tpc";
    const std::string small = "0\tTheirs\nEvents Data:\n";
    const std::string large = "0\t" + std::string(64 * 1024, 't') + "\nEvents Data:\n";
    const struct {
        const char* name;
        const std::string& theirs;
        int events; // a few thousand make the calendar's own text too large
        bool duringTheWrite;
    } cases[] = {
        {"their version does not fit beside it", large, 1, false},
        {"the calendar's text does not fit after the copy", small, 3000, false},
        {"their version, come while the text was written, does not fit", large, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromEventFile("Events Data:\n");
        for (int i = 0; i < c.events; ++i)
            AddEntry(Date(2026, 1, 1 + i).SQLDateTime(), "2027-01-01 00:00:00", "Event");
        TestEnvironment::WriteFile(documents / "theirs", c.theirs);
        const auto replace = [&] { fs::rename(documents / "theirs", file); };
        // Kept by a second name, a version needs no room: here only a copy of its bytes would do.
        TestSeams::FailFileCalls(TestSeams::FileCall::LinkFile, 1000, EPERM);
        c.duringTheWrite
            ? TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::BeforeTheLateLook, replace)
            : replace();
        const size_t told = Messages().size();
        {
            const FileSizeLimit fullDisk(32 * 1024);
            Window().SaveEvents();
            Window().SaveEvents();
        }
        EXPECT_EQ(EventFile(), c.theirs);
        for (const auto& entry : fs::directory_iterator(documents))
            EXPECT_EQ(entry.path().filename(), "Calendar.tpc");
        ASSERT_EQ(Messages().size(), told + 2);
        EXPECT_NE(Messages().back().find("could not be saved"), std::string::npos);
        Window().Close();
    }
}

// The next start settles the files that saves of the last runs parked by the one rule, those its
// note names as they were seen and those none does (a kill while the calendar watched them): with
// nothing of its own and nobody left to write it, one goes unsaid; one held open for writing, or
// where a writer elsewhere cannot be seen, stays and is watched; text of its own is named and told
// as written after the save, and a naming that fails leaves it for the next look.
TEST_F(WeekFaceTest, TheNextStartSettlesEveryParkedFileByOneRule) {
    using TestSeams::FileCall;
    const fs::path documents = environment.Documents();
    const fs::path parked = documents / ".Calendar.tpc.ombrelline-parked-a1B2c3";
    const std::string mine = "0\tMine\nEvents Data:\n", same = "0\tOurs\nEvents Data:\n";
    const std::string earlier = "0\tEarlier\nEvents Data:\n";
    const struct {
        const char* name;
        std::string text;
        bool noted = false;              // in the note as seen, with the text it held then
        bool notedEmptyFirst = false;    // and before that as an empty file, in an earlier line
        bool heldOpen = false;           // by a writer that has not let go of it
        std::optional<FileCall> fails{}; // TakeLease: a file system without leases
        std::string then{};              // written after it was noted
        bool moved = false;              // its change time alone moved after it was noted
        bool stays = false, named = false;
    } cases[] = {
        {.name = "empty, nobody writing it, unnoted", .text = ""},
        {.name = "the calendar's text, unnoted", .text = mine},
        {.name = "empty, held open, unnoted", .text = "", .heldOpen = true, .stays = true},
        {.name = "noted as seen, held open",
         .text = "",
         .noted = true,
         .heldOpen = true,
         .stays = true},
        {.name = "noted as seen, without leases",
         .text = "",
         .noted = true,
         .fails = FileCall::TakeLease,
         .stays = true},
        {.name = "noted, rewritten in place to the same size",
         .text = mine,
         .noted = true,
         .then = same,
         .named = true},
        {.name = "text of its own, unnoted", .text = same, .named = true},
        {.name = "noted as seen, written since, its naming failing",
         .text = "",
         .noted = true,
         .fails = FileCall::RenameWithoutReplacing,
         .then = same,
         .stays = true},
        {.name = "an earlier text of the calendar's, noted with it, its change time moved since",
         .text = earlier,
         .noted = true,
         .moved = true},
        {.name = "an earlier text of the calendar's, noted empty first and then with it",
         .text = earlier,
         .noted = true,
         .notedEmptyFirst = true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromEventFile(mine);
        fs::remove(environment.Config() / "QVCalendar.rescued");
        application.eventFileMutex = MakeEventFileMutex();
        ASSERT_TRUE(application.eventFileMutex->TryEnter());
        if (c.notedEmptyFirst) {
            TestEnvironment::WriteFile(parked, "");
            RescueNote::KeepParked({parked, *FileIdentity::At(parked), ContentHash::Of({})});
        }
        TestEnvironment::WriteFile(parked, c.text);
        std::ofstream holder;
        if (c.heldOpen) holder.open(parked, std::ios::app);
        if (c.noted)
            RescueNote::KeepParked({parked, *FileIdentity::At(parked),
                                    ContentHash::Of(TestEnvironment::ReadFile(parked))});
        if (c.moved) {
            WaitForTheChangeTimeToMove(parked);
            fs::permissions(parked, fs::perms::owner_read | fs::perms::owner_write);
        }
        if (!c.then.empty()) {
            WaitForTheChangeTimeToMove(parked);
            std::fstream(parked, std::ios::in | std::ios::out | std::ios::trunc) << c.then;
        }
        TestSeams::FailFileCalls(FileCall::TakeLease, 0);
        if (c.fails)
            TestSeams::FailFileCalls(*c.fails, 1000, c.fails == FileCall::TakeLease ? EINVAL : EIO);
        std::vector<OutsideChanges::ParkedVersion> watched;
        const size_t told = Messages().size();
        RescueNote::TellOnce([&](const auto& files) { watched = files; });
        EXPECT_EQ(fs::exists(parked), c.stays);
        EXPECT_EQ(watched.size(), c.stays ? 1u : 0u);
        ASSERT_EQ(Messages().size(), told + c.named);
        if (c.fails == FileCall::RenameWithoutReplacing) TestSeams::FailFileCalls(*c.fails, 0);
        // A start after a kill finds it again; one that could not be named is named then.
        RescueNote::TellOnce();
        EXPECT_EQ(fs::exists(parked), c.stays && c.then.empty());
        EXPECT_EQ(Messages().size(), told + (c.named || !c.then.empty()));
        // Watched: where a writer elsewhere cannot be seen, a minute as it was settles it; a
        // writer that holds it open here keeps it however long.
        Window().WatchParked(watched);
        for (const int seconds : {59, 2}) {
            EXPECT_EQ(fs::exists(parked), c.stays && c.then.empty());
            TestSeams::MoveClockOn(std::chrono::seconds(seconds));
            Window().ParkedWatchTimer_Action();
        }
        EXPECT_EQ(fs::exists(parked), c.heldOpen);
        Window().Close();
        application.eventFileMutex.reset();
    }
}

// Where a writer elsewhere cannot be seen, the minute a parked file must stay as it was counts from
// its last change: a file written with the calendar's own text (nothing to name) during the minute
// may still be written on.
TEST_F(WeekFaceTest, AParkedFileChangedWithinTheMinuteIsWatchedAMinuteFromItsChange) {
    const std::string mine = "0\tMine\nEvents Data:\n";
    const fs::path parked = environment.Documents() / ".Calendar.tpc.ombrelline-parked-d4E5f6";
    StartFromEventFile(mine);
    TestEnvironment::WriteFile(parked, "");
    TestSeams::FailFileCalls(TestSeams::FileCall::TakeLease, 1000, EINVAL);
    Window().WatchParked({{parked, *FileIdentity::At(parked), {}}});
    for (const auto& [seconds, write, stays] :
         {std::tuple{30, true, true}, {40, false, true}, {21, false, false}}) {
        TestSeams::MoveClockOn(std::chrono::seconds(seconds));
        if (write) TestEnvironment::WriteFile(parked, mine);
        Window().ParkedWatchTimer_Action();
        EXPECT_EQ(fs::exists(parked), stays) << seconds;
    }
    TestSeams::FailFileCalls(TestSeams::FileCall::TakeLease, 0);
    Window().Close();
}
