#include "platform/DesktopGroup.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

void StandInFrontOfGroup(QWindow& window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return; // not on X11: the offscreen tests, say
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return;
    // The toolkit names its hidden leader window here at every show, which desktops take for no
    // window of the program at all; the root window is the customary name for "the group".
    const xcb_window_t root = screen->root;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_TRANSIENT_FOR,
                        XCB_ATOM_WINDOW, 32, 1, &root);
    xcb_flush(connection);
}
