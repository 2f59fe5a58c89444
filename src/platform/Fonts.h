#pragma once
// Font names as the calendar's designs give them, resolved to the families installed here.
#include <string>
#include <string_view>

// The installed family that a font name draws with. Surrounding blanks and double quotes are
// ignored, and so is letter case. The names the calendar's designs use (Arial, Tahoma, Verdana,
// Times, Courier New, System...) always map to fixed metric-compatible families, so text
// measures the same on every machine set up for the calendar; another name gives the installed
// family of that name, else the default sans-serif family.
std::string ResolveFontFamily(std::string_view name);
