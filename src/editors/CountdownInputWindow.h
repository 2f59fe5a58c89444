#pragma once
// The countdown editor: the countdown's title and its day, month and year. It has no buttons;
// closing it stores what it shows into the event store and redraws the badge. The caller writes
// the event file.
#include "platform/Date.h"
#include "platform/EditField.h"
#include "platform/PopupMenu.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

#include <string>

class CountdownInputWindow : public Window {
  public:
    CountdownInputWindow();

    // The open editor, or a new one, opened.
    static CountdownInputWindow& Instance();

    // The controls, in creation order; the window owns them.
    EditField* titleField = nullptr;
    PopupMenu* Month = nullptr;
    PopupMenu* Day = nullptr;
    PopupMenu* Year = nullptr;
    StaticText* StaticText1 = nullptr;
    StaticText* StaticText2 = nullptr;

    // True refuses the key: the title must still fit on the badge.
    bool titleField_KeyDown(const std::string& key);
    void titleField_Open();
    void Month_Open();
    void Day_Open();
    void Year_Open();

    void Event_Close() override;
    void Event_Paint(Graphics& g) override;
    void Event_Open() override;

  private:
    // The date the editor shows: the countdown entry's, or without one the 25 December that
    // the badge counts to.
    static Date ShownDate();

    void Layout();
    void CreateControls();
    void CreateControls0();
};
