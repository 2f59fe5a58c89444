// The calendar as the start-up benchmark runs it: the real program, which ends itself once its
// window has painted its first frame. With --quit it quits there the way a logout does, after
// writing the monotonic clock's nanoseconds to standard output, so the benchmark can time the
// quit up to the end of the process.
#include "app/Startup.h"
#include "platform/TestSeams.h"

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <unistd.h>

int main(int argc, char** argv) {
    const bool quit = argc > 1 && std::string_view(argv[1]) == "--quit";
    TestSeams::WhenFirstPainted([quit] {
        if (!quit) ::_exit(0);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
        std::fflush(stdout);
        std::raise(SIGTERM);
    });
    return RunCalendar();
}
