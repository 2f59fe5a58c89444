// The displays' script with a state file of the test's own: quick starts and stops leave nothing
// behind, a display does not start afresh when its last client leaves, and a window manager that
// is there but cannot start fails the start with its log.
#include "desktop/ProgramRun.h"

#include "support/TestEnvironment.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace {
namespace fs = std::filesystem;

class DisplayScript : public IsolatedTest {
  protected:
    fs::path State() const { return environment.Home() / "displays.state"; }

    // `desktop-display.sh command STATE` with path's programs first; its status, its output in out.
    int Run(const std::string& command, const std::string& path = "") {
        const auto log = environment.Home() / "script.out";
        const auto first = path.empty() ? "" : "PATH='" + path + "':\"$PATH\" ";
        const int status =
            std::system((first + "bash " CALENDAR_SOURCE_DIR "/tools/desktop-display.sh " +
                         command + " " + State().string() + " >" + log.string() + " 2>&1")
                            .c_str());
        out = TestEnvironment::ReadFile(log);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Whether the folder of a start, or a process with its home there, is left.
    static bool LeftBehind(const std::string& folder) {
        const std::string home = '\0' + ("HOME=" + folder + "/home") + '\0';
        bool left = fs::exists(folder);
        for (const auto& process : fs::directory_iterator("/proc"))
            left |= ('\0' + TestEnvironment::ReadFile(process.path() / "environ")).find(home) !=
                    std::string::npos;
        return left;
    }

    std::string out;
};

TEST_F(DisplayScript, QuickStartsAndStopsLeaveNothingBehind) {
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_EQ(Run("start"), 0) << out;
        const auto folder = DisplayState(State())["dir"];
        if (folder.empty()) GTEST_SKIP() << out;
        std::istringstream started(TestEnvironment::ReadFile(State()));
        // A server that started afresh would drop the root's property, and refuse a client that
        // connected meanwhile (a window manager started just after the check of its display).
        const auto bare = "DISPLAY=" + DisplayState(State())["bare"] + " xprop -root ";
        ASSERT_EQ(std::system((bare + "-f CALENDAR_KEPT 8s -set CALENDAR_KEPT yes").c_str()), 0);
        const auto kept = environment.Home() / "kept.out";
        ASSERT_EQ(std::system((bare + "CALENDAR_KEPT >" + kept.string()).c_str()), 0);
        EXPECT_EQ(TestEnvironment::ReadFile(kept), "CALENDAR_KEPT(STRING) = \"yes\"\n");
        ASSERT_EQ(Run("stop"), 0) << out;
        EXPECT_FALSE(LeftBehind(folder) || fs::exists(State())) << folder;
        // The X servers too, which have no home: every process the state named has ended.
        for (std::string line; std::getline(started, line);) {
            if (!line.starts_with("pid=")) continue;
            const auto stat = TestEnvironment::ReadFile("/proc/" + line.substr(4) + "/stat");
            EXPECT_TRUE(stat.empty() || stat[stat.rfind(") ") + 2] == 'Z') << line; // or unreaped
        }
    }
}

TEST_F(DisplayScript, AWindowManagerThatCannotStartFailsTheStartWithItsLog) {
    fs::create_directories(environment.Home() / "bin");
    TestEnvironment::WriteFile(environment.Home() / "bin/xfwm4",
                               "#!/bin/sh\necho 'no channel' >&2\nexit 1\n");
    fs::permissions(environment.Home() / "bin/xfwm4", fs::perms::owner_all);
    const int status = Run("start", (environment.Home() / "bin").string());
    if (DisplayState(State())["skip"].starts_with("missing:")) GTEST_SKIP() << out;
    EXPECT_EQ(status, 1);
    EXPECT_TRUE(std::regex_search(out, std::regex("xfwm4 did not start(.|\n)*no channel"))) << out;
    std::smatch folder;
    ASSERT_TRUE(std::regex_search(out, folder, std::regex("/tmp/calendar-desktop\\.\\w+")));
    EXPECT_FALSE(LeftBehind(folder.str()) || fs::exists(State())) << out;
}

} // namespace
