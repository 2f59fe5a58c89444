#include "platform/DisplayPlatform.h"

#include <cstdlib>
#include <iostream>

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

bool CanRunInThisSession() {
    if (ChooseDisplayPlatform(CurrentSessionVariables()) != DisplayPlatform::NoX11) return true;
    std::cerr << "Ombrelline Calendar needs X11 or XWayland, and this Wayland session has no X "
                 "display (DISPLAY is not set).\nStart it in an X11 session, or in a Wayland "
                 "session whose desktop runs XWayland.\n";
    return false;
}
