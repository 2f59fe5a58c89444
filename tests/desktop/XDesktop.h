#pragma once
// A look at a real X display through the server's own records: which windows a program has
// mapped, how the window manager stacks them and which one has the keyboard; and the user's
// keys and clicks, sent through xdotool. What the program believes of its windows plays no part.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct _XDisplay;

class XDesktop {
  public:
    using WindowId = unsigned long;
    struct Place {
        int left = 0, top = 0, width = 0, height = 0;
    };

    explicit XDesktop(std::string display);
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    bool Connected() const { return display_ != nullptr; }
    const std::string& Name() const { return name_; }

    // The program's top-level window of that title, a mapped one first; 0 when there is none.
    WindowId Find(pid_t program, const std::string& title) const;
    bool Mapped(WindowId window) const;
    // Whether the program shows a window of that title.
    bool Shows(pid_t program, const std::string& title) const;
    // Where the window stands on the screen, a window manager's frame not counted.
    Place PlaceOf(WindowId window) const;
    // The window manager's stacking of its clients, bottom first; empty without one.
    std::vector<WindowId> Stacking() const;
    // Whether the window manager stacks upper above lower (both mapped).
    bool StacksAbove(WindowId upper, WindowId lower) const;
    WindowId Focus() const;
    // The program's open pop-up menus.
    int OpenMenus(pid_t program) const;
    // One line a window of the program: title, mapped, place, stacking; for failure messages.
    std::string Describe(pid_t program) const;

    // Asks the window manager to minimise the window, as its minimise button does.
    void Minimise(WindowId window) const;
    // Asks the window manager to give the window the keyboard, as a task bar does.
    void Activate(WindowId window) const;
    // Asks the window manager to close the window, as its close button does.
    void AskToClose(WindowId window) const;
    // From now on, the window's unmapping is noted.
    void WatchUnmapping(WindowId window) const;
    // Whether the window was unmapped since it was watched.
    bool WasUnmapped(WindowId window);
    // From now on, the moves of the windows on the screen are noted, as the server makes them.
    void WatchMoves();
    // Whether the window, since the moves were watched, has stood above the top of the screen
    // and then come to rest at it. A window manager may map a window at the top first, a moment
    // before it moves it where the program asked; that alone is no coming down.
    bool CameDownToTop(WindowId window);

    // The colours of the screen in that area, row by row, as the server shows them.
    std::vector<unsigned long> Pixels(Place area) const;

    void MoveTo(int x, int y) const;

    // Whether the program has taken in every event the server sent it before: it answers the
    // window manager's ping to its window after them, in the order the events came.
    bool Answers(WindowId window) const;

    void Click(int x, int y, int button = 1) const;
    void Keys(const std::string& keys) const;

  private:
    std::string name_;
    _XDisplay* display_ = nullptr;
    std::vector<WindowId> unmapped_;
    // Since the moves were watched: each move (window, its top), each window a window manager
    // put a client in (client, frame).
    bool watchingMoves_ = false;
    std::vector<std::pair<WindowId, int>> moves_;
    std::vector<std::pair<WindowId, WindowId>> frames_;
};

// Polls the condition until it holds or the deadline passes; whether it held. The program runs
// apart and each look is a round trip to the server, so it looks every few hundredths of a
// second, and gives up sooner than in-process waits: a desktop fault keeps a test waiting at
// every check, and the group's tests take turns with the displays.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(20));
