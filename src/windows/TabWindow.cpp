#include "windows/TabWindow.h"

#include "platform/Screen.h"

TabWindow::TabWindow() {
    SetFrame(GlobalFloating);
    SetDesktopFrame(false);
    SetWidth(60);
    SetHeight(16);
    const ScreenInfo screen = Screen(0);
    SetLeft(screen.AvailableLeft + (screen.AvailableWidth - Width()) / 2);
    SetTop(screen.AvailableTop);
}

TabWindow& TabWindow::Instance() {
    return OpenWindow<TabWindow>();
}
