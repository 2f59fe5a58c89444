// The script that gives the desktop tests their displays, run with a state file of the test's
// own: starts and stops in quick turns leave no process and no folder behind, and a window
// manager that is there but cannot start fails the start with its log, so the desktop tests
// never skip for it unseen.
#include "desktop/ProgramRun.h"

#include "support/TestEnvironment.h"

#include <cctype>
#include <cstdlib>
#include <regex>
#include <sys/wait.h>

namespace {
namespace fs = std::filesystem;

struct ScriptRun {
    int status;
    std::string output;
};

class DisplayScript : public IsolatedTest {
  protected:
    fs::path State() const { return environment.Home() / "displays.state"; }

    // `desktop-display.sh command STATE`, with bin's programs ahead of the machine's.
    ScriptRun Run(const std::string& command, const fs::path& bin = {}) const {
        const fs::path output = environment.Home() / "script.out";
        const std::string path = bin.empty() ? "" : "PATH='" + bin.string() + "':\"$PATH\" ";
        const int status =
            std::system((path + "bash '" CALENDAR_SOURCE_DIR "/tools/desktop-display.sh' " +
                         command + " '" + State().string() + "' >'" + output.string() + "' 2>&1")
                            .c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TestEnvironment::ReadFile(output)};
    }

    // Whether the folder of a start, or a process it started (all have their home in it), is
    // still there.
    static bool LeftBehind(const std::string& folder) {
        if (fs::exists(folder)) return true;
        const std::string home = std::string(1, '\0') + "HOME=" + folder + "/home" + '\0';
        for (const auto& process : fs::directory_iterator("/proc"))
            if (std::isdigit(process.path().filename().string()[0]) &&
                ('\0' + TestEnvironment::ReadFile(process.path() / "environ")).find(home) !=
                    std::string::npos)
                return true;
        return false;
    }
};

TEST_F(DisplayScript, QuickStartsAndStopsLeaveNothingBehind) {
    for (int turn = 0; turn < 3; ++turn) {
        ASSERT_EQ(Run("start").status, 0);
        const auto folder = DisplayState(State())["dir"];
        if (folder.empty()) GTEST_SKIP() << DisplayState(State())["skip"];
        ASSERT_EQ(Run("stop").status, 0);
        EXPECT_FALSE(LeftBehind(folder)) << folder;
        EXPECT_FALSE(fs::exists(State()));
    }
}

TEST_F(DisplayScript, AWindowManagerThatCannotStartFailsTheStartWithItsLog) {
    const fs::path bin = environment.Home() / "bin";
    fs::create_directories(bin);
    TestEnvironment::WriteFile(bin / "xfwm4",
                               "#!/bin/sh\necho 'no settings channel' >&2\nexit 1\n");
    fs::permissions(bin / "xfwm4", fs::perms::owner_all);
    const auto run = Run("start", bin);
    if (DisplayState(State())["skip"].starts_with("missing:")) GTEST_SKIP() << run.output;
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("xfwm4 did not start"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("no settings channel"), std::string::npos) << run.output;
    std::smatch folder;
    ASSERT_TRUE(std::regex_search(run.output, folder, std::regex("/tmp/calendar-desktop\\.\\w+")));
    EXPECT_FALSE(LeftBehind(folder.str())) << folder.str();
    EXPECT_FALSE(fs::exists(State()));
}

} // namespace
