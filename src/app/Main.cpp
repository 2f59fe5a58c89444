#include "app/App.h"
#include "app/EventFile.h"
#include "app/Menu.h"
#include "app/Startup.h"

#include "customisation/BuiltInPictures.h"
#include "platform/Exceptions.h"
#include "platform/Toolkit.h"

int RunCalendar() {
    // The event file is read only under the single-instance lock: a copy that read it while
    // another was saving, and got the lock once that one quit, would write back what it read.
    auto lock = std::make_unique<Mutex>(AppText::kMutexName);
    bool held = false;
    bool unavailable = false; // no lock can be made: the copy runs without, as Open says
    try {
        held = lock->TryEnter();
    } catch (const IOException&) {
        unavailable = true;
    }
    // A large event file takes as long to read as the toolkit takes to start. A copy refused
    // here tries the lock again at Open and reads the file then, if it gets it.
    std::future<EventFileLines> events;
    if (held || unavailable) events = StartReadingEventFile(held);
    Toolkit toolkit;
    app application;
    application.appMutex = std::move(lock);
    application.userEventsReading = std::move(events);
    application.SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    const int code = application.Run();
    ReleaseBuiltInPictures();
    return code;
}
