#include "platform/DisplayPlatform.h"

#include "platform/Text.h"

#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <utility>

namespace {
// A local X server answers in milliseconds, a forwarded one over a slow link in a second or two;
// one that took the connection and says nothing for this long never will.
constexpr auto kLongestAnswer = std::chrono::seconds(5);

// The X library writes a refusing server's words to standard error itself. They are caught while
// the display is opened, so that the calendar says them in its own line.
class CaughtStandardError {
  public:
    CaughtStandardError() {
        if (::pipe2(ends_, O_CLOEXEC | O_NONBLOCK) != 0) return;
        saved_ = ::dup(STDERR_FILENO);
        if (saved_ >= 0) ::dup2(ends_[1], STDERR_FILENO);
    }
    ~CaughtStandardError() { Release(); }
    CaughtStandardError(const CaughtStandardError&) = delete;
    CaughtStandardError& operator=(const CaughtStandardError&) = delete;

    // Gives standard error back and returns what was written to it meanwhile.
    std::string Release() {
        if (saved_ >= 0) ::dup2(saved_, STDERR_FILENO);
        std::string text;
        char buffer[512];
        for (ssize_t got = 0; ends_[0] >= 0 && (got = ::read(ends_[0], buffer, sizeof buffer)) > 0;)
            text.append(buffer, static_cast<size_t>(got));
        for (int* fd : {&saved_, &ends_[0], &ends_[1]})
            if (*fd >= 0) ::close(std::exchange(*fd, -1));
        return text;
    }

  private:
    int ends_[2] = {-1, -1};
    int saved_ = -1;
};

XDisplayAnswer Connect(const std::string& display) {
    std::shared_ptr<xcb_connection_t> connection(::xcb_connect(display.c_str(), nullptr),
                                                 ::xcb_disconnect);
    if (::xcb_connection_has_error(connection.get()) != 0) return {XDisplay::Unreachable};
    XDisplayAnswer opened;
    opened.kept = std::move(connection);
    return opened;
}

// Taken apart in seconds and nanoseconds, never from one count of nanoseconds since the clock's
// start: a time-faking library that sets the clock to the year 9999 sets the monotonic clock
// there too, past what 64 bits of nanoseconds hold, where std::chrono's clocks and the deadline
// of a timed wait overflow.
std::chrono::nanoseconds Between(const timespec& from, const timespec& to) {
    return std::chrono::seconds(to.tv_sec - from.tv_sec) +
           std::chrono::nanoseconds(to.tv_nsec - from.tv_nsec);
}

std::shared_ptr<void>& OpenedDisplay() {
    static std::shared_ptr<void> opened;
    return opened;
}

std::string WhyNoXDisplay(const std::string& display, const XDisplayAnswer& answer) {
    const std::string named = "the X display \"" + display + "\"";
    switch (answer.outcome) {
    case XDisplay::Opened:
        return {};
    case XDisplay::Unset:
        return "no X display is named (DISPLAY is empty or not set)";
    case XDisplay::Unreachable:
        return "cannot open " + named + ": no X server answers there";
    case XDisplay::Silent:
        return named + " did not answer within " +
               Str(static_cast<long long>(kLongestAnswer.count())) + " seconds";
    case XDisplay::Refused:
        return named + " refused the calendar" +
               (answer.said.empty() ? "" : ": " + Trim(ReplaceAll(answer.said, "\n", " ")));
    }
    return {};
}
} // namespace

timespec MonotonicNow() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now;
}

DisplayPlatform ChooseDisplayPlatform(const SessionVariables& session) {
    // The toolkit, too, takes an empty QT_QPA_PLATFORM for none.
    if (!session.qpaPlatform.empty()) return DisplayPlatform::AsTheToolkitChooses;
    // A compositor started from a text console may leave XDG_SESSION_TYPE at "tty".
    const bool wayland = session.sessionType == "wayland" || !session.waylandDisplay.empty();
    if (!wayland) return DisplayPlatform::AsTheToolkitChooses;
    return session.display.empty() ? DisplayPlatform::NoX11 : DisplayPlatform::X11;
}

SessionVariables CurrentSessionVariables() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    return {variable("QT_QPA_PLATFORM"), variable("XDG_SESSION_TYPE"), variable("WAYLAND_DISPLAY"),
            variable("DISPLAY")};
}

XDisplayAnswer WithinBound(std::chrono::milliseconds bound, std::function<XDisplayAnswer()> open,
                           const std::function<timespec()>& now) {
    struct Answer {
        std::atomic<bool> given = false;
        XDisplayAnswer answer;
    };
    // The thread is left to itself when it does not come back: the program ends soon after.
    auto shared = std::make_shared<Answer>();
    const timespec start = now();
    std::thread([shared, open = std::move(open)] {
        shared->answer = open();
        shared->given.store(true, std::memory_order_release);
    }).detach();
    // Bounded by the time that passed, and by the count of short sleeps too: no sleep ends before
    // its time, so the count never ends the wait early, and it ends it when a faked monotonic
    // clock stands still or goes back. The count alone runs late on a busy machine.
    constexpr auto kStep = std::chrono::milliseconds(1);
    for (auto slept = std::chrono::milliseconds(0); !shared->given.load(std::memory_order_acquire);
         slept += kStep) {
        if (Between(start, now()) >= bound || slept >= bound) return {XDisplay::Silent};
        std::this_thread::sleep_for(kStep);
    }
    return std::move(shared->answer);
}

XDisplayAnswer OpenXDisplay(const std::string& display, std::chrono::milliseconds bound) {
    if (display.empty()) return {XDisplay::Unset};
    CaughtStandardError caught;
    XDisplayAnswer answer = WithinBound(bound, [display] { return Connect(display); });
    // Words come only from a server that answered, and refused.
    const std::string said = caught.Release();
    if (answer.outcome == XDisplay::Unreachable && !said.empty())
        answer = {XDisplay::Refused, said};
    return answer;
}

std::string WhyTheCalendarCannotRun(const SessionVariables& session, const XDisplayOpener& openX) {
    if (!session.qpaPlatform.empty()) return {};
    const std::string problem = ChooseDisplayPlatform(session) == DisplayPlatform::NoX11
                                    ? "this Wayland session has no X display (DISPLAY is not set)"
                                    : WhyNoXDisplay(session.display, openX(session.display));
    if (problem.empty()) return {};
    return "Ombrelline Calendar needs X11 or XWayland, and " + problem +
           ". Start it on an X11 display, or on a Wayland desktop that runs XWayland.";
}

bool CanRunInThisSession() {
    const std::string why =
        WhyTheCalendarCannotRun(CurrentSessionVariables(), [](const std::string& display) {
            XDisplayAnswer answer = OpenXDisplay(display, kLongestAnswer);
            OpenedDisplay() = std::exchange(answer.kept, nullptr);
            return answer;
        });
    if (why.empty()) return true;
    std::cerr << why << '\n';
    return false;
}

void LetGoOfTheOpenedDisplay() {
    OpenedDisplay().reset();
}
