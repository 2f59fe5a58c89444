#include "platform/DisplayPlatform.h"

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <future>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {
struct Session {
    const char* name;
    SessionVariables variables;
    DisplayPlatform expected;
    const char* says = nullptr; // in the one line that ends the start; none when it starts
    XDisplayAnswer xDisplay{};  // what opening DISPLAY's display gives
};

constexpr auto kToolkit = DisplayPlatform::AsTheToolkitChooses;
constexpr auto kX11 = DisplayPlatform::X11;
constexpr auto kNoX11 = DisplayPlatform::NoX11;
constexpr char kUnset[] = "(DISPLAY is empty";
const XDisplayAnswer kNone{XDisplay::Unreachable}, kSilent{XDisplay::Silent},
    kRefused{XDisplay::Refused}, kNoKey{XDisplay::Refused, "No key\n"};
} // namespace

// Fields: QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY.
TEST(DisplayPlatformTest, AWaylandSessionRunsTheCalendarThroughItsXServer) {
    const Session sessions[] = {
        {"GNOME or Plasma on Wayland", {"", "wayland", "wayland-0", ":0"}, kX11},
        {"Wayland without XWayland", {"", "wayland", "wayland-0", ""}, kNoX11, "Wayland session"},
        {"Wayland session, socket unnamed", {"", "wayland", "", ""}, kNoX11, "no X display"},
        {"compositor started from a console", {"", "tty", "wayland-1", ":1"}, kX11},
        {"X11 session", {"", "x11", "", ":0"}, kToolkit},
        {"user chose Wayland", {"wayland", "wayland", "wayland-0", ":0"}, kToolkit},
        {"user chose X11 without DISPLAY", {"xcb", "wayland", "wayland-0", ""}, kToolkit},
        {"tests' offscreen platform", {"offscreen", "wayland", "wayland-0", ""}, kToolkit},
        {"nothing set", {"", "", "", ""}, kToolkit, kUnset, {XDisplay::Unset}},
        {"text console", {"", "tty", "", ""}, kToolkit, kUnset, {XDisplay::Unset}},
        {"stale DISPLAY", {"", "x11", "", ":99"}, kToolkit, "display \":99\": no X", kNone},
        {"hung server", {"", "", "", "h:0"}, kToolkit, "\"h:0\" did not answer within 5", kSilent},
        {"wrong key", {"", "x11", "", ":5"}, kToolkit, "refused the calendar: No key.", kNoKey},
        {"XWayland refuses", {"", "wayland", "w", ":1"}, kX11, "refused the calendar.", kRefused},
        {"user's platform, display gone", {"xcb", "x11", "", ":99"}, kToolkit, nullptr, kNone},
    };
    for (const auto& session : sessions) {
        EXPECT_EQ(ChooseDisplayPlatform(session.variables), session.expected) << session.name;
        const std::string why = WhyTheCalendarCannotRun(
            session.variables, [&](const std::string&) { return session.xDisplay; });
        if (!session.says) {
            EXPECT_EQ(why, "") << session.name;
            continue;
        }
        EXPECT_NE(why.find(session.says), std::string::npos) << session.name << ": " << why;
        EXPECT_NE(why.find("needs X11 or XWayland"), std::string::npos) << why;
        EXPECT_EQ(why.find('\n'), std::string::npos) << why;
    }
}

