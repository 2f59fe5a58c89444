#include "app/App.h"
#include "app/EventFile.h"
#include "app/Menu.h"
#include "app/Startup.h"

#include "customisation/BuiltInPictures.h"
#include "platform/DisplayPlatform.h"
#include "platform/Toolkit.h"

#include <cstdlib>

int RunCalendar() {
    // Before the locks and the event file: a session without a display the calendar can use
    // ends here, with nothing taken.
    if (!CanRunInThisSession()) return EXIT_FAILURE;
    // The event file is read only under the single-instance lock: a copy that read it while
    // another was saving, and got the lock once that one quit, would write back what it read.
    auto lock = std::make_unique<Mutex>(AppText::kMutexName);
    auto fileLock = MakeEventFileMutex();
    // A large event file takes as long to read as the toolkit takes to start. A copy refused
    // here tries the locks again at Open and reads the file then, if it gets them.
    std::future<EventFileLines> events;
    if (TakeInstanceLocks(*lock, *fileLock, false))
        events = StartReadingEventFile(fileLock->Held());
    Toolkit toolkit;
    app application;
    application.appMutex = std::move(lock);
    application.eventFileMutex = std::move(fileLock);
    application.userEventsReading = std::move(events);
    application.SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    const int code = application.Run();
    ReleaseBuiltInPictures();
    return code;
}
