#include "FuzzSupport.h"

#include "platform/FolderItem.h"
#include "platform/TestSeams.h"
#include "platform/Toolkit.h"

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace Fuzz {

const fs::path& Home() {
    static const fs::path home = [] {
        std::string pattern = (fs::temp_directory_path() / "calendar-fuzz-XXXXXX").string();
        fs::path made = mkdtemp(pattern.data());
        for (const char* folder : {"Documents", ".config", "app", "run"})
            fs::create_directories(made / folder);
        fs::permissions(made / "run", fs::perms::owner_all);
        setenv("HOME", made.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (made / ".config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (made / "run").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        unsetenv("XDG_DOCUMENTS_DIR");
        SpecialFolder::SetApplicationFolder(made / "app");
        TestSeams::Enable();
        // Made once and never destroyed: the fuzzer ends the process without unwinding.
        [[maybe_unused]] static Toolkit& toolkit = *new Toolkit;
        return made;
    }();
    // The folder goes when the process ends normally; a crash leaves it for inspection. The
    // handler is registered once the path is made, so it runs before the path is destroyed.
    [[maybe_unused]] static const bool removedAtExit = std::atexit([] {
                                                           std::error_code error;
                                                           fs::remove_all(home, error);
                                                       }) == 0;
    return home;
}

fs::path AppFolder() {
    return Home() / "app";
}
fs::path Documents() {
    return Home() / "Documents";
}
fs::path Config() {
    return Home() / ".config";
}

std::string Text(const uint8_t* data, size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

} // namespace Fuzz
