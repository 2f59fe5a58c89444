#pragma once
// The application object: owns the event loop and answers the application-wide events.
// Exactly one exists at a time; the platform finds it through Application::Instance().
#include "platform/MenuHandlers.h"

#include <chrono>
#include <exception>
#include <functional>
#include <string>
#include <vector>

class MenuBar;
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
    // here too, so a logout saves like a normal quit; one that comes while a quit waits in a loop
    // (its message, another program's write) ends that loop, and the quit goes on as a signal's.
    void Quit(int code = 0);
    bool QuitRequested() const { return quitRequested_; }
    // Whether key is the Quit item's shortcut, which a message's modality keeps from the menus:
    // a message that sees it has the quit carried out once it is answered (QuitAfterTheMessage).
    bool IsQuitKey(const std::string& key) const;
    // Quits once the event loop runs again after the message shown now, unless a quit is under way.
    void QuitAfterTheMessage();
    // The quit came from a signal (a logout, a shutdown): nobody is there to answer a dialog.
    bool QuitBySignal() const { return quitBySignal_; }
    int ExitCode() const { return exitCode_; }

    // The X server went away (a startx session's end, a crash, a dropped remote session): the
    // quit runs as a signal's does, its messages to standard error, and nothing asks the display
    // for anything any more. The quit's code is 1, the toolkit's for a lost display. A quit
    // already under way takes that road from here: what the loops below it owe is done
    // (IfTheDisplayGoes), then the steps it had not begun.
    void EndWithoutDisplay();
    bool DisplayGone() const { return displayGone_; }

    // Quit when the last window closes.
    bool AutoQuit = false;
    std::string ShortVersion() const;

    // Runs a handler on behalf of the framework: an exception that leaves it reaches
    // Event_UnhandledException; when that returns false the application quits.
    static void Dispatch(const std::function<void()>& handler);
    // Whether a handler is running below on the stack.
    static bool HandlerRunning();

    // Windows register themselves while they are open, front-most last; activating a window
    // brings it to the end.
    void RegisterWindow(Window* window);
    void UnregisterWindow(Window* window);
    const std::vector<Window*>& Windows() const { return windows_; }
    Window* FrontWindow() const { return windows_.empty() ? nullptr : windows_.back(); }

    // The menu bar that the application and its windows share; not owned.
    ::MenuBar* MenuBar() const { return menuBar_; }
    void SetMenuBar(::MenuBar* menuBar) { menuBar_ = menuBar; }

    // Menu commands by item name; a handler returns true when it handled the command.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool HandleMenuCommand(const std::string& itemName);

    // The menu update that comes before a menu is shown or a shortcut acts: auto-enabling
    // items are enabled, then the front window's and the application's EnableMenuItems run.
    void UpdateMenuItems();
    // Routes a command: the front window's handler first, the application's after a false; a
    // quit item that no handler took quits. True when a handler took the command.
    bool DoMenuCommand(const std::string& itemName);
    // A key with a modifier, in the desktop's text ("Ctrl+W"): after the menu update, the item
    // with that shortcut is chosen when it is enabled and a handler takes it (or it is Quit).
    // True when the menus took the key; otherwise it goes on to the focused control.
    bool MenuShortcut(const std::string& key);

    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Deactivate() {}
    virtual bool Event_UnhandledException(const std::exception&) { return false; }
    virtual void Event_EnableMenuItems() {}

  private:
    void InstallSignalHandlers();
    // The quit's steps not begun yet: the windows' Close events, then the application's.
    void GoOnQuitting();

    std::vector<Window*> windows_;
    ::MenuBar* menuBar_ = nullptr;
    MenuHandlers menuHandlers_;
    bool quitRequested_ = false;
    std::vector<Window*> toClose_;
    bool closeBegun_ = false;
    bool quitBySignal_ = false;
    bool displayGone_ = false;
    int exitCode_ = 0;
    bool inUnhandledException_ = false;
};

// Work that the code after a running event loop (a message box, a wait) owes if the display goes
// meanwhile: the toolkit ends the process once it has told that its display went, so that code
// never resumes, and the display's end does the work instead, on the signal's road. Owed while
// this lives; the innermost runs first, each once.
class IfTheDisplayGoes {
  public:
    explicit IfTheDisplayGoes(std::function<void()> owed);
    ~IfTheDisplayGoes();
    IfTheDisplayGoes(const IfTheDisplayGoes&) = delete;
    IfTheDisplayGoes& operator=(const IfTheDisplayGoes&) = delete;

    // Runs what is owed, and forgets it.
    static void RunAll();

  private:
    std::function<void()> owed_;
};

// Whether the running application's X server went away: nothing may ask the display any more.
bool DisplayLost();
// Lets the event loop run the events that are waiting, then returns.
void DoEvents();
// Runs the event loop, the user's input held back, until done() holds (looked at every few
// milliseconds) or longest has passed: the windows repaint and answer the desktop meanwhile.
// Whether done() held.
bool RunEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds longest);
