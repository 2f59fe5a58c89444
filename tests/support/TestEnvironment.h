#pragma once
// Every test runs in its own temporary home: Documents, the configuration folder, the run-time
// folder, the lasting temporary folder and the application folder are fresh, and the real ones
// are never touched.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TestEnvironment {
  public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    const std::filesystem::path& Home() const { return home_; }
    std::filesystem::path Documents() const { return home_ / "Documents"; }
    std::filesystem::path Config() const { return home_ / ".config"; }
    std::filesystem::path AppFolder() const { return home_ / "app"; }
    std::filesystem::path LastingTemporary() const { return home_ / "var-tmp"; }
    // TMPDIR while the test runs.
    std::filesystem::path Temporary() const { return home_ / "tmp"; }

    // A small calendar folder of "Studio <name>", named by caldef.dat in the application folder:
    // plain pictures of both shapes and the given extra calendar file lines.
    void InstallEdition(const std::string& name = "Simple",
                        const std::string& extraKeys = {}) const;

    static void WriteFile(const std::filesystem::path& path, const std::string& text);
    static std::string ReadFile(const std::filesystem::path& path);
    // The rescue files in folder, named "Calendar rescued <date> <time> <6 letters>.tpc", in name
    // order.
    static std::vector<std::filesystem::path> Rescues(const std::filesystem::path& folder);

  private:
    std::filesystem::path home_;
    std::optional<std::string> machineTemporary_;
};

// A test fixture that owns a TestEnvironment.
class IsolatedTest : public ::testing::Test {
  protected:
    // The texts of the message boxes shown so far.
    static std::vector<std::string> Messages();
    // Turns the event loop until condition holds; false, and the test failed, when it still
    // does not by the deadline of every wait (support/Waiting.h).
    static bool EventsUntil(const std::function<bool()>& condition);
    TestEnvironment environment;
};
