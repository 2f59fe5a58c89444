// Keys and wheel steps as the framework's handlers receive them.
#include "platform/Widgets_p.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QWheelEvent>

std::string FrameworkKey(const QKeyEvent& event) {
    int code = -1;
    switch (event.key()) {
    case Qt::Key_Home:
        code = 1;
        break;
    case Qt::Key_Enter:
        code = 3;
        break;
    case Qt::Key_End:
        code = 4;
        break;
    case Qt::Key_Backspace:
        code = 8;
        break;
    case Qt::Key_Tab:
        code = 9;
        break;
    case Qt::Key_PageUp:
        code = 11;
        break;
    case Qt::Key_PageDown:
        code = 12;
        break;
    case Qt::Key_Return:
        code = 13;
        break;
    case Qt::Key_Escape:
        code = 27;
        break;
    case Qt::Key_Left:
        code = 28;
        break;
    case Qt::Key_Right:
        code = 29;
        break;
    case Qt::Key_Up:
        code = 30;
        break;
    case Qt::Key_Down:
        code = 31;
        break;
    case Qt::Key_Space:
        code = 32;
        break;
    case Qt::Key_Delete:
        code = 127;
        break;
    default:
        break;
    }
    if (code >= 0) return std::string(1, static_cast<char>(code));
    return event.text().toStdString();
}

std::string ShortcutText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier))) return {};
    const QKeySequence sequence(QKeyCombination(modifiers, Qt::Key(event.key())));
    return sequence.toString(QKeySequence::PortableText).toStdString();
}

void WheelSteps(const QWheelEvent& event, int& deltaX, int& deltaY) {
    // One notch is 120; a fine-grained device still counts as at least one step.
    const auto steps = [](int angle) {
        if (angle == 0) return 0;
        const int whole = angle / 120;
        return whole != 0 ? whole : (angle > 0 ? 1 : -1);
    };
    const QPoint angle = event.angleDelta();
    deltaX = -steps(angle.x());
    deltaY = -steps(angle.y());
}
