#include "platform/Text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {
// ASCII only, whatever the locale: a byte of a UTF-8 sequence is never a letter on its own.
constexpr char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

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
    // strtod also reads hex, inf and nan; only plain decimal numbers count here.
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    size_t end = i;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
    const size_t digitsStart = end;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
        ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
    }
    if (end == digitsStart || (end == digitsStart + 1 && text[digitsStart] == '.')) return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        size_t exp = end + 1;
        if (exp < text.size() && (text[exp] == '-' || text[exp] == '+')) ++exp;
        if (exp < text.size() && std::isdigit(static_cast<unsigned char>(text[exp]))) {
            while (exp < text.size() && std::isdigit(static_cast<unsigned char>(text[exp])))
                ++exp;
            end = exp;
        }
    }
    return std::strtod(std::string(text.substr(i, end - i)).c_str(), nullptr);
}

std::string Str(long long value) {
    return std::to_string(value);
}

std::string Str(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    return buffer;
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
    std::transform(out.begin(), out.end(), out.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
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
