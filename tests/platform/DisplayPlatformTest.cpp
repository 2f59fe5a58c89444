#include "platform/DisplayPlatform.h"

#include <gtest/gtest.h>

#include <future>

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
