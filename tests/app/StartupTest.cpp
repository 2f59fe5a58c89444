#include "AppTestSupport.h"

#include "customisation/CustomisationText.h"

#include "app/Menu.h"
#include "app/Startup.h"
#include "mainwindow/eventfile/OutsideChanges.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/FolderItem.h"
#include "platform/Mutex.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"
#include "support/SmallHomeDisk.h"
#include "support/Waiting.h"
#include "windows/PreferencesWindow.h"

#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>

namespace {

class StartupTest : public AppTest {
  protected:
    StartupTest() { environment.InstallEdition(); }

    std::filesystem::path RescueNote() const { return environment.Config() / "QVCalendar.rescued"; }
    // The messages of a start that a logout ends once the work after its first frame is done.
    std::vector<std::string> MessagesOfAStart();

    bool LockIsFree() const {
        Mutex probe(AppText::kMutexName);
        return probe.TryEnter();
    }

    // What can stand in the event file's place that the calendar neither reads nor replaces,
    // and the sentence a message names it with.
    using Place = std::tuple<std::string, std::function<void()>, std::string>;
    // A link to a device node of the test's own, beside the file (the null device's numbers), as
    // root; otherwise to a pipe, which no write replaces either. Never a device of the machine:
    // a fault that wrote through the link would replace it.
    static Place LinkToADevice(const std::filesystem::path& file) {
        const auto node = file.parent_path() / "device";
        const bool root = ::geteuid() == 0;
        return {root ? "a link to a device" : "a link to a pipe",
                [=] {
                    std::filesystem::remove(node);
                    root ? ::mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 3))
                         : ::mkfifo(node.c_str(), 0600);
                    std::filesystem::create_symlink(node, file);
                },
                root ? "There is a device in its place." : "There is a pipe in its place."};
    }
    std::vector<Place> NoFilePlaces() const {
        namespace fs = std::filesystem;
        const auto file = EventFile(), loop = file.parent_path() / "loop.tpc";
        return {
            {"a folder", [=] { fs::create_directories(file); }, "There is a folder in its place."},
            {"a pipe", [=] { mkfifo(file.c_str(), 0600); }, "There is a pipe in its place."},
            LinkToADevice(file),
            {"a loop of links",
             [=] {
                 fs::remove(loop);
                 fs::create_symlink(loop, file);
                 fs::create_symlink(file, loop);
             },
             "Too many levels of symbolic links."}};
    }
};

// Whether the running program shows its calendar: start-up is over.
bool CalendarShown() {
    const Application* running = Application::Instance();
    if (!running) return false;
    for (Window* window : running->Windows())
        if (dynamic_cast<CalendarWindow*>(window) && window->Visible()) return true;
    return false;
}

std::vector<std::string> StartupTest::MessagesOfAStart() {
    application = std::make_unique<app>();
    const size_t before = Messages().size();
    WhenTrue(CalendarShown,
             [] { CalendarWindow::Instance().AfterFirstFrame([] { std::raise(SIGTERM); }); });
    EXPECT_EQ(Run(), 0);
    const std::vector<std::string> shown = Messages();
    return {shown.begin() + static_cast<std::ptrdiff_t>(before), shown.end()};
}

} // namespace

TEST_F(StartupTest, OpenLoadsEverythingAndShowsTheCalendar) {
    const Date now(2026, 12, 6, 21, 0, 0);
    Date::FixClock(now.TotalSeconds());
    TestEnvironment::WriteFile(EventFile(),
                               "Events Data:\n"
                               "2025-12-25 00:00:00|2025-12-25 00:00:00//Mine\n"
                               "2026-02-01 00:00:00|2026-02-01 00:00:00//Go//Countdown\n");
    bool shown = false;
    WhenTrue(CalendarShown, [&] {
        shown = CalendarShown();
        std::raise(SIGTERM);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(application->firstRun);
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Value("2025-12-25 00:00:00"), "2025-12-25 00:00:00//Mine");
    EXPECT_EQ(store.Value("2027-12-25 00:00:00"), "2027-12-25 00:00:00//Christmas");
    // The three dates are separate: the countdown moved, the others stayed at now.
    EXPECT_EQ(application->countdownDate.SQLDateTime(), "2026-02-01 00:00:00");
    EXPECT_TRUE(application->currentDate == now && application->selectedDate == now);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

// A first run's preferences are written once the first frame is up, before any quit.
TEST_F(StartupTest, AFirstRunWritesThePreferencesAfterTheFirstFrame) {
    bool writtenBeforeTheFrame = true, writtenAfter = false;
    TestSeams::WhenFirstPainted([&] {
        writtenBeforeTheFrame = std::filesystem::exists(PrefsFile());
        // The work that waits for the first frame is queued at once.
        WhenTrue([&] { return std::filesystem::exists(PrefsFile()); },
                 [&] {
                     writtenAfter = std::filesystem::exists(PrefsFile());
                     std::raise(SIGTERM);
                 });
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(application->firstRun);
    EXPECT_FALSE(writtenBeforeTheFrame);
    EXPECT_TRUE(writtenAfter);
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "0;0;1;0;");
}

TEST_F(StartupTest, QuittingThroughSIGTERMSavesAndReleasesTheLock) {
    TestEnvironment::WriteFile(PrefsFile(), "1;250;0;1;");
    WhenTrue(CalendarShown, [&] {
        application->tabLeft = 321; // moved during the run: what the file keeps
        std::raise(SIGTERM);
    });
    ASSERT_EQ(Run(), 0);
    EXPECT_TRUE(application->closing);
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "1;321;0;1;");
    EXPECT_TRUE(LockIsFree());
}

TEST_F(StartupTest, ASecondInstanceSaysSoAndLeavesTheFirstAlone) {
    Mutex running(AppText::kMutexName);
    ASSERT_TRUE(running.TryEnter());
    // The second copy comes from another session, with a run-time folder of its own.
    setenv("XDG_RUNTIME_DIR", (environment.Home() / "other session").c_str(), 1);
    TestEnvironment::WriteFile(PrefsFile(), "1;250;0;1;");

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{AppText::kAlreadyRunning});
    EXPECT_TRUE(application->closing && application->Windows().empty());
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "1;250;0;1;");
    EXPECT_FALSE(LockIsFree()) << "the first copy still holds the lock";
}

