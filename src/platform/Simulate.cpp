#include "platform/Simulate.h"

#include "platform/PopupMenu.h"
#include "platform/Slider.h"
#include "platform/Widgets_p.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QSlider>

// The desktop's side of a window, which only it may drive.
struct WindowInternals {
    static void DesktopPlaced(Window& window, int left, int top) {
        window.DesktopPlaced(left, top);
    }
};

namespace {
QPointer<QWidget>& Hovered() {
    static QPointer<QWidget> hovered;
    return hovered;
}
QPointer<QWidget>& Grabbed() {
    static QPointer<QWidget> grabbed;
    return grabbed;
}
Qt::MouseButton& HeldButton() {
    static Qt::MouseButton held = Qt::NoButton;
    return held;
}

QWidget* TargetAt(Window& window, int x, int y) {
    QWidget* root = window.Widget();
    QWidget* target = root->childAt(x, y);
    return target ? target : root;
}

void Send(QWidget* target, QEvent::Type type, Window& window, int x, int y, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    const QPointF local = target->mapFrom(window.Widget(), QPoint(x, y));
    const QPointF global = window.Widget()->mapToGlobal(QPoint(x, y));
    QMouseEvent event(type, local, local, global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Hover(Window& window, QWidget* target, int x, int y) {
    if (Hovered() == target) return;
    if (Hovered()) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Hovered(), &leave);
    }
    Hovered() = target;
    const QPointF local = target->mapFrom(window.Widget(), QPoint(x, y));
    QEnterEvent enter(local, local, window.Widget()->mapToGlobal(QPointF(x, y)));
    QApplication::sendEvent(target, &enter);
}
// Keys go where the desktop sends them: to the focused widget of the window.
QWidget* FocusTarget(Window& window) {
    QWidget* target = window.Widget()->focusWidget();
    return target && window.Widget()->isAncestorOf(target) ? target : window.Widget();
}
} // namespace

namespace Simulate {

void MouseDown(Window& window, int x, int y, bool rightButton) {
    QWidget* target = TargetAt(window, x, y);
    Hover(window, target, x, y);
    HeldButton() = rightButton ? Qt::RightButton : Qt::LeftButton;
    Grabbed() = target;
    Send(target, QEvent::MouseButtonPress, window, x, y, HeldButton(), HeldButton());
}

void MouseMove(Window& window, int x, int y) {
    if (HeldButton() != Qt::NoButton && Grabbed()) {
        Send(Grabbed(), QEvent::MouseMove, window, x, y, Qt::NoButton, HeldButton());
        return;
    }
    QWidget* target = TargetAt(window, x, y);
    Hover(window, target, x, y);
    Send(target, QEvent::MouseMove, window, x, y, Qt::NoButton, Qt::NoButton);
}

void MouseUp(Window& window, int x, int y) {
    QWidget* target = Grabbed() ? Grabbed().data() : TargetAt(window, x, y);
    const Qt::MouseButton button = HeldButton() == Qt::NoButton ? Qt::LeftButton : HeldButton();
    HeldButton() = Qt::NoButton;
    Grabbed() = nullptr;
    Send(target, QEvent::MouseButtonRelease, window, x, y, button, Qt::NoButton);
}

void Click(Window& window, int x, int y) {
    MouseDown(window, x, y);
    MouseUp(window, x, y);
}

void DoubleClick(Window& window, int x, int y) {
    Click(window, x, y);
    QWidget* target = TargetAt(window, x, y);
    Send(target, QEvent::MouseButtonDblClick, window, x, y, Qt::LeftButton, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, window, x, y, Qt::LeftButton, Qt::NoButton);
}

void Wheel(Window& window, int x, int y, int deltaX, int deltaY) {
    QWidget* target = TargetAt(window, x, y);
    const QPointF local = target->mapFrom(window.Widget(), QPoint(x, y));
    QWheelEvent event(local, window.Widget()->mapToGlobal(QPointF(x, y)), QPoint(),
                      QPoint(-deltaX * 120, -deltaY * 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

void Key(Window& window, const std::string& key) {
    const QKeySequence sequence(QString::fromStdString(key));
    if (sequence.isEmpty()) return;
    const QKeyCombination combination = sequence[0];
    QString text;
    const int code = combination.key();
    if (!(combination.keyboardModifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (code == Qt::Key_Space)
            text = " ";
        else if (code >= 0x20 && code < 0x7f)
            text = QChar(code).toLower();
    }
    QKeyEvent event(QEvent::KeyPress, code, combination.keyboardModifiers(), text);
    QApplication::sendEvent(FocusTarget(window), &event);
}

void Activate(Window& window) {
    window.Widget()->activateWindow();
    QApplication::processEvents();
}

void Type(Window& window, const std::string& text) {
    for (const QChar character : QString::fromStdString(text)) {
        const int code = character.isLetter() ? character.toUpper().unicode() : character.unicode();
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier, QString(character));
        QApplication::sendEvent(FocusTarget(window), &event);
    }
}

void Choose(PopupMenu& menu, int row) {
    auto* combo = menu.Widget()->findChild<QComboBox*>();
    // What the combo box's own list does when the user picks a row.
    combo->setCurrentIndex(row);
    emit combo->activated(row);
}

void Slide(Slider& slider, int value) {
    auto* knob = slider.Widget()->findChild<QSlider*>();
    knob->setSliderDown(true);
    knob->setSliderPosition(value);
    knob->setSliderDown(false);
}

void DesktopPlaces(Window& window, int left, int top) {
    WindowInternals::DesktopPlaced(window, left, top);
}

void Minimise(Window& window) {
    window.Widget()->showMinimized();
}

void DesktopClose(Window& window) {
    QCloseEvent event;
    QApplication::sendEvent(window.Widget(), &event);
}

} // namespace Simulate
