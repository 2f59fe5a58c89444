// The program's entry: create the application object and run its event loop.
#include "app/App.h"
#include "app/Startup.h"

int main() {
    return RunCalendar();
}
