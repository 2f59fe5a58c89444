// The date texts the program reads: SQL dates and date-times, and the short dates of the year
// grid's cells, which must read back what ShortDate writes.
#include "FuzzSupport.h"

#include "platform/Date.h"
#include "platform/Exceptions.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text = Fuzz::Text(data, size);
    Date date(2000, 1, 1);
    try {
        date.SetSQLDateTime(text);
    } catch (const UnsupportedFormatException&) {
    }
    try {
        date.SetSQLDate(text);
    } catch (const UnsupportedFormatException&) {
    }
    if (ParseDate(text, date)) {
        Date again(1990, 6, 15);
        if (!ParseDate(date.ShortDate(), again) || again.SQLDate() != date.SQLDate()) std::abort();
    }
    return 0;
}
