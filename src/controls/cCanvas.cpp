#include "controls/cCanvas.h"

// The badge's drawing arrives with the countdown feature; until then there is nothing to draw.
void cCanvas::updateCountdown() {}
