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

int CustomizationModule::GetSeason(const Date& date) {
    const std::string monthDay = date.SQLDate().substr(5);
    if (monthDay >= "03-20" && monthDay <= "06-20") return 0;
    if (monthDay >= "06-21" && monthDay <= "09-21") return 1;
    if (monthDay >= "09-22" && monthDay <= "12-20") return 2;
    return 3;
}

void CustomizationModule::CycleImage() {}

PicturePtr menubutton() {
    return nullptr;
}
PicturePtr menutoggle() {
    return nullptr;
}
