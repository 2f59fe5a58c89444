// The calendar as the start-up benchmark runs it: the real program, which ends itself once its
// window has painted its first frame. With --quit it is then left alone for half a second, as a
// user looks at it, and quits the way a logout does, after writing the monotonic clock's
// nanoseconds to standard output, so the benchmark can time the quit up to the end of the
// process. With --change-and-quit it first renames the event in the middle of the store, as an
// edit would, so that the quit has the event file to write. With --save-change-and-quit the
// rename is saved as the event editor's Save does, and the quit comes a second later.
#include "app/App.h"
#include "app/Startup.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/TestSeams.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    const bool save = mode == "--save-change-and-quit";
    const bool change = save || mode == "--change-and-quit";
    const bool quit = change || mode == "--quit";
    TestSeams::WhenFirstPainted([quit, change, save] {
        if (!quit) ::_exit(0);
        Dictionary& store = App().eventDict;
        if (change && store.Count() > 0) {
            const std::string key(store.Key(store.Count() / 2));
            store.Value(key, std::string(store.Value(key)) + " (renamed)");
            if (save) CalendarWindow::Instance().StartSavingEvents();
        }
        // The quit comes once the start-up's own later work (a second paint the toolkit asks
        // for when a window is shown, say) is long done.
        std::thread([save] {
            std::this_thread::sleep_for(std::chrono::milliseconds(save ? 1000 : 500));
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            ::kill(::getpid(), SIGTERM);
        }).detach();
    });
    return RunCalendar();
}
