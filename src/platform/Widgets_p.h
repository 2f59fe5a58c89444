#pragma once
// Inside the platform layer only: the Qt widgets behind windows and controls, which hand the
// toolkit's events to the framework's handlers.
#include "platform/Control.h"
#include "platform/Window.h"

#include <QWidget>

#include <string>

class QDialog;
class QKeyEvent;
class QWindow;

// The framework's key for a key press: a control character for the keys that have one, the
// typed text otherwise.
std::string FrameworkKey(const QKeyEvent& event);
// The key as the desktop writes a shortcut ("Ctrl+W"); empty without Ctrl or Alt.
std::string ShortcutText(const QKeyEvent& event);
// A key for the window alone, when the focused control had no use for it.
bool RouteKeyToWindow(Window& window, const std::string& key);
// Whether a window is shown modally: the menus then neither open nor act on their shortcuts.
bool ModalWindowOpen();
// Alive while an event loop runs from inside a handler (a modal window, a message box, a print
// dialog, DoEvents): a window closed meanwhile is deleted only once every such loop has
// returned, for the handler that runs the loop may belong to it. A loop run from outside every
// handler (a test's own) counts only when told to.
class NestedEventLoop {
  public:
    explicit NestedEventLoop(bool always = true);
    ~NestedEventLoop();
    NestedEventLoop(const NestedEventLoop&) = delete;
    NestedEventLoop& operator=(const NestedEventLoop&) = delete;

  private:
    bool counted_;
};
// The shown windows the user has minimised.
std::vector<const Window*> MinimisedWindows();
// Every shown window that a desktop minimised along with a dialog comes back; those the user
// had minimised before the dialog came stay as they were.
void RestoreShownWindows(const std::vector<const Window*>& leftMinimised);
// Runs a toolkit dialog (a message box, a print dialog) modally in front of the calendar; should a
// desktop minimise it, it comes back at once. Returns what QDialog::exec returns.
int RunModalDialog(QDialog& dialog);
// The document window shown last (the calendar's main window), which floating windows, dialogs
// and message boxes stand in front of; nullptr before any.
QWindow* GroundWindow();
// A message raised while a window opens waits until the window is on the screen, so that it
// stands over the window's picture rather than an empty screen: true when it was held.
bool HoldMessage(const std::string& message);
// Wheel deltas in steps, positive down and to the right.
void WheelSteps(const class QWheelEvent& event, int& deltaX, int& deltaY);

class WindowWidget : public QWidget {
  public:
    explicit WindowWidget(Window& window);

    Window& owner;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Nothing a window or control draws shows the focus: gaining or losing it, as every
    // activation does, repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

  private:
    bool pressTaken_ = false;
};

class ControlWidget : public QWidget {
  public:
    explicit ControlWidget(RectControl* control = nullptr);
    void Bind(RectControl& control) { control_ = &control; }
    RectControl& Control() const { return *control_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}

    // What the control draws; nothing by default.
    virtual void Draw(QPainter&) {}
    // Notes the pointer with the window; true when a right click opened the window's menus.
    bool NotePointer(const QPoint& local, Qt::MouseButton button = Qt::NoButton);

    bool pressTaken_ = false;

  private:
    RectControl* control_;
};
