// caldef.dat, which names the calendar folder in the application folder.
#include "FuzzSupport.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"

namespace {
void MakeEdition() {
    static const bool made = [] {
        Fuzz::WriteFile(Fuzz::AppFolder() / "Plain" / "calspc.dat", "vendorName=Plain\n");
        return true;
    }();
    (void)made;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Home();
    MakeEdition();
    app application;
    Fuzz::WriteFile(Fuzz::AppFolder() / "caldef.dat", Fuzz::Text(data, size));
    Customization() = CustomizationModule{};
    CustomizationModule::FindSpecs();
    Customization() = CustomizationModule{};
    return 0;
}