// A server that takes the connection and never answers cannot hold the start: not where a busy
// machine wakes the short sleeps late (the clock has passed the bound of ten minutes at its second
// look), nor where a faked clock stands still (the sleeps end it). Either wait, were it alone,
// would outlast the test's deadline.
TEST(DisplayPlatformTest, ADisplayThatNeverAnswersIsGivenUp) {
    using std::chrono::milliseconds;
    const auto ahead = [looks = 0]() mutable {
        timespec now = MonotonicNow();
        now.tv_sec += looks++ > 0 ? 3600 : 0;
        return now;
    };
    const timespec still = MonotonicNow();
    const struct {
        const char* name;
        milliseconds bound;
        std::function<timespec()> clock;
    } clocks[] = {{"the system's clock", milliseconds(50), MonotonicNow},
                  {"the sleeps run late", std::chrono::minutes(10), ahead},
                  {"the clock stands still", milliseconds(50), [still] { return still; }}};
    std::promise<void> answer;
    const std::shared_future<void> answered = answer.get_future().share();
    const auto never = [answered] {
        answered.wait();
        return XDisplayAnswer{};
    };
    for (const auto& [name, bound, clock] : clocks) {
        auto given = std::make_shared<std::promise<XDisplay>>();
        std::future<XDisplay> outcome = given->get_future();
        std::thread([=] { given->set_value(WithinBound(bound, never, clock).outcome); }).detach();
        ASSERT_EQ(outcome.wait_for(kWaitDeadline), std::future_status::ready) << name;
        EXPECT_EQ(outcome.get(), XDisplay::Silent) << name;
    }
    answer.set_value();
}

namespace {
// An X server of the test's own on a free port of the loopback (display = port - 6000): none
// listens there; or it refuses the first connection in the X protocol's words; or it leaves what
// the system took for it unanswered, and ends after six seconds, which drops it.
class FakeXServer {
  public:
    enum Does { NotListen, Refuse, EndAfterSixSeconds };
    explicit FakeXServer(Does does) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        EXPECT_EQ(::bind(listener_, any, size) | ::getsockname(listener_, any, &size), 0);
        display_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port) - 6000);
        if (does != NotListen && ::listen(listener_, 4) == 0)
            server_ =
                std::thread(does == Refuse ? &FakeXServer::Refuses : &FakeXServer::Ends, this);
    }
    ~FakeXServer() {
        ::shutdown(listener_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        ::close(listener_);
    }
    const std::string& Display() const { return display_; }

  private:
    void Refuses() const {
        const int fd = ::accept(listener_, nullptr, nullptr);
        char setup[12];
        if (::recv(fd, setup, sizeof setup, MSG_WAITALL) == 12) {
            // Failed, the reason's length, version 11.0 and the length of what follows in words,
            // in the client's byte order; then the reason padded to whole words.
            std::string reply{0, 13, 11, 0, 0, 0, 4, 0};
            if (setup[0] == 'B') std::swap(reply[2], reply[3]), std::swap(reply[6], reply[7]);
            reply += "No key given\n...";
            ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
        while (::recv(fd, setup, sizeof setup, 0) > 0) {
        } // until the client lets go
        ::close(fd);
    }
    void Ends() const {
        std::this_thread::sleep_for(std::chrono::seconds(6));
        ::shutdown(listener_, SHUT_RDWR);
    }

    int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string display_;
    std::thread server_;
};
} // namespace

// The start's one line tells each server as it is: a refusal in the server's words, and one that
// took the connection and said nothing for five seconds by the clock as silent, though it ends a
// second later.
TEST(DisplayPlatformTest, EachXServersAnswerIsToldAsItIs) {
    setenv("XAUTHORITY", "/nonexistent/calendar-test-keys", 1); // no key of the machine's
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY"})
        unsetenv(name);
    const struct {
        FakeXServer::Does does;
        const char* says;
    } rows[] = {
        {FakeXServer::NotListen, ": no X server answers there."},
        {FakeXServer::Refuse, " refused the calendar: No key given."},
        {FakeXServer::EndAfterSixSeconds, " did not answer within 5 seconds."},
    };
    for (const auto& row : rows) {
        const FakeXServer server(row.does);
        setenv("DISPLAY", server.Display().c_str(), 1);
        testing::internal::CaptureStderr();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(CanRunInThisSession());
        const auto waited = std::chrono::steady_clock::now() - start;
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("\"" + server.Display() + "\"" + row.says), std::string::npos) << said;
        EXPECT_GE(waited,
                  std::chrono::seconds(row.does == FakeXServer::EndAfterSixSeconds ? 5 : 0));
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}
