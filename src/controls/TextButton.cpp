#include "controls/TextButton.h"

void TextButton::Event_Open() {
    SetParent(nullptr);
    StaticText::Event_Open();
}
