#pragma once
// Which of the toolkit's display platforms the calendar runs on. The calendar places its own
// windows at the screen's top edge (the slide, the tab), which a Wayland compositor lets no client
// do; so in a Wayland session it runs through the session's X server (XWayland), and where there
// is none it cannot run at all. Nor can it where the X display cannot be opened, which is found
// before the toolkit starts, since the toolkit's own failure there is an abort.
#include <chrono>
#include <ctime>
#include <functional>
#include <memory>
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

enum class XDisplay {
    Opened,
    Unset,       // DISPLAY is empty
    Unreachable, // no X server there, or no display's name
    Silent,      // a server took the connection and did not answer in time
    Refused,     // the server refused the connection: most often its authorisation
};
struct XDisplayAnswer {
    XDisplayAnswer(XDisplay outcome = XDisplay::Opened, std::string said = {})
        : outcome(outcome), said(std::move(said)) {}

    XDisplay outcome;
    std::string said;           // the server's own words for a refusal
    std::shared_ptr<void> kept; // the display opened, closed with the last copy
};
using XDisplayOpener = std::function<XDisplayAnswer(const std::string& display)>;

// Opens and closes the X display named display (XAUTHORITY's key offered), waiting at most bound.
XDisplayAnswer OpenXDisplay(const std::string& display, std::chrono::milliseconds bound);
// The monotonic clock, in seconds and nanoseconds.
timespec MonotonicNow();
// What open gives, or Silent when it has not come back within bound, by now's clock or by a count
// of short sleeps, whichever ends first; it may go on after that.
XDisplayAnswer WithinBound(std::chrono::milliseconds bound, std::function<XDisplayAnswer()> open,
                           const std::function<timespec()>& now = MonotonicNow);

// Why the calendar cannot run in this session, in one line; empty when it can. openX is asked
// only where the calendar would run on X11 without the user's choice of platform.
std::string WhyTheCalendarCannotRun(const SessionVariables& session, const XDisplayOpener& openX);
// In a session the calendar cannot run in, says why on standard error and returns false. The X
// display it opened stays open until LetGoOfTheOpenedDisplay: a server that starts afresh when
// its last client leaves (xinit's, Xvfb's) would otherwise do so as the toolkit connects.
bool CanRunInThisSession();
void LetGoOfTheOpenedDisplay();
