#pragma once
// Which of the toolkit's display platforms the calendar runs on. The calendar places its own
// windows at the screen's top edge (the slide, the tab), which a Wayland compositor lets no client
// do; so in a Wayland session it runs through the session's X server (XWayland), and where there
// is none it cannot run at all.
#include <string>

// The variables a desktop session sets that decide the platform; empty when unset.
struct SessionVariables {
    std::string qpaPlatform;    // QT_QPA_PLATFORM: the user's (or a test's) own choice
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string display;        // DISPLAY
};

enum class DisplayPlatform {
    AsTheToolkitChooses, // the user chose, or the session is no Wayland one
    X11,                 // a Wayland session's X server
    NoX11,               // a Wayland session without an X server
};

DisplayPlatform ChooseDisplayPlatform(const SessionVariables& session);
SessionVariables CurrentSessionVariables();

// In a session the calendar cannot run in, says why on standard error and returns false.
bool CanRunInThisSession();
