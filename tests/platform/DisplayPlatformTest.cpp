#include "platform/DisplayPlatform.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <future>
#include <mutex>
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
// An X server of the test's own on a free port of the loopback (display = port - 6000): it takes
// one connection and refuses it in the X protocol's words, closes it after a while, or never says
// a word. A port that nobody listens on is kept taken for the display with nothing there.
class FakeXServer {
  public:
    enum class Does { NotListen, Refuse, Close, Nothing };
    explicit FakeXServer(Does does, std::chrono::milliseconds closeAfter = {})
        : listener_(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        auto* any = reinterpret_cast<sockaddr*>(&address);
        if (::bind(listener_, any, size) != 0 || ::getsockname(listener_, any, &size) != 0)
            ADD_FAILURE() << "no port";
        display_ = "127.0.0.1:" + std::to_string(ntohs(address.sin_port) - 6000);
        if (does == Does::NotListen || ::listen(listener_, 4) != 0) return;
        server_ = std::thread([this, does, until = std::chrono::steady_clock::now() + closeAfter] {
            Serve(does, until);
        });
    }
    ~FakeXServer() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            if (connection_ >= 0) ::shutdown(connection_, SHUT_RDWR);
        }
        ::shutdown(listener_, SHUT_RDWR);
        if (server_.joinable()) server_.join();
        if (connection_ >= 0) ::close(connection_);
        ::close(listener_);
    }
    const std::string& Display() const { return display_; }

  private:
    void Serve(Does does, std::chrono::steady_clock::time_point until) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) return;
        {
            const std::lock_guard lock(mutex_);
            connection_ = fd;
            if (stopping_) return;
        }
        char setup[12];
        if (does == Does::Refuse && ::recv(fd, setup, sizeof setup, MSG_WAITALL) == 12) {
            // Failed, the reason's length, version 11.0, the length of what follows in words, in
            // the client's byte order; the reason padded to whole words.
            const bool big = setup[0] == 'B';
            const std::string reply = std::string{0, 14, char(big ? 0 : 11), char(big ? 11 : 0),
                                                  0, 0,  char(big ? 0 : 4),  char(big ? 4 : 0)} +
                                      "No key given.\n..";
            ::send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
        }
        if (does == Does::Close) {
            std::this_thread::sleep_until(until);
            ::shutdown(fd, SHUT_RDWR);
        }
        while (::recv(fd, setup, sizeof setup, 0) > 0) {
        } // until the client, or the test, lets go
    }

    int listener_;
    std::string display_;
    std::mutex mutex_;
    int connection_ = -1;
    bool stopping_ = false;
    std::thread server_;
};
} // namespace

// Each outcome as a server of the test's own gives it: a refusal's words are the server's, and
// a connection closed without them is no server answering.
TEST(DisplayPlatformTest, EachXServersAnswerIsToldAsItIs) {
    using Does = FakeXServer::Does;
    const struct {
        Does does;
        XDisplay outcome;
        const char* said;
        std::chrono::milliseconds bound;
    } rows[] = {
        {Does::NotListen, XDisplay::Unreachable, "", std::chrono::seconds(5)},
        {Does::Close, XDisplay::Unreachable, "", std::chrono::seconds(5)},
        {Does::Refuse, XDisplay::Refused, "No key given.", std::chrono::seconds(5)},
        {Does::Nothing, XDisplay::Silent, "", std::chrono::milliseconds(100)},
    };
    setenv("XAUTHORITY", "/nonexistent/calendar-test-keys", 1); // no key of the machine's
    for (const auto& row : rows) {
        const FakeXServer server(row.does);
        const XDisplayAnswer answer = OpenXDisplay(server.Display(), row.bound);
        EXPECT_EQ(answer.outcome, row.outcome) << int(row.does);
        EXPECT_EQ(Trim(answer.said), row.said) << int(row.does);
    }
}

// The start gives up on a server that took the connection and said nothing after five seconds
// by the clock, whose close a second later is not taken for no server there.
TEST(DisplayPlatformTest, TheStartWaitsFiveSecondsForAnXServer) {
    const FakeXServer server(FakeXServer::Does::Close, std::chrono::seconds(6));
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
