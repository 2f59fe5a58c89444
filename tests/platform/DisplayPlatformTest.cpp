#include "platform/DisplayPlatform.h"

#include <gtest/gtest.h>

#include <future>

namespace {
struct Session {
    const char* name;
    SessionVariables variables;
    DisplayPlatform expected;
    XDisplayAnswer xDisplay;    // what opening DISPLAY's display gives
    const char* says = nullptr; // in the one line that ends the start; none when it starts
};

constexpr auto kToolkit = DisplayPlatform::AsTheToolkitChooses;
constexpr auto kX11 = DisplayPlatform::X11;
constexpr auto kNoX11 = DisplayPlatform::NoX11;
const XDisplayAnswer kOpened{};
} // namespace

// Fields: QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY.
TEST(DisplayPlatformTest, AWaylandSessionRunsTheCalendarThroughItsXServer) {
    const Session sessions[] = {
        {"GNOME or Plasma on Wayland", {"", "wayland", "wayland-0", ":0"}, kX11, kOpened},
        {"Wayland without XWayland",
         {"", "wayland", "wayland-0", ""},
         kNoX11,
         kOpened,
         "this Wayland session has no X display"},
        {"Wayland session, socket unnamed",
         {"", "wayland", "", ""},
         kNoX11,
         kOpened,
         "no X display"},
        {"compositor started from a console", {"", "tty", "wayland-1", ":1"}, kX11, kOpened},
        {"X11 session", {"", "x11", "", ":0"}, kToolkit, kOpened},
        {"user chose Wayland", {"wayland", "wayland", "wayland-0", ":0"}, kToolkit, kOpened},
        {"user chose X11 without DISPLAY", {"xcb", "wayland", "wayland-0", ""}, kToolkit, kOpened},
        {"tests' offscreen platform", {"offscreen", "wayland", "wayland-0", ""}, kToolkit, kOpened},
        {"nothing set", {"", "", "", ""}, kToolkit, {XDisplay::Unset}, "(DISPLAY is empty"},
        {"text console", {"", "tty", "", ""}, kToolkit, {XDisplay::Unset}, "(DISPLAY is empty"},
        {"stale DISPLAY",
         {"", "x11", "", ":99"},
         kToolkit,
         {XDisplay::Unreachable},
         "cannot open the X display \":99\": no X server"},
        {"server that never answers",
         {"", "", "", "host:0"},
         kToolkit,
         {XDisplay::Silent},
         "\"host:0\" did not answer within 5 seconds"},
        {"wrong key",
         {"", "x11", "", ":57"},
         kToolkit,
         {XDisplay::Refused, "Invalid key\n"},
         "\":57\" refused the connection: Invalid key."},
        {"XWayland refuses",
         {"", "wayland", "wayland-0", ":1"},
         kX11,
         {XDisplay::Refused},
         "\":1\" refused the connection."},
        {"user's platform, display gone",
         {"xcb", "x11", "", ":99"},
         kToolkit,
         {XDisplay::Unreachable}},
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
