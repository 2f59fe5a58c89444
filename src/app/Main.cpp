#include "app/App.h"
#include "app/Startup.h"

#include "platform/Toolkit.h"

int RunCalendar() {
    EnsureToolkit();
    app application;
    return application.Run();
}