// Copies that share the event file meet the lock beside it, whatever their configuration
// folders: the second is refused as any second copy is, and the first's files stay as they were.
TEST_F(StartupTest, ACopyWithAnotherConfigurationFolderIsRefusedByTheLockBesideTheEventFile) {
    const std::filesystem::path shared = environment.Home() / "shared";
    const struct {
        const char* name;
        std::filesystem::path heldIn; // where the first copy holds the lock beside the file
        std::string lockName;
    } cases[] = {
        {"the same file", environment.Documents(), ".Calendar.tpc"},
        {"a link to the first copy's file", shared, ".calendar.tpc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t before = Messages().size();
        std::filesystem::remove_all(environment.Documents());
        TestEnvironment::WriteFile(shared / "calendar.tpc", "0\tFirst's\nEvents Data:\n");
        if (c.heldIn == shared) {
            std::filesystem::create_directories(environment.Documents());
            std::filesystem::create_symlink(shared / "calendar.tpc", EventFile());
        } else {
            TestEnvironment::WriteFile(EventFile(), "0\tFirst's\nEvents Data:\n");
        }
        Mutex first(c.lockName, c.heldIn);
        ASSERT_TRUE(first.TryEnter());
        setenv("XDG_CONFIG_HOME", (environment.Home() / "other config").c_str(), 1);
        application = std::make_unique<app>();
        EXPECT_EQ(Run(), 0);
        EXPECT_EQ(Messages().size(), before + 1);
        EXPECT_EQ(Messages().back(), AppText::kAlreadyRunning);
        EXPECT_TRUE(application->closing && application->Windows().empty());
        EXPECT_EQ(TestEnvironment::ReadFile(EventFile()), "0\tFirst's\nEvents Data:\n");
        EXPECT_FALSE(
            std::filesystem::exists(environment.Home() / "other config" / "QVCalendar.prefs"));
        EXPECT_TRUE(LockIsFree()) << "the refused copy let its own lock go";
    }
}

// A lock that cannot be made says nothing of another copy: the calendar starts without it, and
// makes no folder for it outside Documents. The quit, with nothing the user made unsaved, writes
// no rescue file of built-in holidays and tells nothing.
TEST_F(StartupTest, WithoutAUsableConfigurationFolderTheCalendarStartsWithoutTheLock) {
    TestEnvironment::WriteFile(environment.Home() / "a file", "");
    // A file where the folder should be: no folder, and so no lock, can be made there.
    const struct {
        const char* name;
        std::function<void()> spoil;
        const char* logged;
    } cases[] = {
        {"the configuration folder",
         [&] { setenv("XDG_CONFIG_HOME", (environment.Home() / "a file" / "config").c_str(), 1); },
         "without the single-instance lock"},
        {"the Documents folder",
         [&] {
             setenv("XDG_CONFIG_HOME", environment.Config().c_str(), 1);
             TestEnvironment::WriteFile(environment.Config() / "user-dirs.dirs",
                                        "XDG_DOCUMENTS_DIR=\"" + environment.Home().string() +
                                            "/a file/documents\"\n");
         },
         "without the lock beside the event file"},
        {"a link into a folder not there",
         [&] {
             std::filesystem::remove(environment.Config() / "user-dirs.dirs");
             std::filesystem::remove(EventFile()); // the first quit wrote it
             std::filesystem::create_symlink("../Sync/Calendar.tpc", EventFile());
         },
         "without the lock beside the event file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.spoil();
        application = std::make_unique<app>();
        bool shown = false;
        WhenTrue(CalendarShown, [&] {
            shown = !application->Windows().empty();
            std::raise(SIGTERM);
        });
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), 0);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(shown && TestSeams::Dialogs().empty());
        EXPECT_NE(log.find(c.logged), std::string::npos) << log;
        EXPECT_EQ(log.find("could not be saved"), std::string::npos) << log;
        EXPECT_FALSE(std::filesystem::exists(environment.Home() / "Sync"));
    }
}

// A logout while start-up shows one of its messages: the quit runs once, start-up stops there
// and nothing opens after it.
struct QuitAtMessage {
    const char* name;
    enum { Edition, NoPictures, PipedPictures, NoCalendarFile } edition;
    std::string extraKeys; // of the calendar file
    std::string eventFile; // empty for none; a bad line would show a second message
    std::string message;
};

void PrintTo(const QuitAtMessage& c, std::ostream* out) {
    *out << c.name;
}

class StartupQuitTest : public StartupTest, public testing::WithParamInterface<QuitAtMessage> {};

TEST_P(StartupQuitTest, SIGTERMDuringAMessageEndsCleanly) {
    const QuitAtMessage& c = GetParam();
    const auto folder = environment.AppFolder() / "Simple";
    environment.InstallEdition("Simple", c.extraKeys);
    if (c.edition == QuitAtMessage::NoPictures)
        for (const char* picture : {"wide.png", "standard.png"})
            std::filesystem::remove(folder / picture);
    if (c.edition == QuitAtMessage::NoCalendarFile) std::filesystem::remove_all(folder);
    if (c.edition == QuitAtMessage::PipedPictures)
        for (const char* picture : {"wide.png", "standard.png"}) {
            std::filesystem::remove(folder / picture);
            ASSERT_EQ(mkfifo((folder / picture).c_str(), 0600), 0);
        }
    if (!c.eventFile.empty()) TestEnvironment::WriteFile(EventFile(), c.eventFile);
    Date::FixClock(Date(2026, 7, 1, 12, 0, 0).TotalSeconds());
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord&) {
        std::raise(SIGTERM);
        DoEvents();
        return 0;
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
    EXPECT_TRUE(application->closing && application->Windows().empty());
    EXPECT_FALSE(application->CalendarWindowOpen);
    EXPECT_EQ(TestEnvironment::ReadFile(PrefsFile()), "0;0;1;0;");
    EXPECT_TRUE(LockIsFree());
    // The next start, its calendar whole again, tells where the lines that message named went;
    // lines the quit came before are read, and told, afresh. The start after says nothing.
    std::filesystem::remove_all(folder);
    environment.InstallEdition("Simple");
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord&) { return 0; });
    std::vector<std::string> next;
    if (c.message == AppText::kEventDatabaseProblem)
        next = {"When Ombrelline Calendar last started, it could not read some lines of your event "
                "file and moved them to " +
                EventFile().string() + ".skipped."};
    else if (!c.eventFile.empty())
        next = {AppText::kEventDatabaseProblem};
    EXPECT_EQ(MessagesOfAStart(), next);
    EXPECT_EQ(MessagesOfAStart(), std::vector<std::string>{});
}

const char* kBadEventFile = "Events Data:\ngarbage|x\n";
const char* kSeasons = "cycleImages=True\nimageCycle=Seasonal\n";

