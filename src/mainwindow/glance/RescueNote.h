#pragma once
// A rescue file told only on standard error (the quit of a logout, which no message box
// outlives) is named in a note beside the preferences, which the next start tells once.
#include <filesystem>

namespace RescueNote {

// Adds the rescue file to the note.
void Keep(const std::filesystem::path& rescue);

// Tells, in one message, where the rescue files that the note names and that are still there
// are, and removes the note.
void TellOnce();

} // namespace RescueNote
