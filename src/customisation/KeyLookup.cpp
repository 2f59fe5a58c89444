// The key lookup of the calendar file. A key is found as the whole key at the start of its
// line (letter case and surrounding blanks ignored), never inside a longer key or inside
// another line's value; its value is everything after the line's first "=", up to the line's
// end, untrimmed. Lines may end in LF, CRLF or CR.
#include "customisation/CustomizationModule.h"

#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string KeyValue(std::string_view text, std::string_view key) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // a byte-order mark
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos && TextEquals(TrimBlanks(line.substr(0, equals)), key))
            return std::string(line.substr(equals + 1));
        start = end + 1;
    }
    return {};
}

int Component(const std::string& field) {
    return static_cast<int>(std::clamp(std::trunc(Val(field)), -1.0e6, 1.0e6));
}

} // namespace

CalendarValue CustomizationModule::ParseSpec(const std::string& text, const std::string& key) {
    std::string value = KeyValue(text, key);
    if (InStr(key, "color") == 0) return value;
    if (value.find(',') != std::string::npos)
        return RGB(Component(NthField(value, ",", 1)), Component(NthField(value, ",", 2)),
                   Component(NthField(value, ",", 3)));
    return ColorFromText(value);
}
