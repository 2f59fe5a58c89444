#pragma once
// Every test runs in its own temporary home: Documents, the configuration folder, the run-time
// folder and the application folder are fresh, and the real ones are never touched.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
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

    // A small calendar folder of "Studio <name>", named by caldef.dat in the application folder:
    // plain pictures of both shapes and the given extra calendar file lines.
    void InstallEdition(const std::string& name = "Simple",
                        const std::string& extraKeys = {}) const;

    static void WriteFile(const std::filesystem::path& path, const std::string& text);
    static std::string ReadFile(const std::filesystem::path& path);

  private:
    std::filesystem::path home_;
};

// Named pipes in the place of files, for readers that must never wait on one. Should a reader
// wait all the same, the pipes are given writers after a long while, so that the test fails
// instead of hanging.
class PipesInPlace {
  public:
    explicit PipesInPlace(std::vector<std::filesystem::path> paths);
    ~PipesInPlace();
    PipesInPlace(const PipesInPlace&) = delete;
    PipesInPlace& operator=(const PipesInPlace&) = delete;
    // Whether a reader opened one of the pipes and waited on it.
    bool Waited() const { return waited_; }

  private:
    std::vector<std::filesystem::path> paths_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    std::atomic<bool> waited_ = false;
    std::thread watch_;
};

// A test fixture that owns a TestEnvironment.
class IsolatedTest : public ::testing::Test {
  protected:
    // The texts of the message boxes shown so far.
    static std::vector<std::string> Messages();
    TestEnvironment environment;
};
