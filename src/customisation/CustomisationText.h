#pragma once
// The messages of the calendar load, as the user sees them.
namespace CustomisationText {
inline constexpr const char* kNoCalendarFolder =
    "Unable to open the calendar specifications folder.  Please re-install Calendar.";
inline constexpr const char* kNoSpecificationFile =
    "Unable to open the calendar specifications file 'calSpc.dat'. Please re-install Calendar.";
inline constexpr const char* kNoBackground =
    "An error occurred while loading a calendar image.  Please re-install the calendar and "
    "ensure that the calendar image property definitions are correct.";
inline constexpr const char* kFatalLoadError =
    "A fatal error occurred while loading the calendar properties. The application must quit.  "
    "Re-installing the calendar may resolve this problem.";
inline constexpr const char* kCyclePictureMissing =
    "An error occurred while loading a calendar image.  Please re-install the calendar and "
    "ensure that the calendar image properties (calspc.dat) are correct.";
inline constexpr const char* kCycleFailed =
    "An error occurred while loading calendar images. Please re-install the calendar and ensure "
    "that the calendar image properties are correct.";
} // namespace CustomisationText
