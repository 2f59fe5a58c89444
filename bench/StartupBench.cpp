// Start-up as a user waits for it: from starting the process to its first painted frame, on a
// virtual screen that stays up for the whole run (Xvfb -noreset). Every run is paired with a
// reference run on the same screen, one after the other, so that the machine's load touches
// both alike: the floor (a bare Qt program that paints one window of the same size), or the
// calendar with an empty event file. Each run gets a fresh home; a run that has not ended
// within the timeout (an error dialog waits for a person) is killed and fails the benchmark.
//
// Counters: the medians of both in milliseconds, their ratio, the medians of the CPU time each
// spent on all its threads (ms), and the peak memory (MB) of each. The busy variants run both
// beside one busy loop per core, so that work on worker threads competes for the processor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {
constexpr auto kTimeout = std::chrono::seconds(20);

fs::path programFolder;
fs::path scratch;
std::map<std::string, std::pair<pid_t, std::string>> servers; // screen size -> Xvfb, display

struct Outcome {
    bool ok = false;
    double seconds = 0;
    double peakMB = 0;
    double cpuMs = 0; // user and system time of every thread of the process
    std::string output;
    std::chrono::steady_clock::time_point ended;
};

// A virtual screen of the given size ("1920x1200"), started once and kept for every run.
const std::string& Display(const std::string& size) {
    auto found = servers.find(size);
    if (found != servers.end()) return found->second.second;
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("no pipe for Xvfb");
    const pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        freopen("/dev/null", "w", stderr);
        const std::string fd = std::to_string(ready[1]), screen = size + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    char c;
    while (read(ready[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(ready[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start");
    return servers.emplace(size, std::make_pair(pid, ":" + number)).first->second.second;
}

// A fresh home with the given event file (a hard link: the calendar replaces, never edits it).
fs::path FreshHome(const fs::path& eventFile) {
    std::string pattern = (scratch / "home-XXXXXX").string();
    const fs::path home = mkdtemp(pattern.data());
    fs::create_directories(home / "Documents");
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all);
    if (!eventFile.empty()) fs::create_hard_link(eventFile, home / "Documents" / "Calendar.tpc");
    return home;
}

// Runs the program to its end on the display; fails when it does not end well in time.
Outcome Run(const std::vector<std::string>& command, const std::string& display,
            const fs::path& eventFile) {
    const fs::path home = FreshHome(eventFile);
    int output[2];
    if (pipe(output) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        freopen("/dev/null", "w", stderr);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (home / ".cache").c_str(), 1);
        setenv("XDG_DATA_HOME", (home / ".local/share").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::vector<char*> argv;
        for (const auto& part : command)
            argv.push_back(const_cast<char*>(part.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    Outcome outcome;
    const int process = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    pollfd ended{process, POLLIN, 0};
    const int waited =
        poll(&ended, 1, static_cast<int>(std::chrono::milliseconds(kTimeout).count()));
    if (waited <= 0) kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    const auto end = std::chrono::steady_clock::now();
    close(process);
    char buffer[256];
    ssize_t got;
    while ((got = read(output[0], buffer, sizeof buffer)) > 0)
        outcome.output.append(buffer, static_cast<size_t>(got));
    close(output[0]);
    fs::remove_all(home);
    outcome.ok = waited > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    outcome.seconds = std::chrono::duration<double>(end - start).count();
    outcome.ended = end;
    outcome.peakMB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    outcome.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return outcome;
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<std::string> Floor() {
    return {(programFolder / "FloorWindow").string()};
}
// The calendar ending at its first frame, or quitting there ("--quit", "--change-and-quit").
std::vector<std::string> Calendar(const std::string& quit = {}) {
    std::vector<std::string> command{(programFolder / "FirstPaintCalendar").string()};
    if (!quit.empty()) command.push_back(quit);
    return command;
}

// An event file of count half-hour events, one every 45 minutes from the start of 2020.
fs::path EventFile(int count) {
    const fs::path path = scratch / ("events-" + std::to_string(count) + ".tpc");
    if (fs::exists(path)) return path;
    std::ofstream file(path);
    file << "0\tA to-do item\nEvents Data:\n";
    std::tm start{};
    start.tm_year = 120;
    start.tm_mday = 1;
    start.tm_hour = 8;
    for (int i = 0; i < count; ++i) {
        std::tm from = start, to = start;
        from.tm_min += 45 * i;
        to.tm_min += 45 * i + 30;
        std::mktime(&from);
        std::mktime(&to);
        char line[128];
        std::strftime(line, sizeof line, "%Y-%m-%d %H:%M:%S|", &from);
        file << line;
        std::strftime(line, sizeof line, "%Y-%m-%d %H:%M:%S", &to);
        file << line << "//Event number " << i << "\n";
    }
    return path;
}

// The subject's time is the benchmark's; the reference runs just before it, every time.
void Paired(benchmark::State& state, const std::string& size,
            const std::vector<std::string>& reference, const fs::path& referenceEvents,
            const std::vector<std::string>& subject, const fs::path& subjectEvents) {
    const std::string& display = Display(size);
    std::vector<double> mine, theirs, myCpu, theirCpu;
    double peak = 0, referencePeak = 0;
    // Two unmeasured rounds first bring both programs' files into the page cache.
    for (int warmUp = 0; warmUp < 2; ++warmUp) {
        Run(reference, display, referenceEvents);
        Run(subject, display, subjectEvents);
    }
    for (auto _ : state) {
        const Outcome before = Run(reference, display, referenceEvents);
        const Outcome outcome = Run(subject, display, subjectEvents);
        if (!before.ok || !outcome.ok) {
            state.SkipWithError("a run failed or timed out");
            return;
        }
        state.SetIterationTime(outcome.seconds);
        mine.push_back(outcome.seconds * 1000);
        theirs.push_back(before.seconds * 1000);
        myCpu.push_back(outcome.cpuMs);
        theirCpu.push_back(before.cpuMs);
        peak = std::max(peak, outcome.peakMB);
        referencePeak = std::max(referencePeak, before.peakMB);
    }
    state.counters["ms"] = Median(mine);
    state.counters["reference_ms"] = Median(theirs);
    state.counters["ratio"] = Median(theirs) > 0 ? Median(mine) / Median(theirs) : 0;
    state.counters["cpu_ms"] = Median(myCpu);
    state.counters["reference_cpu_ms"] = Median(theirCpu);
    state.counters["peak_MB"] = peak;
    state.counters["reference_peak_MB"] = referencePeak;
}

// One thread spinning on every core for as long as it lives.
class BusyCores {
  public:
    BusyCores() {
        for (unsigned i = 0; i < std::max(1u, std::thread::hardware_concurrency()); ++i)
            loops_.emplace_back([this] {
                while (!stop_.load(std::memory_order_relaxed)) {
                }
            });
    }
    ~BusyCores() { stop_ = true; }

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::jthread> loops_; // joined before stop_ goes
};

// The first frame next to the floor's.
void FirstFrameVersusFloor(benchmark::State& state, const std::string& size) {
    Paired(state, size, Floor(), {}, Calendar(), {});
}

void FirstFrameVersusFloorBusyCores(benchmark::State& state, const std::string& size) {
    Display(size); // started before the cores are taken
    const BusyCores busy;
    Paired(state, size, Floor(), {}, Calendar(), {});
}
// Both programs' times are taken by hand, over as many rounds each time.
void FirstFrameRounds(benchmark::internal::Benchmark* rounds) {
    rounds->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);
}
BENCHMARK_CAPTURE(FirstFrameVersusFloor, 1440x900, std::string("1440x900"))
    ->Apply(FirstFrameRounds);
BENCHMARK_CAPTURE(FirstFrameVersusFloor, 1920x1200, std::string("1920x1200"))
    ->Apply(FirstFrameRounds);
BENCHMARK_CAPTURE(FirstFrameVersusFloorBusyCores, 1440x900, std::string("1440x900"))
    ->Apply(FirstFrameRounds);
BENCHMARK_CAPTURE(FirstFrameVersusFloorBusyCores, 1920x1200, std::string("1920x1200"))
    ->Apply(FirstFrameRounds);

// The first frame with a large event file next to an empty one's.
void FirstFrameWithEventsVersusEmpty(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    Paired(state, "1920x1200", Calendar(), {}, Calendar(), EventFile(count));
}
BENCHMARK(FirstFrameWithEventsVersusEmpty)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);

// A quit (as at a logout) after the first frame, to the end of the process, with 1,000,000
// entries: unchanged, the store is released; with one event changed just before, the event file
// is also written whole and flushed; with one saved a second before, it was written already.
void QuitWithEvents(benchmark::State& state, const std::string& quit) {
    const std::string& display = Display("1920x1200");
    const fs::path events = EventFile(static_cast<int>(state.range(0)));
    std::vector<double> times;
    for (auto _ : state) {
        const Outcome outcome = Run(Calendar(quit), display, events);
        if (!outcome.ok || outcome.output.empty()) {
            state.SkipWithError("a run failed or timed out");
            return;
        }
        // steady_clock is the monotonic clock the program wrote.
        const double asked = std::stod(outcome.output) / 1e9;
        const double ended =
            std::chrono::duration<double>(outcome.ended.time_since_epoch()).count();
        state.SetIterationTime(ended - asked);
        times.push_back((ended - asked) * 1000);
    }
    state.counters["ms"] = Median(times);
}
BENCHMARK_CAPTURE(QuitWithEvents, Unchanged, std::string("--quit"))
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);
BENCHMARK_CAPTURE(QuitWithEvents, OneChanged, std::string("--change-and-quit"))
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);
BENCHMARK_CAPTURE(QuitWithEvents, OneSavedASecondBefore, std::string("--save-change-and-quit"))
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(11);
} // namespace

int main(int argc, char** argv) {
    // The calendar finds its editions beside itself, so its benchmark build lives there too.
    programFolder = fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin";
    std::string pattern = (fs::temp_directory_path() / "calendar-startup-XXXXXX").string();
    scratch = mkdtemp(pattern.data());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [size, server] : servers) {
        kill(server.first, SIGTERM);
        waitpid(server.first, nullptr, 0);
    }
    fs::remove_all(scratch);
    return 0;
}
