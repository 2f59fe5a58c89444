#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace {
// ASCII only, whatever the locale: a byte of a UTF-8 sequence is never a letter on its own,
// and "i" is the upper-case "I" in every language.
constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
constexpr char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The end of the run of digits in text from start.
size_t DigitsEnd(std::string_view text, size_t start) {
    while (start < text.size() && IsAsciiDigit(text[start]))
        ++start;
    return start;
}

// The C locale, made once: the numbers of the calendar's files and the system's reasons read the
// same in every country, while the process keeps the user's locale.
locale_t CLocale() {
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    return c;
}
} // namespace

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsAsciiHexDigit(char c) {
    return IsAsciiDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'f');
}

bool IsAsciiLetterOrDigit(char c) {
    return IsAsciiDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'z');
}

std::string NthField(std::string_view text, std::string_view separator, int n) {
    return std::string(NthFieldView(text, separator, n));
}

std::string_view NthFieldView(std::string_view text, std::string_view separator, int n) {
    if (n < 1) return {};
    if (separator.empty()) return n == 1 ? text : std::string_view();
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const size_t next = text.find(separator, start);
        if (next == std::string_view::npos) return {};
        start = next + separator.size();
    }
    const size_t end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? text.npos : end - start);
}

int CountFields(std::string_view text, std::string_view separator) {
    if (text.empty()) return 0;
    if (separator.empty()) return 1;
    int count = 1;
    for (size_t pos = text.find(separator); pos != text.npos;
         pos = text.find(separator, pos + separator.size()))
        ++count;
    return count;
}

int InStr(std::string_view text, std::string_view find) {
    return InStr(1, text, find);
}

int InStr(int start, std::string_view text, std::string_view find) {
    if (start < 1) start = 1;
    if (static_cast<size_t>(start - 1) > text.size()) return 0;
    if (find.empty()) return start;
    if (text.size() < find.size()) return 0;
    // A plain loop on the first letter: std::search with a predicate is several times slower,
    // and the year grid searches every day's list of events on each paint.
    const char first = Lower(find[0]);
    for (size_t at = static_cast<size_t>(start - 1); at + find.size() <= text.size(); ++at) {
        if (Lower(text[at]) != first) continue;
        size_t matched = 1;
        while (matched < find.size() && Lower(text[at + matched]) == Lower(find[matched]))
            ++matched;
        if (matched == find.size()) return static_cast<int>(at) + 1;
    }
    return 0;
}

bool TextEquals(std::string_view a, std::string_view b) {
    // Texts of different lengths never match, and equal bytes are compared at memory speed
    // before letter case is: a title can be megabytes long.
    return a.size() == b.size() && (a == b || StrComp(a, b) == 0);
}

int StrComp(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char x = Lower(a[i]), y = Lower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

double Val(std::string_view text) {
    // Plain decimal numbers only (no hex, inf or nan), with a decimal point whatever the locale:
    // the files the calendar reads are the same in every country.
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    const bool negative = text.starts_with('-');
    if (text.starts_with('-') || text.starts_with('+')) text.remove_prefix(1);
    const size_t integerEnd = DigitsEnd(text, 0);
    size_t end = integerEnd;
    if (end < text.size() && text[end] == '.') end = DigitsEnd(text, end + 1);
    if (end == 0 || (integerEnd == 0 && end == 1)) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '-' || text[exp] == '+')) ++exp;
        if (const size_t expEnd = DigitsEnd(text, exp); expEnd > exp) end = expEnd;
    }
    const double value = ::strtod_l(std::string(text.substr(0, end)).c_str(), nullptr, CLocale());
    return negative ? -value : value;
}

std::string Str(long long value) {
    return std::to_string(value);
}

std::string Str(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    // Seven significant digits, as "%.7g" gives them in the C locale: a decimal point always.
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    return std::string(buffer, written.ptr);
}

std::string SystemErrorText(int error) {
    return ::strerror_l(error, CLocale());
}

std::string Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t b = 0, e = text.size();
    while (b < e && blank(text[b]))
        ++b;
    while (e > b && blank(text[e - 1]))
        --e;
    return std::string(text.substr(b, e - b));
}

std::string Lowercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), Lower);
    return out;
}

std::string Uppercase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(text);
    std::string out;
    size_t pos = 0;
    for (size_t hit = text.find(find); hit != text.npos; hit = text.find(find, pos)) {
        out.append(text.substr(pos, hit - pos)).append(with);
        pos = hit + find.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string_view Utf8Beginning(std::string_view text, size_t bytes) {
    if (bytes >= text.size()) return text;
    // A byte 10xxxxxx goes on with the character before it.
    while (bytes > 0 && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
        --bytes;
    return text.substr(0, bytes);
}
