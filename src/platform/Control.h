#pragma once
// The things a window holds under a name: visible controls and timers. A control belongs to
// one window, which owns it; array members share a name and differ by index.
#include <functional>
#include <memory>
#include <string>

class ControlWidget;
class QWidget;
class Window;

class Control {
  public:
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    // The member's index in a control array; -1 for a control that is not in one.
    int Index() const { return index_; }
    // The window that holds the control; nullptr before it is added to one.
    Window* Owner() const { return window_; }

    std::function<void()> OnOpen;
    virtual void Event_Open() {
        if (OnOpen) OnOpen();
    }

  protected:
    virtual void Attached() {}

  private:
    friend class Window;
    std::string name_;
    int index_ = -1;
    Window* window_ = nullptr;
};

enum class MouseCursor { Standard, Arrow, Finger, IBeam, Cross, Wait };

// A control with a place on the window. Left and Top are in window coordinates, also for a
// control inside another; a control is shown only while it and all its parents are visible.
class RectControl : public Control {
  public:
    RectControl();
    ~RectControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    void SetBounds(int left, int top, int width, int height);

    // Edge locks: when the window's size changes, a control locked to both opposite edges
    // stretches, one locked to the right (bottom) edge only moves with it.
    bool LockLeft = false;
    bool LockTop = false;
    bool LockRight = false;
    bool LockBottom = false;

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Paints the control once where nobody sees it, shown or not, so that what its painting
    // meets for the first time (fonts, shaped text, pictures) is ready when it is shown.
    void PaintUnseen();
    // Visible, and every parent visible too.
    bool Shown() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    const std::string& HelpTag() const { return helpTag_; }
    void SetHelpTag(const std::string& text);
    RectControl* Parent() const { return parent_; }
    // nullptr stands the control directly on its window.
    void SetParent(RectControl* parent);
    MouseCursor Cursor() const { return cursor_; }
    void SetCursor(MouseCursor cursor);
    bool AcceptFocus() const { return acceptFocus_; }
    void SetAcceptFocus(bool value);

    // Repaints: Refresh at once, Invalidate at the next turn of the event loop.
    void Refresh(bool eraseBackground = true);
    void Invalidate(bool eraseBackground = true);

    // Coordinates are local to the control. MouseDown returns true to take the drag and the
    // release of that press; MouseWheel and KeyDown return true when they used the event.
    std::function<bool(int x, int y)> OnMouseDown;
    std::function<void(int x, int y)> OnMouseDrag;
    std::function<void(int x, int y)> OnMouseUp;
    std::function<void(int x, int y)> OnMouseMove;
    std::function<void()> OnMouseEnter;
    std::function<void()> OnMouseExit;
    std::function<bool(int x, int y, int deltaX, int deltaY)> OnMouseWheel;
    std::function<bool(const std::string& key)> OnKeyDown;

    virtual bool Event_MouseDown(int x, int y) { return OnMouseDown && OnMouseDown(x, y); }
    virtual void Event_MouseDrag(int x, int y) {
        if (OnMouseDrag) OnMouseDrag(x, y);
    }
    virtual void Event_MouseUp(int x, int y) {
        if (OnMouseUp) OnMouseUp(x, y);
    }
    virtual void Event_MouseMove(int x, int y) {
        if (OnMouseMove) OnMouseMove(x, y);
    }
    virtual void Event_MouseEnter() {
        if (OnMouseEnter) OnMouseEnter();
    }
    virtual void Event_MouseExit() {
        if (OnMouseExit) OnMouseExit();
    }
    virtual bool Event_MouseWheel(int x, int y, int deltaX, int deltaY) {
        return OnMouseWheel && OnMouseWheel(x, y, deltaX, deltaY);
    }
    // A control without a wheel handler lets the wheel through to what lies beneath it.
    virtual bool HasWheelHandler() const { return static_cast<bool>(OnMouseWheel); }
    virtual bool Event_KeyDown(const std::string& key) { return OnKeyDown && OnKeyDown(key); }

    QWidget* Widget() const;

  protected:
    // For controls that draw with a widget of their own kind.
    explicit RectControl(std::unique_ptr<ControlWidget> widget);
    ControlWidget& Host() const { return *widget_; }
    void Attached() override;

  private:
    friend class ControlWidget;
    friend class Window;
    void UpdateShown();
    void PointerLeft();

    std::unique_ptr<ControlWidget> widget_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    bool acceptFocus_ = false;
    bool pointerInside_ = false;
    std::string helpTag_;
    RectControl* parent_ = nullptr;
    MouseCursor cursor_ = MouseCursor::Standard;
};
