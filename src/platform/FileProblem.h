#pragma once
// Why a file of the user's could not be written, or is no file at all, in one sentence that a
// message can show and a standard-error line can end with.
#include <filesystem>
#include <string>

// What stands in the way of writing a file at path (through symbolic links): a missing folder or
// a file in a folder's place, a folder or other non-file in its place, a read-only file or disk,
// a file or folder the user may not write; otherwise what the system said of the failed write
// (error, an errno value), a full disk in plain words.
std::string FileProblem(const std::filesystem::path& path, int error = 0);
