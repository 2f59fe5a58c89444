#include "customisation/CustomizationModule.h"

#include "customisation/SpecValues.h"

CustomizationModule& Customization() {
    static CustomizationModule module;
    return module;
}

void CustomizationModule::CustomizeCalendar() {
    FindSpecs();
    if (SpecValues::ApplicationEnding()) return;
    LoadSpecs();
}
