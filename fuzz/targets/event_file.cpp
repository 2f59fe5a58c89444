// The user's event file, read into the event store at start-up.
#include "FuzzSupport.h"

#include "app/App.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Home();
    app application;
    Fuzz::WriteFile(Fuzz::Documents() / AppText::kEventFileName, Fuzz::Text(data, size));
    application.LoadUserEvents();
    return 0;
}
