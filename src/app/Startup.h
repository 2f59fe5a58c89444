#pragma once
// The program's main sequence: creates the application object, registers its menu handlers
// and runs the event loop until the application quits; returns the exit code.
int RunCalendar();

class Mutex;
// Takes the single-instance lock and the lock beside the event file without waiting; false when
// another copy holds either. A lock that cannot be made at all says nothing of another copy: it
// is left out (and logged, when log is set).
bool TakeInstanceLocks(Mutex& instance, Mutex& eventFile, bool log);
