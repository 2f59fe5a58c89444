#include "platform/Window.h"

#include "platform/Application.h"
#include "platform/DesktopGroup.h"
#include "platform/Dialogs.h"
#include "platform/GraphicsQt.h"
#include "platform/MenuBar.h"
#include "platform/PushButton.h"
#include "platform/TestSeams.h"
#include "platform/Timer.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"

#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {
// The lists of windows live together, so that an exit that tears down the program's static
// objects (the toolkit's, when the X server goes away) holds: the windows owned here go first,
// while the lists that their destructors leave are still there.
struct WindowLists {
    std::vector<Window*> open;
    // The order in which windows were last brought to the front, front-most last.
    std::vector<const Window*> frontOrder;
    // Windows made by OpenWindow, alive until closed, and closed ones waiting to be deleted.
    // Declared last: destroyed first.
    std::vector<std::unique_ptr<Window>> kept;
    std::vector<std::unique_ptr<Window>> retired;
};
WindowLists& Lists() {
    static WindowLists lists;
    return lists;
}
std::vector<Window*>& Registry() {
    return Lists().open;
}
std::vector<std::unique_ptr<Window>>& Kept() {
    return Lists().kept;
}
std::vector<std::unique_ptr<Window>>& Retired() {
    return Lists().retired;
}
// The moves a desktop may not have confirmed yet: a busy one answers a whole slide late, and a
// slide on a tall screen is a few hundred moves. Those it will never confirm go first.
constexpr std::size_t kMaxRequestedPositions = 512;

int& ModalLoops() {
    static int running = 0;
    return running;
}
// Closed windows go once no nested loop runs: a window closed from a modal dialog (the main
// window that a dialog replaces) or during a slide's steps may still have its own handler
// further down the stack, waiting for the loop to return.
int& NestedLoops() {
    static int running = 0;
    return running;
}
void DeleteRetiredWindows() {
    if (NestedLoops() > 0) {
        QTimer::singleShot(50, DeleteRetiredWindows);
        return;
    }
    Retired().clear();
}

bool IsFloating(const Window& window) {
    return window.Frame() == Window::Floating || window.Frame() == Window::GlobalFloating;
}

bool IsDialog(const Window& window) {
    return window.Frame() == Window::MovableModal || window.Frame() == Window::ModalDialog;
}

// A floating window the user may minimise is not linked to the window it stands over: some
// desktops minimise linked windows together, and would take the calendar and the tab down with
// it. It is told to stand in front of all the program's windows instead (StandInFrontOfGroup).
bool Minimisable(const Window& window) {
    return window.Frame() == Window::Floating;
}

std::vector<const Window*>& FrontOrder() {
    return Lists().frontOrder;
}
void BringToFront(const Window& window) {
    std::erase(FrontOrder(), &window);
    FrontOrder().push_back(&window);
    window.Widget()->raise();
}

// The window that the floating windows, the dialogs and the message boxes stand in front of:
// the document window shown last, in practice the calendar's full-screen main window.
const Window*& Ground() {
    static const Window* ground = nullptr;
    return ground;
}

// The window whose Open events are running, innermost first.
Window*& Opening() {
    static Window* opening = nullptr;
    return opening;
}
} // namespace

bool HoldMessage(const std::string& message) {
    Window* opening = Opening();
    if (!opening || opening->Visible()) return false;
    opening->heldMessages_.push_back(message);
    return true;
}

bool ModalWindowOpen() {
    return ModalLoops() > 0;
}

NestedEventLoop::NestedEventLoop(bool always) : counted_(always || Application::HandlerRunning()) {
    if (counted_) ++NestedLoops();
}

NestedEventLoop::~NestedEventLoop() {
    if (counted_) --NestedLoops();
}

QWindow* GroundWindow() {
    return Ground() ? Ground()->Widget()->windowHandle() : nullptr;
}

std::vector<Window*> OpenWindows() {
    return Registry();
}

void Window::Keep(std::unique_ptr<Window> window) {
    Kept().push_back(std::move(window));
}

void Window::DiscardAll() {
    // Moved out first: a window's destructor may look at the lists.
    auto kept = std::move(Kept());
    auto retired = std::move(Retired());
    Kept().clear();
    Retired().clear();
    kept.clear();
    retired.clear();
}

Window::Window() {
    EnsureToolkit();
    widget_ = std::make_unique<WindowWidget>(*this);
    ApplyFrame();
}

