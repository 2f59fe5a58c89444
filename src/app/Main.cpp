#include "app/App.h"
#include "app/Startup.h"

#include "customisation/BuiltInPictures.h"
#include "platform/Toolkit.h"

int RunCalendar() {
    EnsureToolkit();
    app application;
    const int code = application.Run();
    ReleaseBuiltInPictures();
    return code;
}
