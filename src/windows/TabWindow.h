#pragma once
// The small tab pinned to the top edge of the screen: a click slides the calendar away or
// back, a drag moves the tab along the edge, a Control-click steps the background picture,
// and keys typed on it go to the calendar.
#include "platform/Window.h"

class TabWindow : public Window {
  public:
    TabWindow();
    // The tab window, made and shown on first use.
    static TabWindow& Instance();
    // The middle of the tab across the screen, or of where it will open: the first frame points
    // at it before the tab is made.
    static double Middle();

    int InX = 0;         // where the press began, in the tab's own coordinates
    bool iMoved = false; // the tab has moved since the press began

    void Event_Open() override;
    void Event_Moved() override;
    bool Event_MouseDown(int x, int y) override;
    void Event_MouseDrag(int x, int y) override;
    void Event_MouseUp(int x, int y) override;
    bool Event_KeyDown(const std::string& key) override;
    void Event_Activate() override;

  private:
    void Layout();

    // Whether the program was in the background when the press began: the press itself brings
    // it to the front, which must not turn "show the calendar" into "slide it away".
    bool deactivatedAtPress_ = false;
};
