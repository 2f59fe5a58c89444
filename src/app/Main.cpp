#include "app/App.h"
#include "app/EventFile.h"
#include "app/Menu.h"
#include "app/Startup.h"

#include "customisation/BuiltInPictures.h"
#include "platform/Toolkit.h"

int RunCalendar() {
    // A large event file takes as long to read as the toolkit takes to start.
    auto events = StartReadingEventFile();
    Toolkit toolkit;
    app application;
    application.userEventsReading = std::move(events);
    application.SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    const int code = application.Run();
    ReleaseBuiltInPictures();
    return code;
}
