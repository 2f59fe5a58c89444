#include "platform/Color.h"

#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
Color FromValue(long long value) {
    if (value < 0) value = 0;
    value &= 0xFFFFFF;
    return RGB(static_cast<int>(value >> 16) & 0xFF, static_cast<int>(value >> 8) & 0xFF,
               static_cast<int>(value) & 0xFF);
}

// A number too large for a whole number (or infinite) gives black, as a negative one does.
Color FromNumber(double value) {
    if (!(std::fabs(value) < 9.0e18)) return {};
    return FromValue(static_cast<long long>(value));
}

bool HexDigits(std::string_view text) {
    return !text.empty() && text.size() <= 8 &&
           std::all_of(text.begin(), text.end(), IsAsciiHexDigit);
}
} // namespace

Color ColorFromText(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    if (digits.size() > 2 && digits[0] == '&' &&
        (digits[1] == 'h' || digits[1] == 'H' || digits[1] == 'c' || digits[1] == 'C'))
        digits.remove_prefix(2);
    else if (!digits.empty() && digits[0] == '#')
        digits.remove_prefix(1);
    else
        return FromNumber(Val(trimmed));
    if (!HexDigits(digits)) return {};
    long long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return FromValue(value);
}
