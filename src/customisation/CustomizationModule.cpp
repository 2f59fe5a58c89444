#include "customisation/CustomizationModule.h"

#include "platform/Date.h"

CustomizationModule& Customization() {
    static CustomizationModule module;
    return module;
}

void CustomizationModule::CustomizeCalendar() {
    CustomizationModule& module = Customization();
    if (module.calendarStartYear == 0) module.calendarStartYear = Date().Year() - 1;
}
