// The calendar file's key look-up and the conversions of its values.
#include "FuzzSupport.h"

#include "customisation/CalendarKeys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string calspc = Fuzz::Text(data, size);
    for (const char* key : {"vendorName", "calendarStartYear", "TitleAreaHeight", "menuColor",
                            "topMargin_pct", "floatingLink1CoordinatesWide", "=", ""}) {
        CustomizationModule::ParseSpec(calspc, key);
        CalendarKeys::Integer(calspc, key);
        CalendarKeys::Number(calspc, key);
        CalendarKeys::FlagByConversion(calspc, key);
        CalendarKeys::ColorOf(calspc, key);
    }
    return 0;
}
