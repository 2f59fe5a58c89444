#pragma once
// Documents and the configuration folder on one small disk of the test's own, as a home's usually
// are: a tmpfs (only root may mount one) over Documents, a folder of it over the configuration
// folder. Both go with this object, before the test's home does.
#include "support/TestEnvironment.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>

class SmallHomeDisk {
  public:
    explicit SmallHomeDisk(const TestEnvironment& environment)
        : documents_(environment.Documents()), config_(environment.Config()) {
        const auto folder = documents_ / ".config";
        mounted_ = ::mount("tmpfs", documents_.c_str(), "tmpfs", 0, "size=256k") == 0 &&
                   std::filesystem::create_directory(folder) &&
                   ::mount(folder.c_str(), config_.c_str(), nullptr, MS_BIND, nullptr) == 0;
    }
    ~SmallHomeDisk() {
        for (const auto& folder : {config_, documents_})
            ::umount2(folder.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    // Takes all its room; Free gives it back.
    void Fill() const {
        std::ofstream filler(documents_ / ".filler", std::ios::binary);
        while (filler.write(std::string(4096, '\0').data(), 4096).flush()) {
        }
    }
    void Free() const { std::filesystem::remove(documents_ / ".filler"); }

  private:
    std::filesystem::path documents_, config_;
    bool mounted_ = false;
};
