#pragma once
// The real program and the X servers it runs on, started apart from the test program.
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// What tools/desktop-display.sh started, as it describes it in file: "key=value" lines.
std::map<std::string, std::string>
DisplayState(const std::filesystem::path& file = DESKTOP_DISPLAY_STATE);

// Starts the program with the test's environment, less the toolkit's platform choice and with
// the session's variables ("NAME=value") in place of its own, its output appended to log; its
// process id, 0 when it did not start (the test has failed then).
pid_t Spawn(const std::vector<std::string>& session, const std::filesystem::path& log);

// Starts the program on display, with the session bus at bus, its standard output and error
// appended to log, in the test's environment (its own home); its process id, 0 when it did not
// start (the test has failed then).
pid_t StartCalendar(const std::string& display, const std::string& bus,
                    const std::filesystem::path& log);

// Waits for program to end, at most seconds; its wait status, or none (-1) when it still runs.
int EndOf(pid_t program, int seconds);

// An X server of the test's own (Xvfb, 1440 x 900), which the test may end under the program
// without disturbing the displays the other tests share.
class OwnDisplay {
  public:
    OwnDisplay();
    ~OwnDisplay();
    OwnDisplay(const OwnDisplay&) = delete;
    OwnDisplay& operator=(const OwnDisplay&) = delete;

    // ":N" once the server answers; empty when it did not start.
    const std::string& Name() const { return name_; }
    // Ends the server at once, as a crash or a startx session's end does.
    void Kill();

  private:
    pid_t server_ = 0;
    std::string name_;
};