INSTANTIATE_TEST_SUITE_P(
    Messages, StartupQuitTest,
    testing::Values(QuitAtMessage{"EventFileProblem", QuitAtMessage::Edition, "", kBadEventFile,
                                  AppText::kEventDatabaseProblem},
                    QuitAtMessage{"MissingSeasonPicture", QuitAtMessage::Edition, kSeasons,
                                  kBadEventFile, CustomisationText::kCyclePictureMissing},
                    QuitAtMessage{"NoPictureAtAll", QuitAtMessage::NoPictures, kSeasons, "",
                                  CustomisationText::kCyclePictureMissing},
                    QuitAtMessage{"BackgroundIsAPipe", QuitAtMessage::PipedPictures, "", "",
                                  CustomisationText::kNoBackground},
                    QuitAtMessage{"NoCalendarFile", QuitAtMessage::NoCalendarFile, "", "",
                                  CustomisationText::kNoSpecificationFile}),
    [](const testing::TestParamInfo<QuitAtMessage>& info) { return info.param.name; });

// Something other than a file in the event file's place (a pipe would keep a reader waiting for
// good) is told once, on screen and on standard error, and the calendar starts; with nothing
// changed, its quit says nothing more.
TEST_F(StartupTest, NoRegularFileInTheEventFilesPlaceIsToldOnceAndTheCalendarStarts) {
    for (const auto& [name, make, reason] : NoFilePlaces()) {
        SCOPED_TRACE(name);
        const size_t before = Messages().size();
        make();
        application = std::make_unique<app>();
        WhenTrue(CalendarShown, [&] {
            EXPECT_TRUE(application->CalendarWindowOpen);
            application->Quit(0);
        });
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), 0);
        const std::string log = testing::internal::GetCapturedStderr();
        std::vector<std::string> shown = Messages();
        shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(before));
        EXPECT_EQ(shown, std::vector<std::string>{AppText::kEventDatabaseProblem + (" " + reason)});
        const auto logged = log.find("calendar: ");
        EXPECT_EQ(log.substr(logged, log.find('\n', logged) - logged),
                  "calendar: no events were read: this is not a regular file: " +
                      EventFile().string());
        EXPECT_EQ(log.find("calendar: ", logged + 1), std::string::npos) << log;
        EXPECT_TRUE(LockIsFree());
        // No write replaces what stands there, wherever a link leads: the lock stays beside it.
        const auto lock = environment.Documents() / ".Calendar.tpc.lock";
        EXPECT_TRUE(std::filesystem::exists(lock));
        std::filesystem::remove_all(EventFile());
        std::filesystem::remove(lock);
    }
}

// A change the quit cannot write is left in a new file of the event file's layout, named for the
// moment, in the configuration folder (else beside the event file), never over an earlier one.
// SIGTERM (a logout) asks nobody and says where on standard error; Ctrl+Q says so in its message.
TEST_F(StartupTest, AQuitThatCannotSaveLeavesTheChangeInARescueFile) {
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    const auto readOnly = [&] {
        TestEnvironment::WriteFile(EventFile(), "Events Data:\n");
        std::filesystem::permissions(EventFile(), std::filesystem::perms::owner_read);
    };
    auto places = NoFilePlaces();
    const char* readOnlyFile = "The file is read-only.";
    places.insert(places.begin(), {{"a read-only file, Ctrl+Q", readOnly, readOnlyFile},
                                   {"a read-only file", readOnly, readOnlyFile}});
    // Something else put in the file's place by another program after the calendar saved:
    // the events and to-do items live only in memory now.
    for (const auto& [name, make, reason] : NoFilePlaces())
        if (name != "a loop of links") places.emplace_back("after a save, " + name, make, reason);
    std::get<0>(places.back()) += ", Ctrl+Q";
    places.emplace_back(
        "a read-only file, no configuration folder",
        [&] {
            readOnly();
            setenv("XDG_CONFIG_HOME", (EventFile() / "config").c_str(), 1);
        },
        readOnlyFile);
    for (const auto& [name, make, reason] : places) {
        SCOPED_TRACE(name);
        const bool afterASave = name.starts_with("after a save");
        afterASave ? TestEnvironment::WriteFile(EventFile(), "0\tMine\nEvents Data:\n") : make();
        const bool byKey = name.ends_with("Ctrl+Q"), inConfig = name != std::get<0>(places.back());
        application = std::make_unique<app>();
        application->SetMenuBar(&Menu::Instance());
        ApplicationAddMenuHandlers();
        size_t told = 0;
        WhenTrue(CalendarShown, [&] {
            told = Messages().size();
            application->eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//Rescued");
            if (afterASave) {
                CalendarWindow::Instance().SaveEvents();
                std::filesystem::remove(EventFile());
                make();
            }
            byKey ? Simulate::Key(CalendarWindow::Instance(), "Ctrl+Q") : (void)std::raise(SIGTERM);
        });
        const auto folder = inConfig ? environment.Config() : environment.Documents();
        const auto earlier = TestEnvironment::Rescues(folder);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), 0);
        const std::string log = testing::internal::GetCapturedStderr();
        auto rescues = TestEnvironment::Rescues(folder);
        std::erase_if(rescues, [&](const auto& path) { return std::ranges::count(earlier, path); });
        ASSERT_EQ(rescues.size(), 1u) << "never over an earlier one";
        const auto rescue = rescues[0];
        const std::string kept = TestEnvironment::ReadFile(rescue);
        EXPECT_TRUE(kept.starts_with(afterASave ? "0\tMine\nEvents Data:\n" : "Events Data:\n"))
            << kept.substr(0, 80);
        EXPECT_NE(kept.find("\n2026-03-05 09:00:00|2026-03-05 10:00:00//Rescued\n"),
                  std::string::npos);
        EXPECT_NE(log.find("calendar: what could not be saved was written to: " + rescue.string()),
                  std::string::npos)
            << log;
        std::vector<std::string> shown = Messages();
        shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(told));
        // Only a file that stands there was left as it was.
        const std::string message =
            "Your events and to-do items could not be saved in " + EventFile().string() + "." +
            (reason == readOnlyFile ? " The file there was left as it was. " : " ") + reason +
            " A copy of them was written to " + rescue.string() + ".";
        EXPECT_EQ(shown, byKey ? std::vector<std::string>{message} : std::vector<std::string>{});
        EXPECT_TRUE(byKey || log.find("not shown: " + message + "\n") != std::string::npos) << log;
        // Only what standard error told is noted for the next start, which is tested on its own.
        EXPECT_EQ(std::filesystem::remove(RescueNote()), !byKey && inConfig);
        std::filesystem::remove_all(EventFile());
        setenv("XDG_CONFIG_HOME", environment.Config().c_str(), 1);
    }
}

