#include "support/TestEnvironment.h"

#include "support/PictureTestSupport.h"

#include "platform/Date.h"
#include "platform/FolderItem.h"
#include "platform/TestSeams.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TestEnvironment::TestEnvironment() {
    std::string pattern = (fs::temp_directory_path() / "calendar-test-XXXXXX").string();
    home_ = mkdtemp(pattern.data());
    for (const auto& folder : {Documents(), Config(), AppFolder(), home_ / "run"})
        fs::create_directories(folder);
    fs::permissions(home_ / "run", fs::perms::owner_all);
    setenv("HOME", home_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", Config().c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (home_ / "run").c_str(), 1);
    unsetenv("XDG_DOCUMENTS_DIR");
    SpecialFolder::SetApplicationFolder(AppFolder());
    TestSeams::Enable();
    Date::FixClock(std::nullopt);
}

TestEnvironment::~TestEnvironment() {
    TestSeams::Disable();
    SpecialFolder::SetApplicationFolder(std::nullopt);
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

PipesInPlace::PipesInPlace(std::vector<fs::path> paths) : paths_(std::move(paths)) {
    for (const auto& path : paths_) {
        fs::create_directories(path.parent_path());
        std::error_code error;
        fs::remove(path, error);
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0) << path;
    }
    watch_ = std::thread([this] {
        using namespace std::chrono_literals;
        std::unique_lock lock(mutex_);
        // Far longer than any start takes on a busy machine: only a reader stuck on a pipe
        // lets it pass.
        if (finished_.wait_for(lock, 60s, [this] { return done_; })) return;
        while (!done_) {
            // A writer that opens without waiting succeeds only while a reader has the pipe
            // open; its close then gives that reader the end of the file.
            for (const auto& path : paths_)
                if (const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                    waited_ = true;
                    ::close(fd);
                }
            finished_.wait_for(lock, 10ms, [this] { return done_; });
        }
    });
}

PipesInPlace::~PipesInPlace() {
    {
        const std::lock_guard lock(mutex_);
        done_ = true;
    }
    finished_.notify_all();
    watch_.join();
}

std::vector<std::string> IsolatedTest::Messages() {
    std::vector<std::string> messages;
    for (const auto& dialog : TestSeams::Dialogs())
        messages.push_back(dialog.message);
    return messages;
}
