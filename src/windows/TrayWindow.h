#pragma once
// The tray item's month calendar: a small window above the bottom-right corner of the screen
// showing one month, today in bold, with buttons that page by month. It only displays.
#include "platform/BevelButton.h"
#include "platform/Date.h"
#include "platform/Picture.h"
#include "platform/Window.h"

#include "controls/calCanvas.h"

class TrayWindow : public Window {
  public:
    TrayWindow();
    // The month window, made and shown on first use; closing it ends it, so the next use
    // starts again at the current month.
    static TrayWindow& Instance();

    // The first day of the month shown.
    Date trayDate;
    // The faded background picture behind the month; none without a background.
    PicturePtr Backdrop;

    calCanvas* Calendar = nullptr;
    BevelButton* PreviousMonth = nullptr;
    BevelButton* NextMonth = nullptr;

    void Calendar_Open();
    void Calendar_Paint(Graphics& g);
    void PreviousMonth_Action();
    void NextMonth_Action();

    void Event_Open() override;
    void Event_Close() override;
    void Event_Paint(Graphics& g) override;

  private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    void PageBy(int months);
};
