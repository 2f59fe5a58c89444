#include "platform/DisplayPlatform.h"
#include "platform/Text.h"

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

// A server that takes the connection and never answers cannot hold the start.
TEST(DisplayPlatformTest, ADisplayThatNeverAnswersIsGivenUp) {
    std::promise<void> answer;
    const std::shared_future<void> answered = answer.get_future().share();
    EXPECT_EQ(WithinBound(std::chrono::milliseconds(50),
                          [answered] {
                              answered.wait();
                              return XDisplayAnswer{};
                          })
                  .outcome,
              XDisplay::Silent);
    answer.set_value();
}

namespace {
// An X server of the test's own on a free port of the loopback (display = port - 6000). The
// system takes the connections it does not, and the client waits for words that never come;
// unless it refuses the first in the X protocol's words, or ends and drops them all.
class FakeXServer {
  public:
    explicit FakeXServer(bool listening = true) {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        EXPECT_EQ(::bind(listener_, any, size) | ::getsockname(listener_, any, &size), 0);
        display_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port) - 6000);
        if (listening) ::listen(listener_, 4);
    }
    ~FakeXServer() {
        ::shutdown(listener_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        ::close(listener_);
    }
    void Refuse() {
        server_ = std::thread([this] {
            const int fd = ::accept(listener_, nullptr, nullptr);
            char setup[12];
            if (::recv(fd, setup, sizeof setup, MSG_WAITALL) == 12) {
                // Failed, the reason's length, version 11.0 and the length of what follows in
                // words, in the client's byte order; then the reason padded to whole words.
                std::string reply{0, 14, 11, 0, 0, 0, 4, 0};
                if (setup[0] == 'B') std::swap(reply[2], reply[3]), std::swap(reply[6], reply[7]);
                reply += "No key given.\n..";
                ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
            while (::recv(fd, setup, sizeof setup, 0) > 0) {
            } // until the client lets go
            ::close(fd);
        });
    }
    void EndAfter(std::chrono::seconds seconds) {
        server_ = std::thread([this, seconds] {
            std::this_thread::sleep_for(seconds);
            ::shutdown(listener_, SHUT_RDWR);
        });
    }
    const std::string& Display() const { return display_; }

  private:
    int listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::string display_;
    std::thread server_;
};
} // namespace

// Each outcome as a server of the test's own gives it: a refusal's words are the server's, and
// a connection closed without them is no server answering.
TEST(DisplayPlatformTest, EachXServersAnswerIsToldAsItIs) {
    setenv("XAUTHORITY", "/nonexistent/calendar-test-keys", 1); // no key of the machine's
    const struct {
        bool listening, refusing;
        XDisplay outcome;
        const char* said;
    } rows[] = {
        {false, false, XDisplay::Unreachable, ""},
        {true, true, XDisplay::Refused, "No key given."},
        {true, false, XDisplay::Silent, ""},
    };
    for (const auto& row : rows) {
        FakeXServer server(row.listening);
        if (row.refusing) server.Refuse();
        const auto bound = row.outcome == XDisplay::Silent ? std::chrono::milliseconds(100)
                                                           : std::chrono::seconds(5);
        const XDisplayAnswer answer = OpenXDisplay(server.Display(), bound);
        EXPECT_EQ(answer.outcome, row.outcome) << server.Display();
        EXPECT_EQ(Trim(answer.said), row.said) << server.Display();
    }
}

// The start gives up on a server that took the connection and said nothing after five seconds
// by the clock, whose close a second later is not taken for no server there.
TEST(DisplayPlatformTest, TheStartWaitsFiveSecondsForAnXServer) {
    FakeXServer server;
    server.EndAfter(std::chrono::seconds(6));
    setenv("XAUTHORITY", "/nonexistent/calendar-test-keys", 1);
    setenv("DISPLAY", server.Display().c_str(), 1);
    for (const char* name : {"QT_QPA_PLATFORM", "XDG_SESSION_TYPE", "WAYLAND_DISPLAY"})
        unsetenv(name);
    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(CanRunInThisSession());
    const auto waited = std::chrono::steady_clock::now() - start;
    const std::string said = testing::internal::GetCapturedStderr();
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EXPECT_NE(said.find("did not answer within 5 seconds"), std::string::npos) << said;
    EXPECT_GE(waited, std::chrono::seconds(5));
}