Window::~Window() {
    std::erase(Registry(), this);
    if (Opening() == this) Opening() = nullptr;
    std::erase(FrontOrder(), this);
    if (Ground() == this) Ground() = nullptr;
    if (Application* application = Application::Instance()) application->UnregisterWindow(this);
    // Controls go before the widget that holds theirs.
    controls_.clear();
}

QWidget* Window::Widget() const {
    return widget_.get();
}

void Window::SetTitle(const std::string& title) {
    title_ = title;
    widget_->setWindowTitle(QString::fromStdString(title));
}

void Window::SetFrame(int frame) {
    if (frame == frame_) return;
    frame_ = frame;
    ApplyFrame();
}

void Window::SetDesktopFrame(bool value) {
    if (value == desktopFrame_) return;
    desktopFrame_ = value;
    ApplyFrame();
}

void Window::SetCloseButton(bool value) {
    if (value == closeButton_) return;
    closeButton_ = value;
    ApplyFrame();
}

void Window::ApplyFrame() {
    Qt::WindowFlags flags;
    switch (frame_) {
    case MovableModal:
    case ModalDialog:
        flags = Qt::Dialog;
        break;
    case Floating:
        flags = Qt::Tool;
        break;
    case PlainBox:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    case GlobalFloating:
        flags = Qt::Tool | Qt::WindowStaysOnTopHint;
        break;
    default:
        flags = Qt::Window;
        break;
    }
    // To the desktop a window shown modally is a dialog: it keeps such a window in front.
    if (modal_ && frame_ == Document) flags = Qt::Dialog;
    if (!desktopFrame_) {
        flags |= Qt::FramelessWindowHint;
    } else {
        // The buttons are named one by one. A desktop may draw a close button anyway on a
        // window without a close box; that window's Event_DesktopClose says what it does.
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (closeButton_) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (frame_ == Floating) flags |= Qt::WindowMinimizeButtonHint;
    }
    const bool shown = widget_->isVisible();
    widget_->setWindowFlags(flags);
    PushGeometry();
    if (shown) widget_->show();
}

void Window::PushGeometry() {
    requestedPositions_.emplace_back(left_, top_);
    if (requestedPositions_.size() > kMaxRequestedPositions) requestedPositions_.pop_front();
    // Every window has a fixed layout: the desktop may neither resize nor maximise it.
    widget_->setFixedSize(width_, height_);
    widget_->setGeometry(left_, top_, width_, height_);
}

void Window::SetLeft(int value) {
    MoveTo(value, top_);
}

void Window::SetTop(int value) {
    MoveTo(left_, value);
}

void Window::MoveTo(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    PushGeometry();
    PositionChanged();
}

void Window::SetWidth(int value) {
    ResizeTo(value, height_);
}

void Window::SetHeight(int value) {
    ResizeTo(width_, value);
}

void Window::ResizeTo(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_) return;
    const int oldWidth = width_, oldHeight = height_;
    width_ = width;
    height_ = height;
    PushGeometry();
    Resized(oldWidth, oldHeight);
}

void Window::PositionChanged() {
    if (opened_) Application::Dispatch([this] { Event_Moved(); });
}

void Window::DesktopPlaced(int left, int top) {
    auto& requested = requestedPositions_;
    const auto found = std::find(requested.begin(), requested.end(), std::pair{left, top});
    // A desktop may pass over some of the moves, never come back to an earlier one.
    if (found != requested.end()) {
        requested.erase(requested.begin(), found + 1);
        return;
    }
    // Its own place (one it keeps a window to, or the user's drag) stands; what it says after
    // it, even of the program's moves, is where the window is.
    requested.clear();
    if (open_) UserMoved(left, top);
}

void Window::UserMoved(int left, int top) {
    if (left == left_ && top == top_) return;
    left_ = left;
    top_ = top;
    PositionChanged();
}

void Window::Resized(int oldWidth, int oldHeight) {
    const int dw = width_ - oldWidth;
    const int dh = height_ - oldHeight;
    for (const auto& control : controls_) {
        auto* rect = dynamic_cast<RectControl*>(control.get());
        if (!rect) continue;
        int left = rect->Left(), top = rect->Top(), width = rect->Width(), height = rect->Height();
        if (rect->LockRight && rect->LockLeft)
            width += dw;
        else if (rect->LockRight)
            left += dw;
        if (rect->LockBottom && rect->LockTop)
            height += dh;
        else if (rect->LockBottom)
            top += dh;
        rect->SetBounds(left, top, width, height);
    }
}

