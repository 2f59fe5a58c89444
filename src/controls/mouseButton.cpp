#include "controls/mouseButton.h"

// The flag changes before the repaint, so the Paint that follows sees it.
void mouseButton::Event_MouseEnter() {
    mouseIn = true;
    Refresh(true);
}

void mouseButton::Event_MouseExit() {
    mouseIn = false;
    Refresh(true);
}
