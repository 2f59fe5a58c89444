#pragma once
// Where the note of what the calendar owes the user is kept: beside the preferences, or where they
// cannot be written (a full or read-only home) in the first other folder that takes a rescue file,
// under a name of the user's own. The notes hold each line once between them, and the next start
// reads them all.
#include <string>
#include <vector>

namespace RescueNote {

// The lines of every note of the user's, without their ends, each once; another user's file
// under such a name is never read.
std::vector<std::string> Lines();
// Whether the line is in a note now: one that held it already, or the first that takes it.
bool Add(const std::string& line);
// Takes the lines out of every note that holds them; a note left without lines goes.
void Drop(const std::vector<std::string>& lines);
// The lines before become those now: the new ones added first, so that a failure between loses
// none, then the others taken out.
void Replace(const std::vector<std::string>& before, const std::vector<std::string>& now);

} // namespace RescueNote
