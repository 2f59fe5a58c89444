#pragma once
// What the desktop is told of a window's place among the program's windows.
class QWindow;

// The window stands in front of every other window of the program without being linked to any
// one of them: desktops that minimise a linked window together with the window it is linked to
// then minimise it alone. On X11 it is marked transient for its group (WM_TRANSIENT_FOR naming
// the root window), as the toolkit offers no way to say so; elsewhere nothing is done.
void StandInFrontOfGroup(QWindow& window);
