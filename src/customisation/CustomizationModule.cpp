#include "customisation/CustomizationModule.h"

#include "customisation/CalendarKeys.h"

CustomizationModule& Customization() {
    static CustomizationModule module;
    return module;
}

void CustomizationModule::CustomizeCalendar() {
    FindSpecs();
    if (CalendarKeys::ApplicationEnding()) return;
    LoadSpecs();
}
