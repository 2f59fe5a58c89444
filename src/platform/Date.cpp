#include "platform/Date.h"

#include "platform/Exceptions.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days from 1970-01-01 to the given proleptic Gregorian date (month 1..12).
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const int64_t kEpochDays = DaysFromCivil(1904, 1, 1);

int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

// A short text of a few numbers, formatted as printf would.
[[gnu::format(printf, 1, 2)]] std::string Formatted(const char* format, ...) {
    char buffer[48];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

std::optional<int64_t>& FixedClock() {
    static std::optional<int64_t> fixed;
    return fixed;
}

// Reads exactly `width` digits at text[pos].
bool Digits(std::string_view text, size_t pos, size_t width, int& out) {
    if (pos + width > text.size()) return false;
    int value = 0;
    for (size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    out = value;
    return true;
}

bool ParseSQLDate(std::string_view text, int& y, int& m, int& d) {
    return Digits(text, 0, 4, y) && text[4] == '-' && Digits(text, 5, 2, m) && text[7] == '-' &&
           Digits(text, 8, 2, d) && m >= 1 && m <= 12 && d >= 1 && d <= Date::DaysInMonth(y, m);
}

} // namespace

Date::Date() : seconds_(ClockNow()) {}

Date::Date(int year, int month, int day, int hour, int minute, int second) {
    Assign({year, month, day, hour, minute, second});
}

Date::Civil Date::Fields() const {
    const int64_t days = FloorDiv(seconds_, kSecondsPerDay);
    int64_t rest = seconds_ - days * kSecondsPerDay;
    Civil c{};
    CivilFromDays(days + kEpochDays, c.year, c.month, c.day);
    c.hour = static_cast<int>(rest / 3600);
    rest %= 3600;
    c.minute = static_cast<int>(rest / 60);
    c.second = static_cast<int>(rest % 60);
    return c;
}

void Date::Assign(Civil c) {
    // Months roll into years first; then days, hours, minutes and seconds simply add up.
    const int64_t monthIndex = int64_t{c.year} * 12 + (c.month - 1);
    const int64_t year = FloorDiv(monthIndex, 12);
    const int month = static_cast<int>(monthIndex - year * 12) + 1;
    const int64_t days = DaysFromCivil(year, month, 1) - kEpochDays + (c.day - 1);
    seconds_ = days * kSecondsPerDay + int64_t{c.hour} * 3600 + int64_t{c.minute} * 60 + c.second;
}

void Date::SetField(int Civil::*field, int value) {
    Civil c = Fields();
    c.*field = value;
    Assign(c);
}

void Date::SetYear(int value) {
    SetField(&Civil::year, value);
}
void Date::SetMonth(int value) {
    SetField(&Civil::month, value);
}
void Date::SetDay(int value) {
    SetField(&Civil::day, value);
}
void Date::SetHour(int value) {
    SetField(&Civil::hour, value);
}
void Date::SetMinute(int value) {
    SetField(&Civil::minute, value);
}
void Date::SetSecond(int value) {
    SetField(&Civil::second, value);
}

int Date::DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) throw OutOfBoundsException("no month " + std::to_string(month));
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<size_t>(month - 1)];
}

int Date::DayOfWeek() const {
    const int64_t days = FloorDiv(seconds_, kSecondsPerDay) + kEpochDays; // from 1970-01-01
    return static_cast<int>(((days + 4) % 7 + 7) % 7) + 1; // 1970-01-01 was a Thursday
}

int Date::DayOfYear() const {
    const Civil c = Fields();
    return static_cast<int>(DaysFromCivil(c.year, c.month, c.day) - DaysFromCivil(c.year, 1, 1)) +
           1;
}

int Date::WeekOfYear() const {
    const Date first(Year(), 1, 1);
    return (DayOfYear() - 1 + first.DayOfWeek() - 1) / 7 + 1;
}

std::string Date::ShortDate() const {
    const Civil c = Fields();
    return Formatted("%d/%d/%d", c.month, c.day, c.year);
}

std::string Date::LongDate() const {
    const Civil c = Fields();
    return std::string(kWeekdays[static_cast<size_t>(DayOfWeek() - 1)]) + ", " +
           kMonths[static_cast<size_t>(c.month - 1)] + " " + std::to_string(c.day) + ", " +
           std::to_string(c.year);
}

std::string Date::ShortTime() const {
    const Civil c = Fields();
    const int hour12 = c.hour % 12 == 0 ? 12 : c.hour % 12;
    return Formatted("%d:%02d %s", hour12, c.minute, c.hour < 12 ? "AM" : "PM");
}

std::string Date::SQLDate() const {
    const Civil c = Fields();
    return Formatted("%04d-%02d-%02d", c.year, c.month, c.day);
}

std::string Date::SQLDateTime() const {
    const Civil c = Fields();
    return Formatted("%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                     c.second);
}

void Date::SetSQLDate(const std::string& text) {
    int y = 0, m = 0, d = 0;
    if (text.size() != 10 || !ParseSQLDate(text, y, m, d))
        throw UnsupportedFormatException("not an SQL date: " + text);
    Civil c = Fields();
    c.year = y;
    c.month = m;
    c.day = d;
    Assign(c);
}

bool Date::ReadSQLDateTime(std::string_view text, Civil& c) {
    return text.size() == 19 && ParseSQLDate(text, c.year, c.month, c.day) && text[10] == ' ' &&
           Digits(text, 11, 2, c.hour) && text[13] == ':' && Digits(text, 14, 2, c.minute) &&
           text[16] == ':' && Digits(text, 17, 2, c.second) && c.hour <= 23 && c.minute <= 59 &&
           c.second <= 59;
}

bool Date::IsSQLDateTime(std::string_view text) {
    Civil c{};
    return ReadSQLDateTime(text, c);
}

void Date::SetSQLDateTime(const std::string& text) {
    Civil c{};
    if (!ReadSQLDateTime(text, c))
        throw UnsupportedFormatException("not an SQL date-time: " + text);
    Assign(c);
}

void Date::FixClock(std::optional<int64_t> totalSeconds) {
    FixedClock() = totalSeconds;
}

int64_t Date::ClockNow() {
    if (FixedClock()) return *FixedClock();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    Date date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
              local.tm_sec);
    return date.TotalSeconds();
}

bool ParseDate(const std::string& text, Date& date) {
    // M/D/Y as ShortDate writes it: one or two digits, one or two digits, one to four digits.
    size_t pos = 0;
    auto number = [&](size_t minDigits, size_t maxDigits, int& out) {
        size_t start = pos;
        int value = 0;
        while (pos < text.size() && pos - start < maxDigits && text[pos] >= '0' && text[pos] <= '9')
            value = value * 10 + (text[pos++] - '0');
        out = value;
        return pos - start >= minDigits;
    };
    int m = 0, d = 0, y = 0;
    if (!number(1, 2, m) || pos >= text.size() || text[pos++] != '/') return false;
    if (!number(1, 2, d) || pos >= text.size() || text[pos++] != '/') return false;
    const size_t yearStart = pos;
    if (!number(1, 4, y)) return false;
    // ShortDate writes no leading zero: "09" is a two-digit year, not the year 9.
    if (text[yearStart] == '0' && pos - yearStart > 1) return false;
    if (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') return false;
    if (m < 1 || m > 12 || d < 1 || d > Date::DaysInMonth(y, m)) return false;
    Date result = date;
    result.SetDay(1); // keep the day valid while the month changes
    result.SetYear(y);
    result.SetMonth(m);
    result.SetDay(d);
    date = result;
    return true;
}
