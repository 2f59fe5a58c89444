#pragma once
// The application object: owns the event loop and answers the application-wide events.
// Exactly one exists at a time; the platform finds it through Application::Instance().
#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Window;

class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Instance();

    // Runs the event loop: Open first, then events until Quit; returns the exit code.
    int Run();

    // Runs the windows' Close events and the application's Close event before it returns, then
    // ends the event loop with code. Later calls do nothing. SIGTERM, SIGINT and SIGHUP come
    // here too, so a logout saves like a normal quit.
    void Quit(int code = 0);
    bool QuitRequested() const { return quitRequested_; }
    int ExitCode() const { return exitCode_; }

    // Quit when the last window closes.
    bool AutoQuit = false;
    std::string ShortVersion() const;

    // Runs a handler on behalf of the framework: an exception that leaves it reaches
    // Event_UnhandledException; when that returns false the application quits.
    static void Dispatch(const std::function<void()>& handler);

    // Windows register themselves while they are open, front-most last.
    void RegisterWindow(Window* window);
    void UnregisterWindow(Window* window);
    const std::vector<Window*>& Windows() const { return windows_; }

    // Menu commands by item name; a handler returns true when it handled the command.
    void _AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool HandleMenuCommand(const std::string& itemName);

    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Deactivate() {}
    virtual bool Event_UnhandledException(const std::exception&) { return false; }
    virtual void Event_EnableMenuItems() {}

  private:
    void InstallSignalHandlers();

    std::vector<Window*> windows_;
    std::map<std::string, std::function<bool()>> menuHandlers_;
    bool quitRequested_ = false;
    int exitCode_ = 0;
    bool inUnhandledException_ = false;
};
