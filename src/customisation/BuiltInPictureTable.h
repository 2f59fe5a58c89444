#pragma once
// The program's own pictures: their names and resource ids, in the order the program declares
// and releases them. The artwork generator draws one picture for each row.
#include <cstddef>
#include <string_view>

struct BuiltInPictureEntry {
    const char* name;
    int id;
    bool transparent; // made white-is-clear when loaded
};

inline constexpr BuiltInPictureEntry kBuiltInPictureTable[] = {
    {"homeButtonNormal", 168, false},
    {"homeButtonMask", 169, false},
    {"homeButtonMouseOver", 170, false},
    {"homeButtonMouseDown", 171, false},
    {"linkButtons", 172, false},
    {"menuButtons", 173, false},
    {"menutoggle", 175, true},
    {"menutoggle2", 178, false},
    {"menutoggleMouseover2", 179, false},
    {"menutoggleMask2", 180, false},
    {"Ombrellinelogographic", 182, false},
    {"customAboutWindowBackground", 183, false},
    {"countdown", 186, true},
    {"countdownmask", 187, false},
    {"menubutton", 189, true},
    {"glanceHeader1", 190, false},
    {"glanceHeader2", 191, false},
    {"Glancetimebackground", 192, false},
    {"returnArrowNew", 193, true},
    {"returnArrowNewMO", 194, true},
    {"deletex", 198, false},
    {"trayIcon48x48", 200, false},
};

inline constexpr size_t kBuiltInPictureCount = std::size(kBuiltInPictureTable);

// The row of a picture by name; a name that is not in the table does not compile.
consteval size_t BuiltInPictureIndex(std::string_view name) {
    for (size_t i = 0; i < kBuiltInPictureCount; ++i)
        if (name == kBuiltInPictureTable[i].name) return i;
    throw "no built-in picture of that name";
}
