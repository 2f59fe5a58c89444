#pragma once
// What the controls over the main window share: the product's name and the maker's site, and
// the edition test.
#include "customisation/CustomizationModule.h"
#include "platform/Text.h"

namespace Navigation {
inline constexpr const char* kProductName = "Ombrelline Calendar";
inline constexpr const char* kMakerSite = "https://www.ombrelline-calendar.example/";
} // namespace Navigation

// The Corvessa edition keeps its home button's picture still and its links strip 22 pixels
// tall; it is known by its name, letter case ignored.
inline bool CorvessaEdition() {
    return InStr(Customization().applicationName, "Corvessa") > 0;
}
