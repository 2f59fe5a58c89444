#pragma once
// The X server going away (a startx or xinit session's end, a crash of the server, a dropped
// remote session) ends the program on the road of a logout's signal: what is typed and unsaved is
// written, else rescued, and the process ends with code 1 without asking the display anything.

// Watches for the toolkit's word that the connection to the display broke, which it says just
// before it ends the process from inside its reading of the display's events. Called once the
// application object runs; later calls do nothing.
void EndWhenTheDisplayGoes();
