#include "app/App.h"
#include "app/Menu.h"
#include "app/Startup.h"

#include "customisation/BuiltInPictures.h"
#include "platform/Toolkit.h"

int RunCalendar() {
    Toolkit toolkit;
    app application;
    application.SetMenuBar(&Menu::Instance());
    ApplicationAddMenuHandlers();
    const int code = application.Run();
    ReleaseBuiltInPictures();
    return code;
}
