// The X server ended under the program (a startx session's end, a server's crash), on a display
// of the test's own: the program ends as at a logout's signal, with the toolkit's status for a
// lost display and no crash, what was typed or waiting written or rescued, and the next start
// tells where a rescue went. A logout's signal while a message is up ends it as soon.
#include "desktop/ProgramRun.h"
#include "desktop/XDesktop.h"

#include "support/TestEnvironment.h"

#include <atomic>
#include <csignal>
#include <fstream>
#include <iostream>
#include <sys/wait.h>
#include <thread>

namespace {
namespace fs = std::filesystem;

constexpr char kCalendar[] = "Ombrelline Studio Calendar";
constexpr char kMessage[] = " ";                      // the title of the calendar's message boxes
constexpr int kJanuaryDayX = 265, kJanuaryDayY = 176; // a day of January's third week
constexpr int kNewTodoX = 1428, kNewTodoY = 274;      // the to-do list's "+" in the week
constexpr char kTyped[] = "W a t e r space t h e space p l a n t s";
constexpr char kTodoLine[] = "0\tWater the plants";
constexpr char kTheirs[] = "0\tTheirs\nEvents Data:\n"; // another program's version of the file

struct XEnd {
    const char* name;
    // What the program holds when the server goes: a to-do item typed, not confirmed; a
    // confirmed one whose write was refused (a folder in the file's place), told and waiting for
    // a retry; one whose write was
    // put off because another program goes on writing the file; one typed while a shell's redirect
    // has emptied the file and writes it only after the end; a confirmed one written over another
    // program's version, which is kept and told.
    enum { Typed, Refused, PutOff, Emptied, ChangedOutside } holds;
    // Where a Ctrl+Q quit is when the program ends: none; waiting for another program appending to
    // the file, which goes on or stops at the end; telling that it could not write, as that
    // program goes on, or as a folder stands in the file's place; telling the copy it kept of
    // another program's version.
    enum { NoQuit, Waits, WaitsTillItStops, Tells, CannotWrite, TellsCopy } quit = NoQuit;
    // What ends the program: the X server's end, or a logout's signal.
    int signal = 0;
};

void PrintTo(const XEnd& end, std::ostream* out) {
    *out << end.name;
}

std::string OutsideLine(int line) {
    return "2026-02-02 09:00:00|2026-02-02 10:00:00//Outside " + std::to_string(line) + "\n";
}

// Another program that appends an event line to the file every 50 ms while it lives, counting.
std::jthread Appender(const fs::path& file, std::atomic<int>* lines = nullptr) {
    return std::jthread([file, lines](const std::stop_token& stop) {
        for (int line = 0; !stop.stop_requested(); ++line) {
            std::ofstream(file, std::ios::app) << OutsideLine(line);
            if (lines) *lines = line + 1;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
}

class XServerEnd : public IsolatedTest, public testing::WithParamInterface<XEnd> {
  protected:
    void SetUp() override {
        state_ = DisplayState();
        if (state_.empty()) GTEST_SKIP() << "no virtual displays: " << DESKTOP_DISPLAY_STATE;
        if (state_.contains("skip")) GTEST_SKIP() << state_["skip"];
        // Not a first run: no quick-start help over the calendar.
        TestEnvironment::WriteFile(environment.Config() / "QVCalendar.prefs", "0;0;1;0;");
        TestEnvironment::WriteFile(EventFile(), "Events Data:\n");
    }

    void TearDown() override {
        if (program > 0) {
            ::kill(program, SIGKILL);
            ::waitpid(program, nullptr, 0);
        }
        if (HasFailure())
            std::cerr << "The calendar's output:\n" << TestEnvironment::ReadFile(Log());
    }

    fs::path EventFile() const { return environment.Documents() / "Calendar.tpc"; }
    fs::path Note() const { return environment.Config() / "QVCalendar.rescued"; }
    fs::path Log() const { return environment.Home() / "calendar.log"; }

    // Starts the program on display and waits for its calendar.
    void Start(const OwnDisplay& display, XDesktop& desktop) {
        ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";
        ASSERT_TRUE(desktop.Connected()) << "cannot reach " << display.Name();
        program = StartCalendar(display.Name(), state_["bus"], Log());
        ASSERT_NE(program, 0);
        ASSERT_TRUE(WaitFor([&] { return desktop.Shows(program, kCalendar); }))
            << desktop.Describe(program);
    }

    // The rescue files beside the preferences.
    std::vector<fs::path> Rescues() const { return TestEnvironment::Rescues(environment.Config()); }

    // The versions of other programs kept beside the event file.
    std::vector<fs::path> KeptCopies() const {
        std::vector<fs::path> found;
        for (const auto& entry : fs::directory_iterator(environment.Documents()))
            if (entry.path().filename().string().find("changed outside") != std::string::npos)
                found.push_back(entry.path());
        return found;
    }

    pid_t program = 0;

  private:
    std::map<std::string, std::string> state_;
};

bool Holds(const fs::path& file, const std::string& line) {
    return ("\n" + TestEnvironment::ReadFile(file)).find("\n" + line + "\n") != std::string::npos;
}

TEST_P(XServerEnd, KeepsWhatTheProgramHeld) {
    const XEnd& end = GetParam();
    const bool confirmed = end.holds != XEnd::Typed && end.holds != XEnd::Emptied;
    const bool copied = end.holds == XEnd::ChangedOutside || end.quit == XEnd::TellsCopy ||
                        end.quit == XEnd::WaitsTillItStops;
    const bool rescued = (confirmed && !copied) || end.quit == XEnd::Waits ||
                         end.quit == XEnd::Tells || end.quit == XEnd::CannotWrite;
    const bool appends =
        end.quit == XEnd::Waits || end.quit == XEnd::WaitsTillItStops || end.quit == XEnd::Tells;
    std::ofstream redirect;
    std::string before; // the file as the other program found it
    std::atomic<int> appended = 0;
    {
        OwnDisplay display;
        auto desktop = std::make_unique<XDesktop>(display.Name());
        ASSERT_NO_FATAL_FAILURE(Start(display, *desktop));
        const XDesktop::WindowId calendar = desktop->Find(program, kCalendar);
        desktop->Click(kJanuaryDayX, kJanuaryDayY);
        ASSERT_TRUE(desktop->Answers(calendar)) << "the calendar does not answer";
        std::jthread appender;
        // Something no write can replace takes the event file's place, as root too.
        const auto refuse = [&] {
            fs::remove(EventFile());
            fs::create_directory(EventFile());
        };
        if (end.holds == XEnd::Refused) refuse();
        if (end.holds == XEnd::ChangedOutside) TestEnvironment::WriteFile(EventFile(), kTheirs);
        if (end.holds == XEnd::PutOff) appender = Appender(EventFile());
        if (end.holds == XEnd::Emptied) redirect.open(EventFile(), std::ios::trunc);
        desktop->Click(kNewTodoX, kNewTodoY);
        desktop->Keys(kTyped);
        if (confirmed) desktop->Keys("Return");
        // The keys have reached the list; a refused or put-off write is told.
        ASSERT_TRUE(desktop->Answers(calendar)) << "the calendar does not answer";
        if (confirmed) {
            ASSERT_TRUE(WaitFor([&] { return desktop->Shows(program, kMessage); }))
                << "no message of the refused write\n"
                << desktop->Describe(program);
        }
        if (appends) {
            before = TestEnvironment::ReadFile(EventFile());
            appender = Appender(EventFile(), &appended);
            ASSERT_TRUE(WaitFor([&] { return appended > 0; }));
        }
        if (end.quit == XEnd::CannotWrite) refuse();
        if (end.quit == XEnd::TellsCopy) TestEnvironment::WriteFile(EventFile(), kTheirs);
        if (end.quit != XEnd::NoQuit) desktop->Keys("ctrl+q");
        // What the quit holds is rescued at once, before it waits for the other program.
        if (appends) {
            ASSERT_TRUE(WaitFor([&] { return !Rescues().empty(); }));
        }
        if (end.quit == XEnd::Tells || end.quit == XEnd::CannotWrite ||
            end.quit == XEnd::TellsCopy) {
            ASSERT_TRUE(WaitFor([&] { return desktop->Shows(program, kMessage); }))
                << desktop->Describe(program);
        }
        if (end.signal) {
            ::kill(program, end.signal);
        } else {
            // The test's own connection goes first: the X library ends a client that loses it.
            desktop.reset();
            display.Kill();
        }
        if (end.quit == XEnd::WaitsTillItStops) appender = {};
        // A signal ends the program at once, whatever message was up, before a wait for another
        // program's writing (four seconds) would have ended.
        const int status = EndOf(program, end.signal ? 3 : 20);
        ASSERT_NE(status, -1) << "the calendar did not end in time";
        program = 0;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (end.signal ? 0 : 1))
            << "ended with status " << status;
    }
    if (fs::is_directory(EventFile())) fs::remove(EventFile());
    const std::string theirs = "0\tFrom the download\nEvents Data:\n";
    if (redirect.is_open()) redirect << theirs, redirect.close();
    const std::vector<fs::path> rescues = Rescues();
    std::string copyNoted;
    if (copied) {
        // The write came once the other program stopped or at once; that program's version is
        // kept, and noted for the next start.
        EXPECT_TRUE(Holds(EventFile(), kTodoLine)) << TestEnvironment::ReadFile(EventFile());
        EXPECT_TRUE(rescues.empty());
        std::string appendedText = before;
        for (int line = 0; line < appended; ++line)
            appendedText += OutsideLine(line);
        const std::vector<fs::path> copies = KeptCopies();
        ASSERT_EQ(copies.size(), 1u);
        EXPECT_EQ(TestEnvironment::ReadFile(copies[0]), appends ? appendedText : kTheirs);
        copyNoted = "copy\t" + copies[0].string() + "\n";
        EXPECT_EQ(TestEnvironment::ReadFile(Note()), copyNoted);
    } else if (!rescued) {
        EXPECT_TRUE(Holds(EventFile(), kTodoLine)) << TestEnvironment::ReadFile(EventFile());
        EXPECT_TRUE(rescues.empty());
        EXPECT_EQ(fs::exists(Note()), end.holds == XEnd::Emptied);
    } else {
        ASSERT_EQ(rescues.size(), 1u);
        EXPECT_TRUE(Holds(rescues[0], kTodoLine)) << TestEnvironment::ReadFile(rescues[0]);
        EXPECT_TRUE(Holds(Note(), rescues[0].string())) << TestEnvironment::ReadFile(Note());
    }
    // The next start tells where the rescue went; a logout or the X server's end while that
    // message shows, before anyone answered it, leaves it to the start after.
    OwnDisplay display;
    auto desktop = std::make_unique<XDesktop>(display.Name());
    ASSERT_NO_FATAL_FAILURE(Start(display, *desktop));
    if (end.holds != XEnd::Typed || end.quit != XEnd::NoQuit) {
        EXPECT_TRUE(WaitFor([&] { return desktop->Shows(program, kMessage); }))
            << desktop->Describe(program);
    }
    const bool displayEnds = end.holds == XEnd::PutOff;
    if (displayEnds) {
        desktop.reset();
        display.Kill();
    } else {
        ::kill(program, SIGTERM);
    }
    const int status = EndOf(program, 20);
    ASSERT_NE(status, -1) << "the next start did not end";
    program = 0;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (displayEnds ? 1 : 0))
        << "ended with status " << status;
    if (rescued) {
        EXPECT_EQ(TestEnvironment::ReadFile(Note()), rescues[0].string() + "\n");
    }
    if (copied) {
        EXPECT_EQ(TestEnvironment::ReadFile(Note()), copyNoted);
    }
    // What the redirect wrote after the end is named beside the event file, and stays noted.
    if (end.holds == XEnd::Emptied) {
        const std::vector<fs::path> named = KeptCopies();
        ASSERT_EQ(named.size(), 1u);
        EXPECT_EQ(TestEnvironment::ReadFile(named[0]), theirs);
        EXPECT_EQ(TestEnvironment::ReadFile(Note()), "later\t" + named[0].string() + "\n");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desktop, XServerEnd,
    testing::Values(
        XEnd{"WhileAnItemIsTyped", XEnd::Typed}, XEnd{"WhileARefusedChangeWaits", XEnd::Refused},
        XEnd{"WhileASaveIsPutOff", XEnd::PutOff}, XEnd{"WhileARedirectPauses", XEnd::Emptied},
        XEnd{"WhileCtrlQWaitsForAWriter", XEnd::Typed, XEnd::Waits},
        XEnd{"WhileCtrlQWaitsForAWriterThatStops", XEnd::Typed, XEnd::WaitsTillItStops},
        XEnd{"WhileCtrlQTellsItCouldNotWrite", XEnd::Typed, XEnd::Tells},
        XEnd{"SIGTERMWhileCtrlQTellsItCannotWrite", XEnd::Typed, XEnd::CannotWrite, SIGTERM},
        XEnd{"SIGHUPWhileCtrlQTellsItCannotWrite", XEnd::Typed, XEnd::CannotWrite, SIGHUP},
        XEnd{"SIGTERMWhileCtrlQTellsACopy", XEnd::Typed, XEnd::TellsCopy, SIGTERM},
        XEnd{"SIGHUPWhileCtrlQTellsACopy", XEnd::Typed, XEnd::TellsCopy, SIGHUP},
        XEnd{"SIGTERMWhileAWriteTellsACopy", XEnd::ChangedOutside, XEnd::NoQuit, SIGTERM},
        XEnd{"SIGHUPWhileAWriteTellsACopy", XEnd::ChangedOutside, XEnd::NoQuit, SIGHUP},
        XEnd{"SIGTERMWhileASaveIsPutOff", XEnd::PutOff, XEnd::NoQuit, SIGTERM},
        XEnd{"SIGINTWhileASaveIsPutOff", XEnd::PutOff, XEnd::NoQuit, SIGINT}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