// A quit while another program appends to the event file every 50 ms (a sync client): what is
// unsaved is in a rescue file before the quit waits for the file, with the event loop running. A
// write there once the file settles removes the rescue; a file that never settles keeps it, told
// as any rescue. A logout's signal, or the X server's end during Ctrl+Q's wait, leaves nobody to
// wait for: the calendar ends, the rescue noted, before the other program stops two seconds later
// (half the wait's bound), when a calendar that still waited would write and remove the rescue.
TEST_F(StartupTest, AQuitWhileAnotherProgramWritesTheFileRescuesFirst) {
    namespace fs = std::filesystem;
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    const auto rescued = [&] { return TestEnvironment::Rescues(environment.Config()); };
    const std::string added = "2026-03-05 09:00:00|2026-03-05 10:00:00//Added";
    for (const auto& [name, settles, byKey, displayEnds] :
         {std::tuple{"the other program stops at the rescue; Ctrl+Q", true, true, false},
          {"it goes on; SIGTERM", false, false, false},
          {"it goes on; Ctrl+Q, then the X server's end", false, true, true}}) {
        SCOPED_TRACE(name);
        TestEnvironment::WriteFile(EventFile(), "0\tMine\nEvents Data:\n");
        application = std::make_unique<app>();
        application->SetMenuBar(&Menu::Instance());
        ApplicationAddMenuHandlers();
        using Clock = std::chrono::steady_clock;
        std::atomic<bool> stop = false;
        std::atomic<Clock::time_point> stopAt = Clock::time_point::max();
        const auto nobodyThere = [&] { stopAt = Clock::now() + OutsideChanges::kLongestWait / 2; };
        std::thread appender;
        QTimer tick;
        int ticks = 0;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            ++ticks;
            if (!displayEnds || rescued().empty() || App().DisplayGone()) return;
            nobodyThere();
            App().EndWithoutDisplay();
        });
        WhenTrue(CalendarShown, [&] {
            App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//Added");
            const auto size = fs::file_size(EventFile());
            appender = std::thread([&] {
                for (int line = 0;
                     !stop && !(settles && !rescued().empty()) && Clock::now() < stopAt.load();
                     ++line) {
                    std::ofstream(EventFile(), std::ios::app)
                        << "2030-06-01 12:00:00|2030-06-01 12:30:00//Appended " << line << "\n";
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            });
            ASSERT_TRUE(WaitUntil([&] { return fs::file_size(EventFile()) > size; }));
            tick.start(100);
            if (!byKey) nobodyThere();
            byKey ? Simulate::Key(CalendarWindow::Instance(), "Ctrl+Q") : (void)std::raise(SIGTERM);
        });
        testing::internal::CaptureStderr();
        EXPECT_EQ(Run(), displayEnds ? 1 : 0);
        stop = true;
        appender.join();
        const std::string log = testing::internal::GetCapturedStderr();
        if (settles) {
            EXPECT_TRUE(rescued().empty()) << log;
            EXPECT_NE(log.find("what could not be saved was written to: " +
                               (environment.Config() / "Calendar rescued ").string()),
                      std::string::npos)
                << log;
            EXPECT_NE(TestEnvironment::ReadFile(EventFile()).find("\n" + added + "\n"),
                      std::string::npos);
        } else {
            ASSERT_EQ(rescued().size(), 1u) << log;
            const fs::path rescue = rescued()[0];
            EXPECT_NE(TestEnvironment::ReadFile(rescue).find("\n" + added + "\n"),
                      std::string::npos)
                << log;
            EXPECT_NE(log.find("Another program was still changing it. A copy of them was "
                               "written to " +
                               rescue.string() + "."),
                      std::string::npos)
                << log;
            EXPECT_EQ(TestEnvironment::ReadFile(RescueNote()), rescue.string() + "\n");
            EXPECT_GE(ticks, displayEnds) << "the event loop ran while the quit waited";
            fs::remove(rescue);
        }
        fs::remove(RescueNote());
    }
}

// Every road to the program's end writes what is unsaved: the event file being read-only, or the
// home's disk full, into a rescue file that holds the to-do items and the unsaved event. Nothing
// unsaved makes none. The next start tells where it is, once, unless an answered message did.
struct EndRoad {
    const char* name;
    enum { CtrlQ, Signal, EditionGone, PictureGone, StartUpMessage, EditionGoneAtStart } end;
    // The event line the rescue file holds: an event added once the calendar shows, or at a
    // start-up message, the file's own, its folder taken away. None when nothing is unsaved.
    const char* unsaved;
    // Documents and the configuration folder on one disk, full once the calendar shows: the
    // rescue goes to the temporary folder a restart keeps.
    bool homeFull = false;
    // What ends the quit's message: an answer, a logout's signal, the X server's end or a kill,
    // which leaves the files as they were at the message.
    enum { Answered, Signalled, DisplayEnds, Killed } atMessage = Answered;
};

void PrintTo(const EndRoad& c, std::ostream* out) {
    *out << c.name;
}

class StartupEndTest : public StartupTest, public testing::WithParamInterface<EndRoad> {};

