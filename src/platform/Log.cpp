#include "platform/Log.h"

#include <cstdio>

void LogProblem(const std::string& what, const std::filesystem::path& file) {
    std::string line = "calendar: " + what;
    if (!file.empty()) line += ": " + file.string();
    line += '\n';
    // One write, so that lines from a crash or another process do not interleave within it.
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}
