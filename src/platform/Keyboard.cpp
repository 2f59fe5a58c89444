#include "platform/Keyboard.h"

#include "platform/Toolkit.h"

#include <QGuiApplication>

namespace {
std::optional<bool>& TestControlKey() {
    static std::optional<bool> held;
    return held;
}
} // namespace

namespace Keyboard {

bool AsyncControlKey() {
    if (TestControlKey()) return *TestControlKey();
    EnsureToolkit();
    // Asks the window system, not the last event, so a key pressed elsewhere counts too.
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void SetAsyncControlKeyForTesting(std::optional<bool> held) {
    TestControlKey() = held;
}

} // namespace Keyboard
