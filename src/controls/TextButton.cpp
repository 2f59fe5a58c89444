#include "controls/TextButton.h"

#include "customisation/CustomizationModule.h"

void TextButton::Event_Open() {
    SetParent(nullptr);
    StaticText::Event_Open();
}

void TextButton::ShowRestColour() {
    SetTextColor(Customization().menuColor);
}

void TextButton::Event_MouseEnter() {
    SetTextColor(kHoverColor);
    MouseIn = true;
}

void TextButton::Event_MouseExit() {
    ShowRestColour();
    MouseIn = false;
}

bool TextButton::Event_MouseDown(int, int) {
    SetTextColor(kPressedColor);
    return true;
}

void TextButton::Event_MouseDrag(int x, int y) {
    if (x > 0 && x < Width() && y > 0 && y < Height()) {
        SetTextColor(kPressedColor);
        MouseIn = true;
    } else if (x < 0 || y < 0 || x > Width() || y > Height()) {
        ShowRestColour();
        MouseIn = false;
    }
    // On the border itself nothing changes.
}

void TextButton::Event_MouseUp(int, int) {
    if (!MouseIn) return;
    SetTextColor(kHoverColor);
    Event_Action();
}
