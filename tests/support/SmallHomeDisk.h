#pragma once
// Documents and the configuration folder on one small disk of the test's own, as a home's usually
// are: a tmpfs (which only root may mount) over Documents, a folder of it over the configuration
// folder. Fill takes all its room and Free gives it back; the disk goes with this object, before
// the test's home does.
#include "support/TestEnvironment.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>

class SmallHomeDisk {
  public:
    explicit SmallHomeDisk(const TestEnvironment& environment)
        : documents_(environment.Documents()), config_(environment.Config()) {
        mounted_ = ::mount("tmpfs", documents_.c_str(), "tmpfs", 0, "size=256k,mode=0755") == 0;
        if (!mounted_) return;
        std::filesystem::create_directory(documents_ / ".config");
        bound_ = ::mount((documents_ / ".config").c_str(), config_.c_str(), nullptr, MS_BIND,
                         nullptr) == 0;
    }
    ~SmallHomeDisk() {
        if (bound_) ::umount2(config_.c_str(), MNT_DETACH);
        if (mounted_) ::umount2(documents_.c_str(), MNT_DETACH);
    }
    SmallHomeDisk(const SmallHomeDisk&) = delete;
    SmallHomeDisk& operator=(const SmallHomeDisk&) = delete;

    // False where the test may not mount a disk.
    bool Mounted() const { return mounted_ && bound_; }
    void Fill() const {
        std::ofstream filler(Filler(), std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
        }
    }
    void Free() const { std::filesystem::remove(Filler()); }

  private:
    std::filesystem::path Filler() const { return documents_ / ".filler"; }

    std::filesystem::path documents_, config_;
    bool mounted_ = false, bound_ = false;
};
