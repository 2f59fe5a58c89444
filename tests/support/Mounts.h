#pragma once
// A real FUSE mount of a test's own folder, of the kinds users keep their files on: bindfs, an
// rclone mount with its write cache, sshfs through an SSH server of the mount's own on this
// machine. Unmounted, and the server stopped, however the test ends.
#include <filesystem>
#include <string>
#include <sys/types.h>

// Whether a process runs with an argument that names path or a file in it.
bool AnyProcessNames(const std::filesystem::path& path);

class Mount {
  public:
    enum class Kind { Bindfs, Rclone, Sshfs };
    static const char* Name(Kind kind);

    // Mounts backing at point (both made if missing). The keys, configuration and logs go in a
    // folder beside point, "<point>.mount". A kind that cannot run here leaves Mounted() false
    // and Reason() saying why, for GTEST_SKIP().
    Mount(Kind kind, const std::filesystem::path& backing, const std::filesystem::path& point);
    ~Mount();
    Mount(const Mount&) = delete;
    Mount& operator=(const Mount&) = delete;

    bool Mounted() const { return reason_.empty(); }
    const std::string& Reason() const { return reason_; }

  private:
    bool StartServer();
    std::string LastLogLine() const;

    std::filesystem::path point_, files_;
    std::string reason_;
    bool ran_ = false; // the mount command ran, so there may be a mount to end
    pid_t server_ = -1;
    int port_ = 0;
};
