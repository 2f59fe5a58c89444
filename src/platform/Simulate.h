#pragma once
// Input as the user would give it, for tests: the toolkit's own mouse, wheel and key events
// sent to whatever lies at a point of a window, so they take the same road as real input.
#include <string>

class PopupMenu;
class Slider;
class Window;

namespace Simulate {

// Positions are in window coordinates.
void MouseDown(Window& window, int x, int y, bool rightButton = false);
void MouseMove(Window& window, int x, int y);
void MouseUp(Window& window, int x, int y);
void Click(Window& window, int x, int y);
void DoubleClick(Window& window, int x, int y);
// Wheel steps, positive down and to the right.
void Wheel(Window& window, int x, int y, int deltaX, int deltaY);
// A key as the desktop names it: "PgUp", "Down", "Space", "A", "Ctrl+W".
void Key(Window& window, const std::string& key);
// The desktop makes the window the active one, which has the keyboard focus.
void Activate(Window& window);
// Types text, one key a character, into whatever has the focus.
void Type(Window& window, const std::string& text);
// The user chooses a row from the pop-up menu's list.
void Choose(PopupMenu& menu, int row);
// The user drags the slider's knob to a value and lets go.
void Slide(Slider& slider, int value);
// The desktop reports the window at a place: where the user dragged it, or its late word on a
// move of the program's.
void DesktopPlaces(Window& window, int left, int top);
// The desktop asks the window to close, as its close box or Alt+F4 does.
void DesktopClose(Window& window);
// The desktop minimises the window, as its minimise button does.
void Minimise(Window& window);

} // namespace Simulate
