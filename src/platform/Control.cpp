#include "platform/Control.h"

#include "platform/Application.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"
#include "platform/Window.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

Control::Control() = default;
Control::~Control() = default;

RectControl::RectControl() : RectControl(nullptr) {}

RectControl::RectControl(std::unique_ptr<ControlWidget> widget) {
    EnsureToolkit();
    widget_ = widget ? std::move(widget) : std::make_unique<ControlWidget>();
    widget_->Bind(*this);
    widget_->hide();
}

RectControl::~RectControl() = default;

QWidget* RectControl::Widget() const {
    return widget_.get();
}

void RectControl::Attached() {
    widget_->setParent(Owner()->Widget());
    widget_->setGeometry(left_, top_, width_, height_);
    UpdateShown();
}

void RectControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    widget_->setGeometry(left_, top_, width_, height_);
}

// In bands of about a megabyte: a large panel's pixels at once would be the run's largest
// allocation after the background, for a picture nobody sees.
void RectControl::PaintUnseen() {
    constexpr int kBandBytes = 1 << 20;
    const int width = std::max(width_, 1), height = std::max(height_, 1);
    const int rows = std::clamp(kBandBytes / (width * 4), 1, height);
    QImage band(width, rows, QImage::Format_RGB32);
    for (int top = 0; top < height; top += rows)
        widget_->render(&band, QPoint(), QRegion(0, top, width, std::min(rows, height - top)));
}

void RectControl::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    // Children follow their parent.
    if (Owner())
        Owner()->UpdateControlsShown();
    else
        UpdateShown();
}

bool RectControl::Shown() const {
    for (const RectControl* control = this; control; control = control->parent_)
        if (!control->visible_) return false;
    return true;
}

void RectControl::UpdateShown() {
    const bool shown = Shown() && Owner();
    if (widget_->isHidden() == !shown) return;
    widget_->setVisible(shown);
    if (!shown) PointerLeft();
}

void RectControl::PointerLeft() {
    if (!pointerInside_) return;
    pointerInside_ = false;
    Application::Dispatch([this] { Event_MouseExit(); });
}

void RectControl::SetEnabled(bool value) {
    enabled_ = value;
    widget_->setEnabled(value);
    // A disabled control lets the mouse through to whatever lies beneath.
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents, !value);
    if (!value) PointerLeft();
}

void RectControl::SetHelpTag(const std::string& text) {
    helpTag_ = text;
    widget_->setToolTip(QString::fromStdString(text));
}

void RectControl::SetParent(RectControl* parent) {
    for (const RectControl* ancestor = parent; ancestor; ancestor = ancestor->parent_)
        if (ancestor == this) return; // a control cannot hold itself
    parent_ = parent;
    if (Owner()) Owner()->UpdateControlsShown();
}

void RectControl::SetCursor(MouseCursor cursor) {
    cursor_ = cursor;
    static constexpr Qt::CursorShape kShapes[] = {Qt::ArrowCursor,        Qt::ArrowCursor,
                                                  Qt::PointingHandCursor, Qt::IBeamCursor,
                                                  Qt::CrossCursor,        Qt::WaitCursor};
    widget_->setCursor(kShapes[static_cast<int>(cursor)]);
}

void RectControl::SetAcceptFocus(bool value) {
    acceptFocus_ = value;
    widget_->setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
}

void RectControl::Refresh(bool) {
    widget_->repaint();
}
void RectControl::Invalidate(bool) {
    widget_->update();
}

// ---- the control's widget ----

ControlWidget::ControlWidget(RectControl* control) : control_(control) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void ControlWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw(painter);
}

bool ControlWidget::NotePointer(const QPoint& local, Qt::MouseButton button) {
    Window* window = control_->Owner();
    if (!window) return false;
    const int x = control_->Left() + local.x(), y = control_->Top() + local.y();
    window->NoteMouse(x, y);
    return button == Qt::RightButton && window->OpenMenuAt(x, y);
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (NotePointer(at, event->button())) return;
    pressTaken_ = false;
    Application::Dispatch([&] { pressTaken_ = control_->Event_MouseDown(at.x(), at.y()); });
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    NotePointer(at);
    if (event->buttons() == Qt::NoButton)
        Application::Dispatch([&] { control_->Event_MouseMove(at.x(), at.y()); });
    else if (pressTaken_)
        Application::Dispatch([&] { control_->Event_MouseDrag(at.x(), at.y()); });
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    NotePointer(at);
    if (!pressTaken_) return;
    pressTaken_ = false;
    Application::Dispatch([&] { control_->Event_MouseUp(at.x(), at.y()); });
}

void ControlWidget::enterEvent(QEnterEvent*) {
    if (control_->pointerInside_) return;
    control_->pointerInside_ = true;
    Application::Dispatch([this] { control_->Event_MouseEnter(); });
}

void ControlWidget::leaveEvent(QEvent*) {
    control_->PointerLeft();
}

void ControlWidget::wheelEvent(QWheelEvent* event) {
    const QPoint at = event->position().toPoint();
    NotePointer(at);
    int dx = 0, dy = 0;
    WheelSteps(*event, dx, dy);
    event->accept();
    if (Window* window = control_->Owner(); window && !control_->HasWheelHandler()) {
        window->PassWheelOn(*control_, control_->Left() + at.x(), control_->Top() + at.y(), dx, dy);
        return;
    }
    // Delivered once: the window does not see a wheel movement that a control handled.
    Application::Dispatch([&] { control_->Event_MouseWheel(at.x(), at.y(), dx, dy); });
}

void ControlWidget::keyPressEvent(QKeyEvent* event) {
    Window* window = control_->Owner();
    if (Application* application = Application::Instance();
        application && application->MenuShortcut(ShortcutText(*event)))
        return;
    if (!window || !window->RouteKey(FrameworkKey(*event), control_)) event->ignore();
}
