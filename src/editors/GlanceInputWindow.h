#pragma once
// The event editor: a small modal dialog for the event that starts at the selected date. The
// user types its title, marks it all-day (a day note) or moves its end on a half-hour slider;
// Save stores it and Delete removes it through the week list, which keeps the store and the
// views in step. Closing the window otherwise changes nothing.
#include "platform/CheckBox.h"
#include "platform/Date.h"
#include "platform/EditField.h"
#include "platform/PushButton.h"
#include "platform/Slider.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

#include <array>

class GlanceInputWindow : public Window {
  public:
    GlanceInputWindow();

    // The open editor, or a new one, set up from the store.
    static GlanceInputWindow& Instance();
    // Opens an editor for the selected date and waits until it closes. While one is open a
    // second is refused: false, and nothing happens.
    static bool EditSelectedEvent();

    // The end of the event being edited; the start is the selected date itself.
    Date EventEndTime;

    // The controls, in creation order; the window owns them.
    EditField* EventField = nullptr;
    CheckBox* AllDayCheck = nullptr;
    std::array<StaticText*, 3> StaticTexts{};
    StaticText* fromDate = nullptr;
    StaticText* toDate = nullptr;
    Slider* HalfHourSlider = nullptr;
    StaticText* st = nullptr;
    PushButton* SaveButton = nullptr;
    PushButton* DeleteButton = nullptr;

    // Control handlers.
    void EventField_Open();
    bool EventField_KeyDown(const std::string& key);
    void AllDayCheck_Open();
    void AllDayCheck_Action();
    void fromDate_Open();
    void toDate_Open();
    void HalfHourSlider_Open();
    void HalfHourSlider_ValueChanged();
    void SaveButton_Open();
    void SaveButton_Action();
    void DeleteButton_Open();
    void DeleteButton_Action();

    // Window events.
    void Event_Paint(Graphics& g) override;
    void Event_Open() override;

  private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    // The two date labels as the all-day box asks: dates only, or dates and times.
    void ShowDateLabels();
};
