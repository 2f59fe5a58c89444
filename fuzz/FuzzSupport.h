#pragma once
// What every fuzz target shares: a temporary home with its Documents, configuration and
// application folders, the toolkit on its offscreen platform, and dialogs answered by the test
// seams instead of a person.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace Fuzz {

// Sets up the home on the first call; the same folders serve every input after it.
const std::filesystem::path& Home();
std::filesystem::path AppFolder();
std::filesystem::path Documents();
std::filesystem::path Config();

std::string Text(const uint8_t* data, size_t size);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace Fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
