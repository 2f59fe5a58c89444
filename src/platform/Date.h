#pragma once
// A calendar date and time of day in local civil time. Every field can be set out of its
// range; the date normalises at once, rolling into the neighbouring minute, day, month or year.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Date {
  public:
    // The present moment, from the clock (which tests can fix).
    Date();
    Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    int Year() const { return Fields().year; }
    int Month() const { return Fields().month; }
    int Day() const { return Fields().day; }
    int Hour() const { return Fields().hour; }
    int Minute() const { return Fields().minute; }
    int Second() const { return Fields().second; }
    void SetYear(int value);
    void SetMonth(int value);
    void SetDay(int value);
    void SetHour(int value);
    void SetMinute(int value);
    void SetSecond(int value);

    int DayOfWeek() const;  // 1 Sunday .. 7 Saturday
    int DayOfYear() const;  // 1 .. 366
    int WeekOfYear() const; // weeks begin on Sunday; week 1 holds 1 January

    // Civil seconds since 1 January 1904, 00:00:00: whole days stay whole whatever the
    // daylight-saving rules of the place.
    int64_t TotalSeconds() const { return seconds_; }
    void SetTotalSeconds(int64_t value) { seconds_ = value; }

    std::string ShortDate() const;   // 12/5/2026
    std::string LongDate() const;    // Saturday, December 5, 2026
    std::string ShortTime() const;   // 9:05 PM
    std::string SQLDate() const;     // 2026-12-05
    std::string SQLDateTime() const; // 2026-12-05 21:05:00

    // Strict parsers: they raise UnsupportedFormatException for any other text. Setting the
    // SQL date keeps the time of day.
    void SetSQLDate(const std::string& text);
    void SetSQLDateTime(const std::string& text);
    // Whether SetSQLDateTime takes text, without making a date of it.
    static bool IsSQLDateTime(std::string_view text);

    bool operator==(const Date& other) const { return seconds_ == other.seconds_; }
    auto operator<=>(const Date& other) const { return seconds_ <=> other.seconds_; }

    // A month outside 1 to 12 raises OutOfBoundsException.
    static int DaysInMonth(int year, int month);

    // The clock behind new dates. Tests fix it; production reads the system's local time.
    static void FixClock(std::optional<int64_t> totalSeconds);
    static int64_t ClockNow();

  private:
    struct Civil {
        int year, month, day, hour, minute, second;
    };
    Civil Fields() const;
    void Assign(Civil civil);
    void SetField(int Civil::*field, int value);
    static bool ReadSQLDateTime(std::string_view text, Civil& civil);

    int64_t seconds_ = 0;
};

// Reads a short date ("M/D/Y", as ShortDate writes it) at the start of text into date,
// keeping date's time of day. Whatever follows the date is ignored. False when text does not
// start with a valid date; date is then unchanged.
bool ParseDate(const std::string& text, Date& date);
