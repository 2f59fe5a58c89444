#pragma once
// A top-level window with its controls. A window opens once: it registers with the application,
// has its menu handlers added, raises its controls' Open events in creation order and then its
// own. It stays registered until it is closed.
#include "platform/Color.h"
#include "platform/Control.h"
#include "platform/MenuHandlers.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

class Graphics;
class MenuBar;
class PushButton;
class QEventLoop;
class QWidget;
class WindowWidget;

class Window {
  public:
    // The window kinds, numbered as stored designs number them.
    enum FrameType {
        Document = 0,
        MovableModal = 1,
        ModalDialog = 2,
        Floating = 3,
        PlainBox = 4,
        GlobalFloating = 7,
    };

    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Any position is honoured, also above or left of the screen. A change of position raises
    // Moved; a change of size moves and stretches the locked controls.
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    std::string Title() const { return title_; }
    void SetTitle(const std::string& title);
    int Frame() const { return frame_; }
    void SetFrame(int frame);
    // Whether the desktop draws its title bar and border round the window.
    bool DesktopFrame() const { return desktopFrame_; }
    void SetDesktopFrame(bool value);
    // The desktop draws a title bar; a close button only when asked. Without a close button,
    // the desktop's close and the Escape key leave the window open unless Event_DesktopClose
    // does something else; with one, Escape closes the window as the close button does.
    bool CloseButton() const { return closeButton_; }
    void SetCloseButton(bool value);
    ::MenuBar* MenuBar() const { return menuBar_; }
    void SetMenuBar(::MenuBar* menuBar) { menuBar_ = menuBar; }

    // The window's background is filled with BackColor when HasBackColor is set.
    Color BackColor{};
    bool HasBackColor = false;

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Shows the window and brings it to the front; opens it first when it has not been opened.
    void Show();
    // Hiding a dialog or floating window that has the keyboard hands it to the window below.
    void Hide();
    // Gives the shown window the keyboard (the desktop activates it).
    void TakeKeyboard() const;
    // Whether the keys go to the window now.
    bool HasKeyboard() const;
    // Runs Close, then hides the window and unregisters it. A window made by OpenWindow is
    // deleted once the event loop has left the code that closed it.
    void Close();
    bool IsOpen() const { return open_; }
    // Raises the Open events when that has not happened yet; Show and OpenWindow call it.
    void Open();
    // Runs then from the event loop once the window's first frame has been painted (soon, when
    // it has been already): for work that the first frame does not show.
    void AfterFirstFrame(std::function<void()> then);

    // Shows the window modally and returns when it is closed or hidden; the event loop,
    // timers included, goes on meanwhile.
    void ShowModal();
    // The same over a parent window, centred on it; facing is accepted for compatibility.
    void ShowWithin(Window& parent, int facing = -1);

    // Repaints the window and its controls: at once with Refresh, at the next turn of the
    // event loop with Invalidate.
    void Refresh(bool eraseBackground = false);
    void Invalidate(bool eraseBackground = true);

    // Draws the window with its visible controls into g at (x, y).
    void DrawInto(Graphics& g, int x, int y);

    // The last known mouse position in window coordinates.
    int MouseX() const { return mouseX_; }
    int MouseY() const { return mouseY_; }

    // Adds a control under its name (and index for an array member); the window owns it.
    template <class T> T& AddControl(std::unique_ptr<T> control, std::string name, int index = -1) {
        T& added = *control;
        Adopt(std::move(control), std::move(name), index);
        return added;
    }
    // The control of that name (any index), or that member of a control array; nullptr when
    // there is none.
    Control* ControlNamed(const std::string& name) const;
    Control* ControlNamed(const std::string& name, int index) const;
    template <class T> T* ControlAs(const std::string& name) const {
        return dynamic_cast<T*>(ControlNamed(name));
    }
    template <class T> T* ControlAs(const std::string& name, int index) const {
        return dynamic_cast<T*>(ControlNamed(name, index));
    }
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    Control* ControlAt(int index) const;

    // Menu commands by item name, asked before the application's; true ends the command.
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool HandleMenuCommand(const std::string& itemName);
    bool HasMenuHandler(const std::string& itemName) const { return menuHandlers_.Has(itemName); }

    // Events. Mouse positions are in window coordinates.
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_Activate() {}
    virtual void Event_Deactivate() {}
    virtual void Event_Moved() {}
    virtual void Event_Paint(Graphics&) {}
    virtual void Event_EnableMenuItems() {}
    virtual bool Event_MouseDown(int, int) { return false; }
    virtual void Event_MouseDrag(int, int) {}
    virtual void Event_MouseUp(int, int) {}
    virtual bool Event_MouseWheel(int, int, int, int) { return false; }
    virtual bool Event_KeyDown(const std::string&) { return false; }
    // The desktop asks the window to close (its close box, Alt+F4): a window with a close box
    // closes; one without stays open unless it does something else here.
    virtual void Event_DesktopClose() {
        if (CloseButton()) Close();
    }