TEST_P(StartupEndTest, WhatIsUnsavedIsRescued) {
    namespace fs = std::filesystem;
    const EndRoad& c = GetParam();
    const fs::path editions = environment.AppFolder();
    environment.InstallEdition("Other", c.end == EndRoad::PictureGone ? kSeasons : "");
    environment.InstallEdition("Simple"); // in use
    for (const char* picture : {"wide.png", "standard.png"})
        if (c.end == EndRoad::EditionGoneAtStart) fs::remove(editions / "Simple" / picture);
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    std::optional<SmallHomeDisk> disk;
    if (c.homeFull && !disk.emplace(environment).Mounted())
        GTEST_SKIP() << "mounting a small disk of the test's own needs root";
    const std::string todo = "0\tFirst\n1\tSecond\nEvents Data:\n";
    TestEnvironment::WriteFile(EventFile(),
                               todo + "2026-03-04 09:00:00|2026-03-04 10:00:00//Mine\n" +
                                   (c.end == EndRoad::StartUpMessage ? "garbage\n" : ""));
    if (!disk) fs::permissions(EventFile(), fs::perms::owner_read);
    application->SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    const fs::path killed = environment.Home() / "at-the-kill";
    TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
        if (c.atMessage == EndRoad::Signalled) {
            std::raise(SIGTERM);
            DoEvents();
        }
        if (c.atMessage == EndRoad::DisplayEnds) App().EndWithoutDisplay();
        if (c.atMessage == EndRoad::Killed)
            fs::copy(environment.LastingTemporary(), killed, fs::copy_options::recursive);
        if (c.end != EndRoad::StartUpMessage) return 0;
        if (c.unsaved) {
            fs::rename(environment.Documents(), environment.Home() / "aside");
            TestEnvironment::WriteFile(environment.Documents(), "");
        }
        std::raise(SIGTERM);
        DoEvents();
        return 0;
    });
    if (c.end < EndRoad::StartUpMessage)
        WhenTrue(CalendarShown, [&] {
            if (disk) disk->Fill();
            if (c.unsaved)
                App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//Added");
            if (c.end == EndRoad::CtrlQ) Simulate::Key(CalendarWindow::Instance(), "Ctrl+Q");
            if (c.end == EndRoad::Signal) std::raise(SIGTERM);
            if (c.end != EndRoad::EditionGone && c.end != EndRoad::PictureGone) return;
            TestSeams::WhenModal([&](Window& shown) {
                auto& preferences = dynamic_cast<PreferencesWindow&>(shown);
                Simulate::Choose(*preferences.DefaultCalendarPopup, 0); // Other
                if (c.end == EndRoad::EditionGone)
                    for (const char* edition : {"Other", "Simple"})
                        fs::remove(editions / edition / "calspc.dat");
                preferences.OKButton->Push();
            });
            App().DoMenuCommand("ApplePreferences");
        });
    EXPECT_EQ(Run(), c.atMessage == EndRoad::DisplayEnds ? 1 : 0);
    const auto rescues =
        TestEnvironment::Rescues(disk ? environment.LastingTemporary() : environment.Config());
    ASSERT_EQ(rescues.size(), c.unsaved ? 1u : 0u);
    if (!c.unsaved) return;
    const std::string kept = TestEnvironment::ReadFile(rescues[0]);
    EXPECT_TRUE(kept.starts_with(todo)) << kept.substr(0, 80);
    EXPECT_NE(kept.find("\n" + std::string(c.unsaved) + "\n"), std::string::npos);
    if (fs::exists(killed)) {
        fs::remove_all(environment.LastingTemporary());
        fs::rename(killed, environment.LastingTemporary());
    }
    // The next start, with room again and the calendar chosen before, tells what the end told on
    // standard error alone.
    if (disk) disk->Free();
    environment.InstallEdition("Simple");
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord&) { return 0; });
    const bool owed = c.end == EndRoad::Signal || c.end == EndRoad::StartUpMessage ||
                      c.atMessage != EndRoad::Answered;
    const std::string told = "Ombrelline Calendar could not save your events and to-do items when "
                             "it last ended. They were written to " +
                             rescues[0].string() + ".";
    for (const bool next : {true, false}) {
        const std::vector<std::string> shown = MessagesOfAStart();
        EXPECT_EQ(std::ranges::count(shown, told), next && owed) << (next ? "next" : "third");
    }
}

const char* kAdded = "2026-03-05 09:00:00|2026-03-05 10:00:00//Added";

INSTANTIATE_TEST_SUITE_P(
    Roads, StartupEndTest,
    testing::Values(
        EndRoad{"CtrlQ", EndRoad::CtrlQ, kAdded}, EndRoad{"SIGTERM", EndRoad::Signal, kAdded},
        EndRoad{"AnEditionThatCannotLoadAfterAChangeOfCalendar", EndRoad::EditionGone, kAdded},
        EndRoad{"APictureThatCannotLoadAfterAChangeOfCalendar", EndRoad::PictureGone, kAdded},
        EndRoad{"AStartUpMessageWhileTheFilesFolderIsAway", EndRoad::StartUpMessage,
                "2026-03-04 09:00:00|2026-03-04 10:00:00//Mine"},
        EndRoad{"NothingChangedThenCtrlQ", EndRoad::CtrlQ, nullptr},
        EndRoad{"AStartUpMessage", EndRoad::StartUpMessage, nullptr},
        EndRoad{"AnEditionThatCannotLoadBeforeTheEvents", EndRoad::EditionGoneAtStart, nullptr},
        EndRoad{"AFullHomeThenCtrlQ", EndRoad::CtrlQ, kAdded, true},
        EndRoad{"AFullHomeThenSIGTERM", EndRoad::Signal, kAdded, true},
        EndRoad{"AFullHomeThenCtrlQAndSIGTERMAtItsMessage", EndRoad::CtrlQ, kAdded, true,
                EndRoad::Signalled},
        EndRoad{"AFullHomeThenCtrlQAndTheXServersEndAtItsMessage", EndRoad::CtrlQ, kAdded, true,
                EndRoad::DisplayEnds},
        EndRoad{"AFullHomeThenCtrlQAndAKillAtItsMessage", EndRoad::CtrlQ, kAdded, true,
                EndRoad::Killed}),
    [](const testing::TestParamInfo<EndRoad>& info) { return info.param.name; });

// A rescue file told on standard error only (a logout) is told at the next start after the
// calendar shows, until its message is answered: a logout while it shows leaves it, with that
// logout's own rescue, to the start after. What the note gains while the message shows stays for
// the next start; a note of a file no longer there is dropped unsaid, and so is one of another
// user's file. Another user's note under the user's name is never read.
TEST_F(StartupTest, TheNextStartTellsOnceWhereALogoutsRescueFileIs) {
    namespace fs = std::filesystem;
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    TestEnvironment::WriteFile(EventFile(), "Events Data:\n");
    fs::permissions(EventFile(), fs::perms::owner_read);
    const auto copy =
        environment.Documents() / "Calendar (changed outside the calendar 2026-03-03 12.00.00).tpc";
    TestEnvironment::WriteFile(copy, "Events Data:\n");
    const std::string rescued = "Ombrelline Calendar could not save your events and to-do items "
                                "when it last ended. They were written to ";
    std::vector<fs::path> rescues; // in the order the logouts made them
    // A logout that cannot save; the next start, a logout that cannot save while its message
    // shows; the start after, whose note gains a copy while its message shows; the one after; one
    // after that; one with a note of a file gone; one with another user's files in the temporary
    // folder a restart keeps (as root, who can make them).
    const fs::path theirs = environment.LastingTemporary() /
                            "Calendar rescued 2026-03-01 08.00.00 Th31r5.tpc",
                   theirNote = environment.LastingTemporary() /
                               (".QVCalendar.rescued-" + std::to_string(::geteuid()));
    for (int run = 0; run < 7 && (run < 6 || ::geteuid() == 0); ++run) {
        SCOPED_TRACE(run);
        if (run == 5) {
            fs::remove(rescues[0]);
            TestEnvironment::WriteFile(RescueNote(), rescues[0].string() + "\n");
        }
        if (run == 6) {
            TestEnvironment::WriteFile(theirs, "Events Data:\n");
            TestEnvironment::WriteFile(theirNote, "copy\t" + copy.string() + "\n");
            TestEnvironment::WriteFile(RescueNote(), theirs.string() + "\n");
            for (const fs::path& file : {theirs, theirNote})
                ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
        }
        application = std::make_unique<app>();
        const size_t before = Messages().size();
        TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
            if (run == 1) {
                App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//B");
                std::raise(SIGTERM);
                DoEvents();
            }
            if (run == 2)
                std::ofstream(RescueNote(), std::ios::app) << "copy\t" << copy.string() << "\n";
            return 0;
        });
        WhenTrue(CalendarShown, [&] {
            if (run == 0) App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//A");
            // After the work that waits for the first frame, unless that ended the start.
            CalendarWindow::Instance().AfterFirstFrame([] {
                if (!App().QuitRequested()) std::raise(SIGTERM);
            });
        });
        EXPECT_EQ(Run(), 0);
        for (const fs::path& rescue : TestEnvironment::Rescues(environment.Config()))
            if (std::ranges::count(rescues, rescue) == 0) rescues.push_back(rescue);
        ASSERT_EQ(rescues.size(), run == 0 ? 1u : 2u);
        std::vector<std::string> shown = Messages();
        shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(before));
        const std::string first = rescues[0].string(), second = rescues.back().string();
        const std::vector<std::vector<std::string>> expected = {
            {},
            {rescued + first + "."},
            {rescued + first + " and " + second + "."},
            {"When Ombrelline Calendar last ended, another program had changed your event file; "
             "the calendar kept that program's version in " +
             copy.string() + "."},
            {},
            {},
            {}};
        EXPECT_EQ(shown, expected[run]);
    }
    EXPECT_FALSE(fs::exists(RescueNote()));
}

