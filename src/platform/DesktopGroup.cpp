#include "platform/DesktopGroup.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {
// The toolkit's connection to the X server; null when not on X11 (the offscreen tests, say).
xcb_connection_t* Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

const xcb_screen_t* FirstScreen(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// Whether a window manager runs: it names its own window on the root window.
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, root, Atom(connection, "_NET_SUPPORTING_WM_CHECK"),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr);
    const bool runs = reply && xcb_get_property_value_length(reply) > 0;
    std::free(reply);
    return runs;
}
} // namespace

void StandInFrontOfGroup(QWindow& window) {
    xcb_connection_t* connection = Connection();
    const xcb_screen_t* screen = connection ? FirstScreen(connection) : nullptr;
    if (!screen) return;
    // The toolkit names its hidden leader window here at every show, which desktops take for no
    // window of the program at all; the root window is the customary name for "the group".
    const xcb_window_t root = screen->root;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &root);
    xcb_flush(connection);
}

bool ActivateAsTheUser(QWindow& window) {
    xcb_connection_t* connection = Connection();
    const xcb_screen_t* screen = connection ? FirstScreen(connection) : nullptr;
    if (!screen || !WindowManagerRuns(connection, screen->root)) return false;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = Atom(connection, "_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2; // the user's request, as a task bar's
    // The desktop's present time: the user's key came before the window with the keyboard went,
    // and the server refuses a focus older than that change.
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    return true;
}

std::optional<bool> HasInputFocus(QWindow& window) {
    xcb_connection_t* connection = Connection();
    if (!connection) return std::nullopt;
    xcb_get_input_focus_reply_t* reply =
        xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool focused = reply && reply->focus == static_cast<xcb_window_t>(window.winId());
    std::free(reply);
    return focused;
}
