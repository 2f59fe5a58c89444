// The preferences file, read at start-up.
#include "FuzzSupport.h"

#include "app/App.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Home();
    app application;
    Fuzz::WriteFile(Fuzz::Config() / AppText::kPrefsFileName, Fuzz::Text(data, size));
    application.GetPrefs();
    return 0;
}