// A logout's quit that kept another program's version of the event file beside it, said on
// standard error only, has the next start name that copy, in one message with a rescue file an
// earlier logout noted. So does a version written after the logout by a program that had emptied
// the file before it (a shell's redirect), which the quit could not yet name, and Ctrl+Q's quit
// whose message of the copy the X server's end cut off, which then closes the application at once:
// that copy, and a file the end's write parked, were noted before the message showed.
TEST_F(StartupTest, TheNextStartNamesTheVersionALogoutKept) {
    namespace fs = std::filesystem;
    using TestSeams::WriteMoment;
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    const auto earlier = environment.Config() / "Calendar rescued 2026-03-01 08.00.00.tpc";
    const std::string theirs = "0\tTheirs\nEvents Data:\n", mine = "0\tMine\nEvents Data:\n";
    const struct {
        const char* name;
        bool writtenAfter = false; // the file emptied before the end, written after it
        bool displayEnds = false;  // Ctrl+Q, then the X server's end at its message
        bool known = false;  // the calendar's own text written back before the end, nothing after
        bool parks = false;  // an empty file put in place at the end's rename, still held open
        bool killed = false; // the quit's note of the file it watched is lost, as to a kill
    } cases[] = {
        {.name = "SIGHUP"},
        {.name = "SIGHUP, the file emptied before it and written after it", .writtenAfter = true},
        {.name = "a kill, the file emptied before it and written after it",
         .writtenAfter = true,
         .killed = true},
        {.name = "SIGHUP, the calendar's text written back before it, nothing after",
         .known = true},
        {.name = "Ctrl+Q, then the X server's end at its message", .displayEnds = true},
        {.name = "Ctrl+Q, an empty file put in place at the rename, then the X server's end at "
                 "its message",
         .displayEnds = true,
         .parks = true},
    };
    for (const auto& c : cases) {
        const auto& [name, writtenAfter, displayEnds, known, parks, killed] = c;
        SCOPED_TRACE(name);
        TestEnvironment::WriteFile(EventFile(), mine);
        TestEnvironment::WriteFile(earlier, "Events Data:\n");
        bool closedAtTheEnd = false;
        std::string noted; // at the quit's message
        TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
            if (displayEnds && App().QuitRequested() && !App().DisplayGone()) {
                noted = TestEnvironment::ReadFile(RescueNote());
                App().EndWithoutDisplay();
                closedAtTheEnd = App().closing;
            }
            return 0;
        });
        std::ofstream writer, holder;
        // At the rename of the end's write, once it has kept the other program's version: an
        // empty file that its program still holds open, and so may still write.
        std::function<void()> park = [&] {
            if (!fs::exists(environment.Documents() /
                            "Calendar (changed outside the calendar 2026-03-03 12.00.00).tpc"))
                return TestSeams::AtNextWriteMoment(WriteMoment::AfterTheLastLook, park);
            holder.open(environment.Documents() / "empty", std::ios::binary);
            fs::rename(environment.Documents() / "empty", EventFile());
        };
        for (const int run : {0, 1}) {
            application = std::make_unique<app>();
            application->SetMenuBar(&Menu::Instance());
            ApplicationAddMenuHandlers();
            const size_t before = Messages().size();
            WhenTrue(CalendarShown, [&] {
                CalendarWindow::Instance().AfterFirstFrame([&] {
                    if (run == 1) return (void)std::raise(SIGTERM);
                    App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//A");
                    writtenAfter ? writer.open(EventFile(), std::ios::trunc | std::ios::binary)
                                 : TestEnvironment::WriteFile(EventFile(), known ? mine : theirs);
                    TestEnvironment::WriteFile(RescueNote(), earlier.string() + "\n");
                    if (parks) TestSeams::AtNextWriteMoment(WriteMoment::AfterTheLastLook, park);
                    displayEnds ? Simulate::Key(CalendarWindow::Instance(), "Ctrl+Q")
                                : (void)std::raise(SIGHUP);
                });
            });
            EXPECT_EQ(Run(), run == 0 && displayEnds ? 1 : 0);
            if (killed && run == 0)
                TestEnvironment::WriteFile(RescueNote(), earlier.string() + "\n");
            if (writer.is_open()) writer << theirs, writer.close();
            holder.close();
            ASSERT_EQ(Messages().size() - before, run == 0 ? displayEnds : 1u);
        }
        EXPECT_EQ(closedAtTheEnd, displayEnds);
        EXPECT_EQ(noted.find("\ncopy\t") != std::string::npos, displayEnds) << noted;
        EXPECT_EQ(noted.find("\nparked\t") != std::string::npos, parks) << noted;
        std::vector<fs::path> copies, parked;
        for (const auto& entry : fs::directory_iterator(environment.Documents())) {
            const std::string file = entry.path().filename().string();
            if (file.find("changed outside") != std::string::npos) copies.push_back(entry.path());
            if (file.find("parked") != std::string::npos) parked.push_back(entry.path());
        }
        EXPECT_TRUE(parked.empty()) << parked.front();
        EXPECT_FALSE(fs::exists(RescueNote()));
        if (known) {
            EXPECT_TRUE(copies.empty()) << copies.front();
            EXPECT_EQ(Messages().back(), "Ombrelline Calendar could not save your events and to-do "
                                         "items when it last ended. They were written to " +
                                             earlier.string() + ".");
            continue;
        }
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(TestEnvironment::ReadFile(copies[0]), theirs);
        EXPECT_EQ(Messages().back(),
                  "Ombrelline Calendar could not save your events and to-do items when it last "
                  "ended. They were written to " +
                      earlier.string() +
                      (writtenAfter
                           ? ". Another program wrote to your event file after Ombrelline "
                             "Calendar had saved over it; the calendar kept that program's "
                             "version in "
                           : ". When Ombrelline Calendar last ended, another program had changed "
                             "your event file; the calendar kept that program's version in ") +
                      copies[0].string() + ".");
        fs::remove(copies[0]);
    }
}

