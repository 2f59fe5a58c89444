#pragma once
// What the desktop is told of a window's place among the program's windows, and of the
// keyboard's going to one of them.
#include <optional>

class QWindow;

// The window stands in front of every other window of the program without being linked to any
// one of them: desktops that minimise a linked window together with the window it is linked to
// then minimise it alone. On X11 it is marked transient for its group (WM_TRANSIENT_FOR naming
// the root window), as the toolkit offers no way to say so; elsewhere nothing is done.
void StandInFrontOfGroup(QWindow& window);

// Asks the desktop to give the window the keyboard as the user's doing. Some desktops hand the
// keyboard to a window of their own when the window that had it goes, and an application's
// request from the time of the user's key, which came before, then loses to that: the tab would
// not get Space once the calendar slid away. On X11 this is _NET_ACTIVE_WINDOW with the source
// of a user's request. False when no desktop was asked (no window manager, or not X11): the
// toolkit's own request then serves.
bool ActivateAsTheUser(QWindow& window);

// Whether the X server gives the window the keys; none when not on X11. The toolkit's own word
// may lag: it reports a window's loss of the keys only a while later.
std::optional<bool> HasInputFocus(QWindow& window);
