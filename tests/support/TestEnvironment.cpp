#include "support/TestEnvironment.h"

#include "support/PictureTestSupport.h"
#include "support/Waiting.h"

#include "platform/Application.h"
#include "platform/Date.h"
#include "platform/FolderItem.h"
#include "platform/TestSeams.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

TestEnvironment::TestEnvironment() {
    std::string pattern = (fs::temp_directory_path() / "calendar-test-XXXXXX").string();
    home_ = mkdtemp(pattern.data());
    for (const auto& folder :
         {Documents(), Config(), AppFolder(), home_ / "run", LastingTemporary(), Temporary()})
        fs::create_directories(folder);
    fs::permissions(home_ / "run", fs::perms::owner_all);
    SpecialFolder::SetLastingTemporary(LastingTemporary());
    setenv("HOME", home_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home_ / "run").c_str(), 1);
    if (const char* temporary = std::getenv("TMPDIR")) machineTemporary_ = temporary;
    setenv("TMPDIR", Temporary().c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    SpecialFolder::SetApplicationFolder(AppFolder());
    TestSeams::Enable();
    Date::FixClock(std::nullopt);
}

TestEnvironment::~TestEnvironment() {
    TestSeams::Disable();
    SpecialFolder::SetApplicationFolder(std::nullopt);
    SpecialFolder::SetLastingTemporary(std::nullopt);
    machineTemporary_ ? setenv("TMPDIR", machineTemporary_->c_str(), 1) : unsetenv("TMPDIR");
    Date::FixClock(std::nullopt);
    std::error_code error;
    fs::remove_all(home_, error);
}

void TestEnvironment::WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string TestEnvironment::ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<fs::path> TestEnvironment::Rescues(const fs::path& folder) {
    static const std::regex kName(
        R"(Calendar rescued \d{4}-\d\d-\d\d \d\d\.\d\d\.\d\d [A-Za-z0-9]{6}\.tpc)");
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (std::regex_match(entry.path().filename().string(), kName))
            found.push_back(entry.path());
    std::ranges::sort(found);
    return found;
}

void TestEnvironment::InstallEdition(const std::string& name, const std::string& extraKeys) const {
    const fs::path folder = AppFolder() / name;
    fs::create_directories(folder);
    FilledPicture(480, 300, RGB(70, 120, 170))->Save(folder / "wide.png");
    FilledPicture(400, 320, RGB(70, 120, 170))->Save(folder / "standard.png");
    WriteFile(folder / "calspc.dat", "vendorName=Studio " + name +
                                         "\nvendorURL=https://example.com/\n"
                                         "backgroundImageWide=wide.png\n"
                                         "backgroundImageStandard=standard.png\n" +
                                         extraKeys);
    WriteFile(AppFolder() / "caldef.dat", name + "\n");
}

bool IsolatedTest::EventsUntil(const std::function<bool()>& condition) {
    return WaitUntil(condition);
}

std::vector<std::string> IsolatedTest::Messages() {
    std::vector<std::string> messages;
    for (const auto& dialog : TestSeams::Dialogs())
        messages.push_back(dialog.message);
    return messages;
}
