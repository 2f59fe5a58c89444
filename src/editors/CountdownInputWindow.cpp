// The countdown editor's window: its design, its controls and what they show when it opens.
#include "editors/CountdownInputWindow.h"

#include "app/App.h"
#include "controls/CountdownText.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <memory>

namespace {
template <class T>
T& Place(Window& window, const char* name, int left, int top, int width, int height) {
    T& control = window.AddControl(std::make_unique<T>(), name);
    control.SetBounds(left, top, width, height);
    return control;
}

PopupMenu& PlacePopup(Window& window, const char* name, int left, int width) {
    PopupMenu& popup = Place<PopupMenu>(window, name, left, 74, width, 20);
    popup.SetTextFont("Arial");
    popup.SetTextSize(12);
    return popup;
}

StaticText& PlaceLabel(Window& window, const char* name, int top, const char* text) {
    StaticText& label = Place<StaticText>(window, name, 14, top, 40, 16);
    label.SetText(text);
    label.TextAlign = StaticText::AlignRight;
    label.SetTextColor(RGB(0, 0, 0));
    label.TextFont = "Arial";
    label.TextSize = 13;
    return label;
}

bool HasCountdownEntry() {
    const app& application = App();
    return application.eventDict.HasKey(application.countdownDate.SQLDateTime());
}
} // namespace

CountdownInputWindow& CountdownInputWindow::Instance() {
    return OpenWindow<CountdownInputWindow>();
}

CountdownInputWindow::CountdownInputWindow() {
    Layout();
    CreateControls();
}

void CountdownInputWindow::Layout() {
    SetTitle("Calendar Countdown Event");
    SetWidth(356);
    SetHeight(130);
    SetFrame(Document);
    HasBackColor = true;
    BackColor = RGB(0xE2, 0xE2, 0xE2);
}

void CountdownInputWindow::CreateControls() {
    CreateControls0();
}

void CountdownInputWindow::CreateControls0() {
    titleField = &Place<EditField>(*this, "titleField", 62, 31, 240, 22);
    titleField->SetTextFont("Arial");
    titleField->SetTextSize(12);
    titleField->SetLimitText(32);
    titleField->SetAcceptFocus(true);
    titleField->OnKeyDown = [this](const std::string& key) { return titleField_KeyDown(key); };
    titleField->OnOpen = [this] { titleField_Open(); };

    Month = &PlacePopup(*this, "Month", 62, 106);
    Month->OnOpen = [this] { Month_Open(); };
    Day = &PlacePopup(*this, "Day", 174, 48);
    Day->OnOpen = [this] { Day_Open(); };
    Year = &PlacePopup(*this, "Year", 229, 72);
    Year->OnOpen = [this] { Year_Open(); };

    StaticText1 = &PlaceLabel(*this, "StaticText1", 33, "Event");
    StaticText2 = &PlaceLabel(*this, "StaticText2", 75, "Date");
}

Date CountdownInputWindow::ShownDate() {
    const Date& countdown = App().countdownDate;
    if (HasCountdownEntry()) return countdown;
    return Date(countdown.Year(), 12, 25);
}

void CountdownInputWindow::titleField_Open() {
    const app& application = App();
    titleField->SetText(std::string(
        CountdownTitle(application.eventDict, application.countdownDate.SQLDateTime())));
}

void CountdownInputWindow::Month_Open() {
    const int year = Date().Year();
    for (int month = 1; month <= 12; ++month)
        Month->AddRow(NthField(Date(year, month, 1).LongDate(), " ", 2));
    Month->SetListIndex(ShownDate().Month() - 1);
}

// The days of the shown month in the current year; a shown day past them selects no row.
void CountdownInputWindow::Day_Open() {
    const int days = Date::DaysInMonth(Date().Year(), ShownDate().Month());
    for (int day = 1; day <= days; ++day)
        Day->AddRow(Str(static_cast<long long>(day)));
    Day->SetListIndex(ShownDate().Day() - 1);
}

// The calendar's three years; a shown year outside them selects no row.
void CountdownInputWindow::Year_Open() {
    const int first = Customization().calendarStartYear;
    for (int offset = 0; offset < 3; ++offset)
        Year->AddRow(Str(static_cast<long long>(first + offset)));
    Year->SetListIndex(ShownDate().Year() - first);
}

void CountdownInputWindow::Event_Paint(Graphics& g) {
    if (const PicturePtr background = Glancetimebackground())
        g.DrawPicture(*background, 0, 0, Width(), Height(), 0, 0, background->Width(),
                      background->Height());
}

// Centred on the whole main screen.
void CountdownInputWindow::Event_Open() {
    CentreOnMainScreen(*this);
}