// A home that cannot be written (no configuration folder, no Documents): the rescue file goes to
// the temporary folder a restart keeps, else the temporary folder, never the session's run-time
// folder that the logout removes; the owner's alone, and the quit's message names it or says that
// no copy could be written.
TEST_F(StartupTest, ARescueFindsAPlaceOutsideAHomeThatCannotBeWritten) {
    namespace fs = std::filesystem;
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    const fs::path blocked = environment.Home() / "blocked"; // a file: nothing goes under it
    TestEnvironment::WriteFile(blocked, "");
    const fs::path run = environment.Home() / "run", temporary = environment.Home() / "tmp";
    const fs::path lasting = environment.LastingTemporary();
    fs::create_directories(temporary);
    const char* tmpdir = std::getenv("TMPDIR");
    const std::optional<std::string> savedTmpdir =
        tmpdir ? std::optional<std::string>(tmpdir) : std::nullopt;
    setenv("TMPDIR", temporary.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (blocked / "config").c_str(), 1);
    struct Row {
        const char* name;
        std::function<void()> block; // one more place that takes nothing
        std::optional<fs::path> folder;
    };
    for (const Row& row :
         {Row{"the temporary folder a restart keeps", [] {}, lasting},
          Row{"the temporary folder",
              [&] { SpecialFolder::SetLastingTemporary(blocked / "folder"); }, temporary},
          Row{"nowhere", [&] { setenv("TMPDIR", (blocked / "folder").c_str(), 1); },
              std::nullopt}}) {
        SCOPED_TRACE(row.name);
        row.block();
        TestEnvironment::WriteFile(EventFile(), "0\tMine\nEvents Data:\n");
        application = std::make_unique<app>();
        application->SetMenuBar(&Menu::Instance());
        ApplicationAddMenuHandlers();
        WhenTrue(CalendarShown, [&] {
            fs::rename(environment.Documents(), environment.Home() / "aside");
            TestEnvironment::WriteFile(environment.Documents(), "");
            App().eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//Rescued");
            Simulate::Key(CalendarWindow::Instance(), "Ctrl+Q");
        });
        EXPECT_EQ(Run(), 0);
        ASSERT_FALSE(Messages().empty());
        EXPECT_TRUE(TestEnvironment::Rescues(run).empty());
        if (row.folder) {
            const auto rescues = TestEnvironment::Rescues(*row.folder);
            ASSERT_EQ(rescues.size(), 1u);
            const fs::path rescue = rescues[0];
            EXPECT_NE(TestEnvironment::ReadFile(rescue).find(
                          "\n2026-03-05 09:00:00|2026-03-05 10:00:00//Rescued\n"),
                      std::string::npos);
            EXPECT_EQ(fs::status(rescue).permissions() &
                          (fs::perms::group_all | fs::perms::others_all),
                      fs::perms::none);
            EXPECT_TRUE(Messages().back().ends_with(" A copy of them was written to " +
                                                    rescue.string() + "."))
                << Messages().back();
            fs::remove(rescue);
        } else {
            EXPECT_TRUE(Messages().back().ends_with(
                " No copy of them could be written anywhere else either: they are lost when the "
                "calendar ends."))
                << Messages().back();
            for (const fs::path& folder : {lasting, temporary})
                EXPECT_TRUE(fs::is_empty(folder));
        }
        fs::remove(environment.Documents());
        fs::rename(environment.Home() / "aside", environment.Documents());
    }
    savedTmpdir ? setenv("TMPDIR", savedTmpdir->c_str(), 1) : unsetenv("TMPDIR");
    setenv("XDG_CONFIG_HOME", environment.Config().c_str(), 1);
}

// A picture of the edition that is a pipe is no picture, told on standard error, and the
// calendar starts: nothing waits on the pipe.
TEST_F(StartupTest, AnEditionPictureThatIsAPipeIsToldAndTheCalendarStarts) {
    environment.InstallEdition("Simple", "customAboutWindowImage=about.png\n");
    const auto pipe = environment.AppFolder() / "Simple" / "about.png";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    bool started = false;
    TestSeams::WhenFirstPainted([&] {
        started = application->CalendarWindowOpen;
        std::raise(SIGTERM);
    });
    testing::internal::CaptureStderr();
    EXPECT_EQ(Run(), 0);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(started && Messages().empty());
    EXPECT_NE(log.find("calendar: cannot read the picture of customAboutWindowImage: " +
                       pipe.string() + "\n"),
              std::string::npos)
        << log;
}

// A save killed midway leaves its temporary file; the next start, holding the lock, removes the
// calendar's own and nothing else: not the user's files that merely look alike, nor a file a save
// parked that a program still holds open for writing.
TEST_F(StartupTest, LeftoversOfUnfinishedSavesAreRemovedAtStart) {
    const auto documents = environment.Documents();
    const auto config = environment.Config();
    const auto held = documents / ".Calendar.tpc.ombrelline-parked-H3ld00";
    std::ofstream(held) << "";
    std::ofstream holder(held, std::ios::app);
    const std::vector<std::filesystem::path> leftovers = {
        documents / ".Calendar.tpc.ombrelline-parked-a1B2c3",
        documents / ".Calendar.tpc.ombrelline-write-a1B2c3",
        documents / ".Calendar.tpc.skipped.ombrelline-write-Q1w2E3",
        config / ".QVCalendar.prefs.ombrelline-write-Zz09Qq"};
    const std::vector<std::filesystem::path> others = {
        documents / ".Calendar.tpc.backup",
        documents / ".Calendar.tpc.old123",
        config / ".QVCalendar.prefs.Xy12Ab",
        documents / ".Calendar.tpc.a1B2c3",
        documents / ".Calendar.tpc.lock",
        documents / ".Calendar.tpc.ombrelline-write-a1B2c",
        documents / ".Calendar.tpc.ombrelline-write-a1B2c3.kept",
        documents / ".Calendar.tpc.ombrelline-write-ab-cd1",
        documents / "Calendar.tpc.ombrelline-write-a1B2c3",
        documents / ".Other.tpc.ombrelline-write-a1B2c3",
        config / ".QVCalendar.prefs.abc"};
    for (const auto& file : leftovers)
        TestEnvironment::WriteFile(
            file, file.string().find("parked") != std::string::npos ? "" : "half a save");
    for (const auto& file : others)
        TestEnvironment::WriteFile(file, "the user's");
    // After the work that waits for the first frame.
    WhenTrue(CalendarShown,
             [] { CalendarWindow::Instance().AfterFirstFrame([] { std::raise(SIGTERM); }); });
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(std::filesystem::exists(held));
    for (const auto& file : leftovers)
        EXPECT_FALSE(std::filesystem::exists(file)) << file;
    for (const auto& file : others)
        EXPECT_EQ(TestEnvironment::ReadFile(file), "the user's") << file;
    EXPECT_TRUE(std::filesystem::exists(documents / ".Calendar.tpc.lock")) << "never removed";
}

