#pragma once
// The screens attached to the machine, in pixels of the desktop.
#include <optional>

class Window;

struct ScreenInfo {
    int Left, Top, Width, Height;
    // The part that windows may cover: the screen less panels and docks.
    int AvailableLeft, AvailableTop, AvailableWidth, AvailableHeight;
};

// Screen 0 is the main screen. An index past the last screen raises OutOfBoundsException.
ScreenInfo Screen(int index);
// Tests replace the main screen with one of their own; nullopt gives the real one back.
void SetScreenForTesting(std::optional<ScreenInfo> screen);

// Places the window in the middle of the whole main screen, panels included, lifted by raise
// pixels.
void CentreOnMainScreen(Window& window, int raise = 0);
