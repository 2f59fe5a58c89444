#include "platform/Screen.h"

#include "platform/Exceptions.h"
#include "platform/Toolkit.h"
#include "platform/Window.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
std::optional<ScreenInfo>& TestScreen() {
    static std::optional<ScreenInfo> screen;
    return screen;
}
} // namespace

ScreenInfo Screen(int index) {
    if (index == 0 && TestScreen()) return *TestScreen();
    EnsureToolkit();
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = index == 0 ? QGuiApplication::primaryScreen() : nullptr;
    if (index > 0 && index < screens.size()) screen = screens[index];
    if (!screen) throw OutOfBoundsException("no screen " + std::to_string(index));
    const QRect full = screen->geometry();
    const QRect available = screen->availableGeometry();
    return {full.left(),      full.top(),      full.width(),      full.height(),
            available.left(), available.top(), available.width(), available.height()};
}

void SetScreenForTesting(std::optional<ScreenInfo> screen) {
    TestScreen() = screen;
}

void CentreOnMainScreen(Window& window, int raise) {
    const ScreenInfo screen = Screen(0);
    window.SetLeft(static_cast<int>(screen.Width / 2.0 - window.Width() / 2.0));
    window.SetTop(static_cast<int>(screen.Height / 2.0 - window.Height() / 2.0 - raise));
}