void Window::SetVisible(bool value) {
    if (value)
        Show();
    else
        Hide();
}

void Window::Open() {
    if (opened_) return;
    opened_ = true;
    open_ = true;
    Window* const outer = Opening();
    Opening() = this;
    Registry().push_back(this);
    if (Application* application = Application::Instance()) application->RegisterWindow(this);
    Application::Dispatch([this] { AddMenuHandlers(); });
    // Controls added by an Open handler are opened too, after the others.
    for (std::size_t i = 0; i < controls_.size() && open_; ++i) {
        Control* control = controls_[i].get();
        Application::Dispatch([control] { control->Event_Open(); });
    }
    if (open_) Application::Dispatch([this] { Event_Open(); });
    Opening() = outer;
    // Opened by Show, the window tells its messages once it is on the screen.
    if (!openingToShow_) ShowHeldMessages();
}

void Window::ShowHeldMessages() {
    std::vector<std::string> messages;
    std::swap(messages, heldMessages_);
    const Application* application = Application::Instance();
    for (const std::string& message : messages)
        if (!application || !application->QuitRequested()) MsgBox(message);
}

void Window::AfterFirstFrame(std::function<void()> then) {
    afterFirstFrame_.push_back(std::move(then));
    if (painted_) FirstFramePainted();
}

void Window::FirstFramePainted() {
    painted_ = true;
    if (afterFirstFrame_.empty()) return;
    // After the frame has gone to the screen: the event loop sends it before it runs timers.
    QTimer::singleShot(0, widget_.get(), [work = std::exchange(afterFirstFrame_, {})] {
        for (const auto& then : work)
            Application::Dispatch(then);
    });
}

void Window::Show() {
    if (!opened_) {
        openingToShow_ = true;
        Open();
        openingToShow_ = false;
    }
    if (!open_) {
        ShowHeldMessages(); // closed as it opened: nothing will stand under them
        return;
    }
    visible_ = true;
    UpdateControlsShown();
    Restore(); // minimised by the user, it comes back
    widget_->setAttribute(Qt::WA_OpaquePaintEvent, HasBackColor || PaintCoversWindow());
    const bool mapping = !widget_->isVisible();
    if (mapping && (IsDialog(*this) || modal_)) minimisedBefore_ = MinimisedWindows();
    const bool standsOver = IsFloating(*this) || IsDialog(*this) || modal_;
    if (standsOver && Ground() && Ground() != this && !Minimisable(*this))
        StandOver(*Ground(), false);
    widget_->show();
    if (Minimisable(*this)) StandInFrontOfGroup(*widget_->windowHandle());
    BringToFront(*this);
    widget_->activateWindow();
    if (!standsOver) {
        // The floating windows go back in front of it; a desktop that forgot them when this
        // window went away is told again.
        const bool newGround = Ground() != this;
        Ground() = this;
        for (Window* window : Registry())
            if (window != this && window->Visible() && IsFloating(*window)) {
                if (!Minimisable(*window)) window->StandOver(*this, mapping || newGround);
                BringToFront(*window);
            }
    }
    if (Application* application = Application::Instance()) application->RegisterWindow(this);
    ShowHeldMessages();
}

