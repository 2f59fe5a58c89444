#include "platform/DisplayPlatform.h"

#include <gtest/gtest.h>

namespace {
struct Session {
    const char* name;
    SessionVariables variables;
    DisplayPlatform expected;
};

constexpr auto kToolkit = DisplayPlatform::AsTheToolkitChooses;
constexpr auto kX11 = DisplayPlatform::X11;
constexpr auto kNoX11 = DisplayPlatform::NoX11;
} // namespace

// Fields: QT_QPA_PLATFORM, XDG_SESSION_TYPE, WAYLAND_DISPLAY, DISPLAY.
TEST(DisplayPlatformTest, AWaylandSessionRunsTheCalendarThroughItsXServer) {
    const Session sessions[] = {
        {"GNOME or Plasma on Wayland", {"", "wayland", "wayland-0", ":0"}, kX11},
        {"Wayland without XWayland", {"", "wayland", "wayland-0", ""}, kNoX11},
        {"Wayland session, socket unnamed", {"", "wayland", "", ""}, kNoX11},
        {"compositor started from a console", {"", "tty", "wayland-1", ":1"}, kX11},
        {"X11 session", {"", "x11", "", ":0"}, kToolkit},
        {"user chose Wayland", {"wayland", "wayland", "wayland-0", ":0"}, kToolkit},
        {"user chose X11 without DISPLAY", {"xcb", "wayland", "wayland-0", ""}, kToolkit},
        {"tests' offscreen platform", {"offscreen", "wayland", "wayland-0", ""}, kToolkit},
        {"nothing set", {"", "", "", ""}, kToolkit},
        {"text console", {"", "tty", "", ""}, kToolkit},
    };
    for (const auto& session : sessions)
        EXPECT_EQ(ChooseDisplayPlatform(session.variables), session.expected) << session.name;
}
