#pragma once
// One line on standard error for everything the program skips or refuses, naming what and
// which file, so that a user's report can say why (the message boxes stay as they are).
#include <filesystem>
#include <string>

// Writes "calendar: <what>: <file>" (or "calendar: <what>" without a file) and a line end.
void LogProblem(const std::string& what, const std::filesystem::path& file = {});
