#pragma once
// The text helpers of the framework: fields are counted from 1, positions are 1-based and 0
// means "not found"; comparisons and searches ignore letter case (ASCII).
#include <string>
#include <string_view>

// The n-th field of text split at separator (n from 1); empty when there is no such field.
std::string NthField(std::string_view text, std::string_view separator, int n);
// The same field as a view into text.
std::string_view NthFieldView(std::string_view text, std::string_view separator, int n);
// The number of fields of text split at separator; 0 for an empty text.
int CountFields(std::string_view text, std::string_view separator);

// 1-based position of find in text at or after start, letter case ignored; 0 when absent.
int InStr(std::string_view text, std::string_view find);
int InStr(int start, std::string_view text, std::string_view find);
// Case-insensitive equality and three-way comparison.
bool TextEquals(std::string_view a, std::string_view b);
int StrComp(std::string_view a, std::string_view b);

// The leading number of text (blanks before it skipped); 0 when text does not start with one.
// A decimal point and ASCII digits in every locale, as Str writes them.
double Val(std::string_view text);
// The decimal text of a number: whole numbers without a fraction, others with seven
// significant digits and a decimal point, whatever the locale.
std::string Str(long long value);
std::string Str(double value);
// The C library's words for an errno value, as the C locale has them: a message that ends with
// them reads in one language whatever the user's locale.
std::string SystemErrorText(int error);

std::string Trim(std::string_view text);
// ASCII letters only, whatever the locale; other bytes stay as they are.
std::string Lowercase(std::string_view text);
std::string Uppercase(std::string_view text);
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

// ASCII classes of a byte, whatever the locale.
bool IsAsciiDigit(char c);
bool IsAsciiHexDigit(char c);
bool IsAsciiLetterOrDigit(char c);

// The longest beginning of UTF-8 text of at most bytes bytes that ends between two characters.
std::string_view Utf8Beginning(std::string_view text, size_t bytes);
