#include "support/Mounts.h"

#include "support/Waiting.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {
// sshd refuses to start unless called by its absolute path.
constexpr const char* kServer = "/usr/sbin/sshd";

bool Installed(const std::string& program) {
    if (program.starts_with('/')) return access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
    return false;
}

// Starts a program reading nothing and writing to log: a daemon it leaves behind then holds
// none of the test's pipes, which ctest would wait on.
pid_t Start(const std::vector<std::string>& arguments, const fs::path& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The exit status; -1 where the program did not start or a signal ended it.
int Run(const std::vector<std::string>& arguments, const fs::path& log) {
    const pid_t pid = Start(arguments, log);
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Looks again every few milliseconds until condition holds; false past the deadline of every
// wait. A mount that never comes is a machine that cannot mount, not a failed test.
template <class Condition> bool Within(Condition condition) {
    const auto end = std::chrono::steady_clock::now() + kWaitDeadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

bool IsMountPoint(const fs::path& point) {
    struct stat at {
    }, parent{};
    return ::stat(point.c_str(), &at) == 0 && ::stat(point.parent_path().c_str(), &parent) == 0 &&
           at.st_dev != parent.st_dev;
}

// Whether a process still runs with point among its arguments: the daemon serving the mount.
} // namespace

bool AnyProcessNames(const fs::path& path) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        for (std::string argument; std::getline(file, argument, '\0');)
            if (argument.find(path.string()) != std::string::npos) return true;
    }
    return false;
}

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// A port nothing listens on now; the server binds it a moment later.
int FreePort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    ::bind(socket, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(socket);
    return ntohs(address.sin_port);
}

std::string User() {
    const passwd* user = getpwuid(getuid());
    return user ? user->pw_name : "root";
}

bool Listening(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    const bool listening =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return listening;
}
} // namespace

const char* Mount::Name(Kind kind) {
    switch (kind) {
    case Kind::Bindfs:
        return "bindfs";
    case Kind::Rclone:
        return "rclone";
    case Kind::Sshfs:
        return "sshfs";
    }
    return "";
}

Mount::Mount(Kind kind, const fs::path& backing, const fs::path& point)
    : point_(fs::absolute(point)), files_(point_.string() + ".mount") {
    const fs::path backingFolder = fs::absolute(backing);
    const std::string tool = Name(kind);
    if (!fs::exists("/dev/fuse")) {
        reason_ = "no /dev/fuse: FUSE mounts are not possible here";
        return;
    }
    if (!Installed(tool) ||
        (kind == Kind::Sshfs && (!Installed(kServer) || !Installed("ssh-keygen")))) {
        reason_ = "no " + tool + ": tools/setup.sh installs " +
                  (kind == Kind::Sshfs ? "sshfs and openssh-server" : tool);
        return;
    }
    for (const fs::path& folder : {backingFolder, point_, files_})
        fs::create_directories(folder);
    std::vector<std::string> command;
    switch (kind) {
    case Kind::Bindfs:
        command = {tool, backingFolder, point_};
        break;
    case Kind::Rclone: {
        // Its configuration, cache and log in the test's folder, not the user's.
        const std::string config = "--config=" + (files_ / "rclone.conf").string(),
                          cache = "--cache-dir=" + (files_ / "cache").string(),
                          log = "--log-file=" + (files_ / "log").string();
        const std::string source = ":local:" + backingFolder.string();
        command = {tool, "mount", source, point_, "--vfs-cache-mode=writes", "--daemon"};
        command.insert(command.end(), {config, cache, log});
        break;
    }
    case Kind::Sshfs: {
        if (!StartServer()) return;
        // No ssh configuration of the machine's or the user's, and no question asked.
        const std::string options = "port=" + std::to_string(port_) +
                                    ",IdentityFile=" + (files_ / "user_key").string() +
                                    ",IdentitiesOnly=yes,BatchMode=yes,StrictHostKeyChecking=no,"
                                    "UserKnownHostsFile=/dev/null";
        const std::string remote = User() + "@127.0.0.1:" + backingFolder.string();
        command = {tool, "-F", "/dev/null", "-o", options, remote, point_};
        break;
    }
    }
    ran_ = true;
    // A machine whose /dev/fuse its user may not mount through (a container without the right)
    // refuses here.
    if (Run(command, files_ / "log") != 0 || !Within([&] { return IsMountPoint(point_); }))
        reason_ = tool + " could not mount a folder here: " + LastLogLine();
}

bool Mount::StartServer() {
    const fs::path log = files_ / "log";
    for (const char* key : {"host_key", "user_key"})
        if (Run({"ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", files_ / key}, log) != 0) {
            reason_ = "ssh-keygen made no key: " + LastLogLine();
            return false;
        }
    fs::copy_file(files_ / "user_key.pub", files_ / "authorized_keys");
    port_ = FreePort();
    std::ofstream(files_ / "sshd_config")
        << "ListenAddress 127.0.0.1\nPort " << port_ << "\nHostKey \""
        << (files_ / "host_key").string() << "\"\nAuthorizedKeysFile \""
        << (files_ / "authorized_keys").string()
        << "\"\nPidFile none\nPermitRootLogin prohibit-password\nStrictModes no\nUsePAM no\n"
           "PasswordAuthentication no\nKbdInteractiveAuthentication no\n"
           "Subsystem sftp internal-sftp\n";
    // In the foreground: a child of this process, ended by its id.
    server_ = Start({kServer, "-D", "-f", files_ / "sshd_config", "-E", log}, log);
    bool ended = server_ < 0;
    Within([&] {
        ended = ended || waitpid(server_, nullptr, WNOHANG) == server_;
        return ended || Listening(port_);
    });
    if (ended) server_ = -1;
    if (ended || !Listening(port_)) {
        reason_ = "sshd would not serve here (" + LastLogLine() +
                  "): tools/setup.sh installs openssh-server and makes /run/sshd";
        return false;
    }
    return true;
}

Mount::~Mount() {
    const fs::path log = files_ / "log";
    // Lazily, so that a file the test still holds open cannot keep it mounted.
    if (ran_ && Run({"fusermount", "-u", "-z", point_}, log) != 0)
        Run({"umount", "-l", point_}, log);
    // Its daemon leaves once the mount has gone; rclone may still be writing into the test's
    // folder until then, which is removed after this.
    // sshfs's SSH client names the key beside the mount, and may outlive sshfs by a moment.
    if (ran_) Within([&] { return !AnyProcessNames(point_); });
    if (server_ > 0) {
        ::kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
    if (ran_) Within([&] { return !AnyProcessNames(files_); });
}

std::string Mount::LastLogLine() const {
    std::ifstream file(files_ / "log");
    std::string last;
    for (std::string line; std::getline(file, line);)
        if (!line.empty()) last = line;
    return last.empty() ? "it said nothing" : last;
}