// A copy started while another saves must not read the file before it holds the lock: here the
// first copy saves and quits after the second has begun, and the second reads what was saved.
TEST_F(StartupTest, ACopyStartedDuringAnothersSaveReadsTheFileOnlyOnceItHoldsTheLock) {
    application.reset(); // the program makes its own
    Date::FixClock(Date(2026, 3, 3, 12, 0, 0).TotalSeconds());
    TestEnvironment::WriteFile(EventFile(), "Events Data:\n");
    auto first = std::make_unique<Mutex>(AppText::kMutexName);
    ASSERT_TRUE(first->TryEnter());
    // Runs before the second copy's Open, after its start; a reader started before the lock was
    // held has read the old file by the time the first copy saves.
    QTimer::singleShot(0, [&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        TestEnvironment::WriteFile(EventFile(),
                                   "Events Data:\n2026-03-05 09:00:00|2026-03-05 10:00:00//New\n");
        first.reset();
    });
    std::string seen;
    WhenTrue(CalendarShown, [&] {
        seen = std::string(App().eventDict.Value("2026-03-05 09:00:00"));
        App().eventDict.Value("2026-03-06 09:00:00", "2026-03-06 10:00:00//Later");
        std::raise(SIGTERM);
    });
    EXPECT_EQ(RunBeforeDeadline(RunCalendar), 0);
    EXPECT_EQ(seen, "2026-03-05 10:00:00//New");
    EXPECT_NE(TestEnvironment::ReadFile(EventFile()).find("//New"), std::string::npos);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StartupTest, TheErrorDialogOffersFeedbackByMail) {
    Customization().applicationName = "Seasons Edition";
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord&) { return 1; });
    EXPECT_TRUE(application->Event_UnhandledException(std::runtime_error("x")));
    ASSERT_EQ(TestSeams::Dialogs().size(), 1u);
    EXPECT_EQ(TestSeams::Dialogs()[0].buttons, (std::vector<std::string>{"Quit", "Feedback"}));
    ASSERT_EQ(TestSeams::OpenedURLs().size(), 1u);
    EXPECT_EQ(TestSeams::OpenedURLs()[0], "mailto:feedback@ombrelline-calendar.example"
                                          "?subject=~Feedback: Seasons Edition " +
                                              application->ShortVersion());

    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord&) { return 0; });
    EXPECT_TRUE(application->Event_UnhandledException(std::runtime_error("x")));
    EXPECT_EQ(TestSeams::OpenedURLs().size(), 1u) << "Quit opens nothing";
}

// Text typed into the to-do list and not yet confirmed with Return when the calendar quits is
// written all the same, on every road to the quit: into a new row, or over an old one.
struct QuitWhileTyping {
    const char* name;
    bool newRow;
    std::function<void(app&, CalendarWindow&)> quit;
};

void PrintTo(const QuitWhileTyping& c, std::ostream* out) {
    *out << c.name;
}

class QuitWhileTypingTest : public StartupTest,
                            public testing::WithParamInterface<QuitWhileTyping> {};

TEST_P(QuitWhileTypingTest, TheTypedTextIsWritten) {
    const QuitWhileTyping& c = GetParam();
    environment.InstallEdition("Other");
    environment.InstallEdition("Simple"); // in use
    TestEnvironment::WriteFile(EventFile(), "0\tFirst\nEvents Data:\n");
    application->SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    WhenTrue(CalendarShown, [&] {
        CalendarWindow& window = CalendarWindow::Instance();
        window.GlanceOn();
        if (c.newRow)
            window.ToDoListHeader_MouseDown(5, 5);
        else
            window.TodoList->EditCell(0, 1);
        ASSERT_NE(window.TodoList->ActiveCell(), nullptr);
        window.TodoList->ActiveCell()->SetText("Typed");
        c.quit(*application, window);
    });
    EXPECT_EQ(Run(), 0);
    const std::string todo = c.newRow ? "0\tFirst\n0\tTyped\n" : "0\tTyped\n";
    const std::string written = TestEnvironment::ReadFile(EventFile());
    EXPECT_EQ(written.substr(0, written.find("Events Data:")), todo);
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Roads, QuitWhileTypingTest,
    testing::Values(
        QuitWhileTyping{"SIGTERM", true, [](app&, CalendarWindow&) { std::raise(SIGTERM); }},
        QuitWhileTyping{"CtrlQ", false,
                        [](app&, CalendarWindow& window) { Simulate::Key(window, "Ctrl+Q"); }},
        QuitWhileTyping{
            "QuitInTheMenu", true,
            [](app& application, CalendarWindow&) { application.DoMenuCommand("FileQuit"); }},
        QuitWhileTyping{"WindowManagersClose", false,
                        [](app&, CalendarWindow& window) {
                            window.Widget()->close(); // the tab window stays open
                            std::raise(SIGTERM);
                        }},
        QuitWhileTyping{"AnotherEditionChosen", true,
                        [](app& application, CalendarWindow&) {
                            TestSeams::WhenModal([](Window& shown) {
                                auto& preferences = dynamic_cast<PreferencesWindow&>(shown);
                                Simulate::Choose(*preferences.DefaultCalendarPopup, 0);
                                preferences.OKButton->Push();
                            });
                            application.DoMenuCommand("ApplePreferences");
                            EXPECT_EQ(Customization().vendorName, "Studio Other");
                            std::raise(SIGTERM);
                        }}),
    [](const testing::TestParamInfo<QuitWhileTyping>& info) { return info.param.name; });
