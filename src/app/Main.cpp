#include "app/App.h"
#include "app/Startup.h"

#include "platform/Toolkit.h"

int RunCalendar() {
    Toolkit toolkit;
    app application;
    return application.Run();
}
