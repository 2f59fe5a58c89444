// Start-up to the first painted frame of the calendar window, as a whole process, on a virtual
// 1920 x 1200 screen. The program ends itself after that first paint when
// CALENDAR_EXIT_AFTER_FIRST_PAINT=1; it prints nothing.
#include <benchmark/benchmark.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
pid_t xvfb = -1;
std::string display = ":87";
fs::path program;
fs::path home;

pid_t Spawn(const std::vector<std::string>& command, bool quiet) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (quiet) {
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
        }
        std::vector<char*> argv;
        for (const auto& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

void StartUpToFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        const pid_t pid = Spawn({program.string()}, true);
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("start-up failed");
    }
}
BENCHMARK(StartUpToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);
} // namespace

int main(int argc, char** argv) {
    program =
        fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "ombrelline-calendar";
    std::string pattern = (fs::temp_directory_path() / "calendar-bench-XXXXXX").string();
    home = mkdtemp(pattern.data());
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all);
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
    setenv("CALENDAR_EXIT_AFTER_FIRST_PAINT", "1", 1);
    xvfb = Spawn({"Xvfb", display, "-screen", "0", "1920x1200x24", "-nolisten", "tcp"}, true);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    fs::remove_all(home);
    return 0;
}