    QWidget* Widget() const;

    // Keeps a window made by OpenWindow alive until it is closed.
    static void Keep(std::unique_ptr<Window> window);
    // Deletes the windows that OpenWindow made, closed or not: the toolkit does this as it
    // ends, as no window may outlive it (a quit can leave one open).
    static void DiscardAll();

  protected:
    virtual void AddMenuHandlers() {}
    // Where a right click opens the menu bar as a pop-up menu, as the desktop has no global
    // menu bar; nowhere unless a window says so.
    virtual bool MenuBandContains(int, int) const { return false; }
    // Whether Paint covers every pixel of the window by itself (a picture as large as the
    // window, say), so that the back colour need not be filled under it first.
    virtual bool PaintCoversWindow() const { return false; }

  private:
    // Called by the widget when it has painted a frame.
    void FirstFramePainted();

    friend class WindowWidget;
    friend class ControlWidget;
    friend class RectControl;
    friend struct WindowInternals;

    void Adopt(std::unique_ptr<Control> control, std::string name, int index);
    void ApplyFrame();
    void ActivateWindowBelow() const;
    // The desktop minimised the window.
    void Minimised();
    void Restore() const;
    friend std::vector<const Window*> MinimisedWindows();
    friend void RestoreShownWindows(const std::vector<const Window*>& leftMinimised);
    // Asks the desktop to keep this window in front of ground; tellAgain maps it anew so that
    // the desktop reads the request again.
    void StandOver(const Window& ground, bool tellAgain);
    // The messages that the window's opening raised, shown once it is on the screen.
    void ShowHeldMessages();
    friend bool HoldMessage(const std::string& message);
    void PushGeometry();
    void MoveTo(int left, int top);
    void ResizeTo(int width, int height);
    void Resized(int oldWidth, int oldHeight);
    void PositionChanged();
    void UserMoved(int left, int top);
    // The desktop reports the window at a place: its word on a move of the program's, perhaps
    // long after later moves, or a move of its own or the user's.
    void DesktopPlaced(int left, int top);
    void NoteMouse(int x, int y);
    bool OpenMenuAt(int x, int y);
    // A wheel movement over a control without a wheel handler, at (x, y) in window
    // coordinates: it goes to the topmost shown control beneath that has one, else the window.
    void PassWheelOn(const RectControl& from, int x, int y, int deltaX, int deltaY);
    // The key goes to the focused control first, then to the window; when neither uses it,
    // then Return and Enter press the default button, Escape the cancel button.
    bool RouteKey(const std::string& key, RectControl* focused);
    bool PressButton(bool PushButton::*role);
    friend bool RouteKeyToWindow(Window& window, const std::string& key);
    void UpdateControlsShown();
    void Retire();

    std::unique_ptr<WindowWidget> widget_;
    std::vector<std::unique_ptr<Control>> controls_;
    MenuHandlers menuHandlers_;
    std::deque<std::pair<int, int>> requestedPositions_;
    // A dialog's: what the user had minimised when it came.
    std::vector<const Window*> minimisedBefore_;
    ::MenuBar* menuBar_ = nullptr;
    std::string title_;
    int left_ = 0, top_ = 0, width_ = 300, height_ = 300;
    int frame_ = Document;
    bool desktopFrame_ = true;
    bool closeButton_ = true;
    bool visible_ = false;
    bool open_ = false;
    bool opened_ = false;
    bool openingToShow_ = false; // Show is opening the window, and tells its held messages
    bool modal_ = false;
    std::vector<std::string> heldMessages_;
    bool painted_ = false;
    std::vector<std::function<void()>> afterFirstFrame_;
    int mouseX_ = 0, mouseY_ = 0;
    QEventLoop* modalLoop_ = nullptr;
};

// The open windows, in the order they were opened.
std::vector<Window*> OpenWindows();

template <class W> W* FindOpenWindow() {
    for (Window* window : OpenWindows())
        if (auto* found = dynamic_cast<W*>(window)) return found;
    return nullptr;
}

// The open window of class W, or else a new one that has been opened.
template <class W> W& OpenWindow() {
    static_assert(std::is_base_of_v<Window, W>);
    if (W* open = FindOpenWindow<W>()) return *open;
    auto window = std::make_unique<W>();
    W& created = *window;
    Window::Keep(std::move(window));
    created.Open();
    return created;
}

// The same for windows that show themselves when they are made: a new window is also shown;
// an open one is left as it is.
template <class W> W& OpenVisibleWindow() {
    const bool made = FindOpenWindow<W>() == nullptr;
    W& window = OpenWindow<W>();
    if (made) window.Show();
    return window;
}