void Window::StandOver(const Window& ground, bool tellAgain) {
    widget_->winId();
    ground.widget_->winId();
    QWindow* own = widget_->windowHandle();
    QWindow* over = ground.widget_->windowHandle();
    if (own->transientParent() != over) {
        own->setTransientParent(over);
        tellAgain = true;
    }
    // The desktop learns whom a window stands over when the window is mapped, so a shown
    // window is mapped again, without taking the focus from the window just shown.
    if (!tellAgain || !widget_->isVisible()) return;
    widget_->setAttribute(Qt::WA_ShowWithoutActivating, true);
    widget_->hide();
    widget_->show();
    widget_->setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void Window::Hide() {
    const bool hadKeyboard = widget_->isVisible() && widget_->isActiveWindow();
    visible_ = false;
    widget_->hide();
    if (modalLoop_) modalLoop_->quit();
    // Without a desktop to hand it on, the keyboard would stay with no window of the program.
    if (hadKeyboard && (IsFloating(*this) || IsDialog(*this) || modal_)) ActivateWindowBelow();
}

void Window::ActivateWindowBelow() const {
    // The front-most window under it, passing over those that float above every window (the
    // tab) unless nothing else is shown, and those the user has minimised.
    const Window* below = nullptr;
    for (const Window* window : FrontOrder())
        if (window != this && window->Visible() && window->IsOpen() &&
            !window->widget_->isMinimized() &&
            (!below || window->Frame() != GlobalFloating || below->Frame() == GlobalFloating))
            below = window;
    if (below) below->TakeKeyboard();
}

void Window::TakeKeyboard() const {
    if (!visible_) return;
    // Not both: the desktop would take the toolkit's request, which carries the time of the
    // user's key, and then find the window already active.
    if (!ActivateAsTheUser(*widget_->windowHandle())) widget_->activateWindow();
}

bool Window::HasKeyboard() const {
    if (!visible_) return false;
    return HasInputFocus(*widget_->windowHandle()).value_or(widget_->isActiveWindow());
}

void Window::Minimised() {
    if (!(IsDialog(*this) || modal_) || !visible_) return;
    // A dialog has no minimise button, but a desktop may minimise it anyway, and the windows
    // it stands over with it: all come back at once, the dialog in front with the keyboard.
    QTimer::singleShot(0, widget_.get(), [this] {
        if (!visible_ || !widget_->isMinimized()) return;
        RestoreShownWindows(minimisedBefore_);
        BringToFront(*this);
        widget_->activateWindow();
    });
}

std::vector<const Window*> MinimisedWindows() {
    std::vector<const Window*> minimised;
    for (const Window* window : FrontOrder())
        if (window->Visible() && window->widget_->isMinimized()) minimised.push_back(window);
    return minimised;
}

void RestoreShownWindows(const std::vector<const Window*>& leftMinimised) {
    for (const Window* window : std::vector(FrontOrder()))
        if (window->Visible() && std::ranges::find(leftMinimised, window) == leftMinimised.end())
            window->Restore();
}

namespace {
// Brings a toolkit dialog back as soon as a desktop minimises it: while it runs, nothing else of
// the program takes a click or a key, and the user would face a calendar that does not answer.
class KeepShown : public QObject {
  public:
    explicit KeepShown(QDialog& dialog) : dialog_(dialog), minimisedBefore_(MinimisedWindows()) {
        dialog_.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::WindowStateChange &&
            dialog_.isMinimized())
            QTimer::singleShot(0, this, [this] {
                if (!dialog_.isVisible() || !dialog_.isMinimized()) return;
                RestoreShownWindows(minimisedBefore_);
                dialog_.setWindowState(dialog_.windowState() & ~Qt::WindowMinimized);
                dialog_.raise();
                dialog_.activateWindow();
            });
        return false;
    }

  private:
    QDialog& dialog_;
    const std::vector<const Window*> minimisedBefore_;
};
} // namespace

int RunModalDialog(QDialog& dialog) {
    // In front of the calendar, where the desktop keeps it.
    dialog.winId();
    dialog.windowHandle()->setTransientParent(GroundWindow());
    const KeepShown keepShown(dialog);
    const NestedEventLoop nested;
    return dialog.exec();
}

void Window::Restore() const {
    if (widget_->isMinimized())
        widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
}

void Window::Close() {
    if (!open_) return;
    Application::Dispatch([this] { Event_Close(); });
    open_ = false;
    for (const auto& control : controls_)
        if (auto* timer = dynamic_cast<Timer*>(control.get())) timer->Stop();
    // With the X server gone, nothing is shown any more, and a request to it would fail.
    if (!DisplayLost()) Hide();
    std::erase(Registry(), this);
    if (Application* application = Application::Instance()) application->UnregisterWindow(this);
    if (!modalLoop_) Retire();
}

void Window::Retire() {
    auto& kept = Kept();
    const auto found = std::find_if(kept.begin(), kept.end(),
                                    [this](const auto& window) { return window.get() == this; });
    if (found == kept.end()) return;
    Retired().push_back(std::move(*found));
    kept.erase(found);
    // Deleted later: the code that closed the window may still be running inside it.
    QTimer::singleShot(0, DeleteRetiredWindows);
}

void Window::ShowModal() {
    if (!opened_) Open();
    if (!open_) return;
    widget_->setWindowModality(Qt::ApplicationModal);
    if (!modal_) {
        modal_ = true;
        if (frame_ == Document) ApplyFrame();
    }
    Show();
    QEventLoop loop;
    modalLoop_ = &loop;
    ++ModalLoops();
    if (auto then = TestSeams::TakeModalCallback())
        QTimer::singleShot(0, &loop, [this, then = std::move(then)] {
            then(*this);
            if (widget_->isVisible()) Close();
        });
    if (widget_->isVisible()) {
        const NestedEventLoop nested;
        loop.exec();
    }
    --ModalLoops();
    modalLoop_ = nullptr;
    modal_ = false;
    widget_->setWindowModality(Qt::NonModal);
    if (open_ && frame_ == Document) ApplyFrame(); // a document window again
    if (!open_) Retire();
}

