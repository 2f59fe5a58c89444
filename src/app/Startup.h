#pragma once
// The program's main sequence: creates the application object, registers its menu handlers
// and runs the event loop until the application quits; returns the exit code.
int RunCalendar();
