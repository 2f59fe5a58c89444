#include "desktop/ProgramRun.h"
#include "desktop/XDesktop.h"

#include "support/TestEnvironment.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

std::map<std::string, std::string> DisplayState(const fs::path& file) {
    std::map<std::string, std::string> state;
    std::istringstream lines(TestEnvironment::ReadFile(file));
    for (std::string line; std::getline(lines, line);)
        if (const auto equals = line.find('='); equals != std::string::npos)
            state[line.substr(0, equals)] = line.substr(equals + 1);
    return state;
}

pid_t Spawn(const std::vector<std::string>& session, const fs::path& log) {
    const auto overridden = [&](const char* variable) {
        if (!std::strncmp(variable, "QT_QPA_", 7)) return true;
        for (const auto& set : session)
            if (!std::strncmp(variable, set.c_str(), set.find('=') + 1)) return true;
        return false;
    };
    std::vector<std::string> variables = session;
    for (char** variable = environ; *variable; ++variable)
        if (!overridden(*variable)) variables.emplace_back(*variable);
    std::vector<char*> envp;
    for (auto& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    for (int output : {1, 2})
        posix_spawn_file_actions_addopen(&actions, output, log.c_str(),
                                         O_WRONLY | O_CREAT | O_APPEND, 0644);
    std::string path = CALENDAR_PROGRAM;
    char* argv[] = {path.data(), nullptr};
    pid_t program = 0;
    const int failed = posix_spawn(&program, path.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(failed, 0) << "cannot start " << path << ": " << std::strerror(failed);
    return failed ? 0 : program;
}

pid_t StartCalendar(const std::string& display, const std::string& bus, const fs::path& log) {
    return Spawn({"DISPLAY=" + display, "DBUS_SESSION_BUS_ADDRESS=" + bus}, log);
}

int EndOf(pid_t program, int seconds) {
    int status = -1;
    if (!WaitFor([&] { return waitpid(program, &status, WNOHANG) == program; },
                 std::chrono::seconds(seconds)))
        return -1;
    return status;
}

OwnDisplay::OwnDisplay() {
    int numbers[2];
    if (::pipe2(numbers, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    for (int output : {1, 2})
        posix_spawn_file_actions_addopen(&actions, output, "/dev/null", O_WRONLY, 0);
    // The server writes the number it picked on descriptor 3 once it is ready.
    posix_spawn_file_actions_adddup2(&actions, numbers[1], 3);
    // -noreset: a server that starts afresh when its last client leaves refuses the next one.
    char* argv[] = {const_cast<char*>("Xvfb"),      const_cast<char*>("-displayfd"),
                    const_cast<char*>("3"),         const_cast<char*>("-screen"),
                    const_cast<char*>("0"),         const_cast<char*>("1440x900x24"),
                    const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),
                    const_cast<char*>("-noreset"),  nullptr};
    const int failed = posix_spawnp(&server_, "Xvfb", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(numbers[1]);
    if (failed) server_ = 0;
    std::string number;
    pollfd ready{numbers[0], POLLIN, 0};
    char digit = 0;
    while (server_ && ::poll(&ready, 1, 10000) == 1 && ::read(numbers[0], &digit, 1) == 1 &&
           digit != '\n')
        number += digit;
    ::close(numbers[0]);
    if (!number.empty()) name_ = ":" + number;
}

OwnDisplay::~OwnDisplay() {
    Kill();
}

void OwnDisplay::Kill() {
    if (server_ <= 0) return;
    ::kill(server_, SIGKILL);
    ::waitpid(server_, nullptr, 0);
    server_ = 0;
}