void Window::ShowWithin(Window& parent, int) {
    SetLeft(parent.Left() + (parent.Width() - width_) / 2);
    SetTop(parent.Top() + (parent.Height() - height_) / 2);
    ShowModal();
}

void Window::Refresh(bool) {
    widget_->repaint();
}
void Window::Invalidate(bool) {
    widget_->update();
}

void Window::Adopt(std::unique_ptr<Control> control, std::string name, int index) {
    control->name_ = std::move(name);
    control->index_ = index;
    control->window_ = this;
    controls_.push_back(std::move(control));
    controls_.back()->Attached();
}

Control* Window::ControlNamed(const std::string& name) const {
    for (const auto& control : controls_)
        if (control->Name() == name) return control.get();
    return nullptr;
}

Control* Window::ControlNamed(const std::string& name, int index) const {
    for (const auto& control : controls_)
        if (control->Name() == name && control->Index() == index) return control.get();
    return nullptr;
}

Control* Window::ControlAt(int index) const {
    return index >= 0 && index < ControlCount() ? controls_[index].get() : nullptr;
}

void Window::UpdateControlsShown() {
    for (const auto& control : controls_)
        if (auto* rect = dynamic_cast<RectControl*>(control.get())) rect->UpdateShown();
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_.Add(itemName, std::move(handler));
}

bool Window::HandleMenuCommand(const std::string& itemName) {
    return menuHandlers_.Handle(itemName);
}

void Window::NoteMouse(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

bool Window::OpenMenuAt(int x, int y) {
    ::MenuBar* bar = menuBar_;
    if (!bar) {
        if (Application* application = Application::Instance()) bar = application->MenuBar();
    }
    if (!bar || !MenuBandContains(x, y)) return false;
    const QPoint global = widget_->mapToGlobal(QPoint(x, y));
    bar->PopUp(global.x(), global.y());
    return true;
}

void Window::PassWheelOn(const RectControl& from, int x, int y, int deltaX, int deltaY) {
    // Controls stack in the order they were made, the latest on top.
    const auto self = std::find_if(controls_.begin(), controls_.end(),
                                   [&](const auto& control) { return control.get() == &from; });
    for (auto it = std::make_reverse_iterator(self); it != controls_.rend(); ++it) {
        auto* control = dynamic_cast<RectControl*>(it->get());
        if (!control || !control->Shown() || !control->Enabled() || !control->HasWheelHandler())
            continue;
        const int localX = x - control->Left(), localY = y - control->Top();
        if (localX < 0 || localY < 0 || localX >= control->Width() || localY >= control->Height())
            continue;
        Application::Dispatch([&] { control->Event_MouseWheel(localX, localY, deltaX, deltaY); });
        return;
    }
    Application::Dispatch([&] { Event_MouseWheel(x, y, deltaX, deltaY); });
}

bool Window::RouteKey(const std::string& key, RectControl* focused) {
    bool used = false;
    if (focused) Application::Dispatch([&] { used = focused->Event_KeyDown(key); });
    if (!used) Application::Dispatch([&] { used = Event_KeyDown(key); });
    if (!used && (key == "\r" || key == "\x03")) used = PressButton(&PushButton::Default);
    if (!used && key == "\x1b") used = PressButton(&PushButton::Cancel);
    // Escape does what the close button does, also where no desktop draws one.
    if (!used && key == "\x1b" && desktopFrame_ && closeButton_) {
        Application::Dispatch([this] { Event_DesktopClose(); });
        used = true;
    }
    return used;
}

bool Window::PressButton(bool PushButton::*role) {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<PushButton*>(control.get());
        if (button && button->*role && button->Shown() && button->Enabled()) {
            button->Push();
            return true;
        }
    }
    return false;
}

bool RouteKeyToWindow(Window& window, const std::string& key) {
    return window.RouteKey(key, nullptr);
}

// ---- the window's widget ----

WindowWidget::WindowWidget(Window& window) : owner(window) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void Window::DrawInto(Graphics& g, int x, int y) {
    QImage image(width_, height_, QImage::Format_RGB32);
    image.fill(Qt::white);
    widget_->render(&image);
    g.DrawPicture(*PictureFromImage(image), x, y);
}

void WindowWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool covered = owner.PaintCoversWindow();
    if (!covered && owner.HasBackColor) {
        const Color color = owner.BackColor;
        painter.fillRect(rect(), QColor(color.r, color.g, color.b));
    } else if (!covered && testAttribute(Qt::WA_OpaquePaintEvent)) {
        painter.fillRect(rect(), palette().window()); // the colour was dropped since the last paint
    }
    // A window that fills itself need not be cleared by the toolkit first.
    setAttribute(Qt::WA_OpaquePaintEvent, owner.HasBackColor || covered);
    {
        auto g = GraphicsOnPainter(painter, rect());
        Application::Dispatch([&] { owner.Event_Paint(*g); });
    }
    if (!Registry().empty() && Registry().front() == &owner)
        if (auto then = TestSeams::TakeFirstPaintCallback()) QTimer::singleShot(0, std::move(then));
    // After the seam's: what waits for the first frame is not part of it.
    if (!owner.painted_) owner.FirstFramePainted();
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    owner.NoteMouse(at.x(), at.y());
    if (event->button() == Qt::RightButton && owner.OpenMenuAt(at.x(), at.y())) return;
    pressTaken_ = false;
    Application::Dispatch([&] { pressTaken_ = owner.Event_MouseDown(at.x(), at.y()); });
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    owner.NoteMouse(at.x(), at.y());
    if (pressTaken_ && event->buttons() != Qt::NoButton)
        Application::Dispatch([&] { owner.Event_MouseDrag(at.x(), at.y()); });
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    owner.NoteMouse(at.x(), at.y());
    if (!pressTaken_) return;
    pressTaken_ = false;
    Application::Dispatch([&] { owner.Event_MouseUp(at.x(), at.y()); });
}

void WindowWidget::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    owner.NoteMouse(at.x(), at.y());
    int dx = 0, dy = 0;
    WheelSteps(*event, dx, dy);
    Application::Dispatch([&] { owner.Event_MouseWheel(at.x(), at.y(), dx, dy); });
    event->accept();
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    if (Application* application = Application::Instance();
        application && application->MenuShortcut(ShortcutText(*event)))
        return;
    if (!owner.RouteKey(FrameworkKey(*event), nullptr)) event->ignore();
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    // The toolkit reports each of the program's own moves at once; only the desktop's word counts.
    if (event->spontaneous()) owner.DesktopPlaced(event->pos().x(), event->pos().y());
}

void WindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && owner.open_)
        owner.Minimised();
    if (event->type() != QEvent::ActivationChange || !owner.open_) return;
    if (isActiveWindow()) {
        if (Application* application = Application::Instance()) application->RegisterWindow(&owner);
        Application::Dispatch([this] { owner.Event_Activate(); });
    } else {
        Application::Dispatch([this] { owner.Event_Deactivate(); });
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The window closes the framework's way, or not at all.
    event->ignore();
    Application::Dispatch([this] { owner.Event_DesktopClose(); });
}

TestSeams::DesktopRequest TestSeams::AskedOfDesktop(const Window& window) {
    const QWidget& widget = *window.Widget();
    const Qt::WindowFlags flags = widget.windowFlags();
    DesktopRequest request;
    // A frameless window that asks for a title gets one from some desktops.
    request.titleBar = flags & Qt::WindowTitleHint;
    request.closeButton = request.titleBar && (flags & Qt::WindowCloseButtonHint);
    request.minimiseButton = request.titleBar && (flags & Qt::WindowMinimizeButtonHint);
    request.userResizable =
        widget.minimumSize() != widget.maximumSize() || (flags & Qt::WindowMaximizeButtonHint);
    request.staysAbove = flags & Qt::WindowStaysOnTopHint;
    const QWindow* own = widget.windowHandle();
    const QWindow* over = own ? own->transientParent() : nullptr;
    for (const Window* candidate : Registry())
        if (over && candidate->Widget()->windowHandle() == over) request.inFrontOf = candidate;
    return request;
}

bool TestSeams::HasKeyboard(const Window& window) {
    return window.Widget()->isActiveWindow();
}

bool TestSeams::Minimised(const Window& window) {
    return window.Widget()->isMinimized();
}

std::vector<const Window*> TestSeams::FrontOrder() {
    std::vector<const Window*> shown;
    for (const Window* window : ::FrontOrder())
        if (window->Visible()) shown.push_back(window);
    return shown;
}
