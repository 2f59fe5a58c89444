// The event editor's construction: its design values, its controls in creation order, and how
// it fills itself from the store when it opens.
#include "editors/GlanceInputWindow.h"

#include "app/App.h"
#include "customisation/BuiltInPictures.h"
#include "editors/EventEditorRules.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <iostream>
#include <memory>

namespace {
template <class T>
T& Place(Window& window, const char* name, int index, int left, int top, int width, int height) {
    T& control = window.AddControl(std::make_unique<T>(), name, index);
    control.SetBounds(left, top, width, height);
    return control;
}

template <class T>
T& PlaceToolkit(Window& window, const char* name, int left, int top, int width, int height,
                int textSize, bool bold = false) {
    T& control = Place<T>(window, name, -1, left, top, width, height);
    control.SetTextFont("Arial");
    control.SetTextSize(textSize);
    control.SetBold(bold);
    return control;
}

StaticText& PlaceLabel(Window& window, const char* name, int index, int top, const char* text,
                       int left = 11, int width = 48) {
    StaticText& label = Place<StaticText>(window, name, index, left, top, width, 16);
    label.SetText(text);
    label.TextFont = "Arial";
    label.TextSize = 11;
    label.SetTextColor(RGB(0, 0, 0));
    return label;
}
} // namespace

GlanceInputWindow& GlanceInputWindow::Instance() {
    return OpenWindow<GlanceInputWindow>();
}

bool GlanceInputWindow::EditSelectedEvent() {
    if (FindOpenWindow<GlanceInputWindow>()) {
        std::cerr << "An event editor is already open; a second one is not opened.\n";
        return false;
    }
    Instance().ShowModal();
    return true;
}

GlanceInputWindow::GlanceInputWindow() {
    Layout();
    CreateControls();
}

void GlanceInputWindow::Layout() {
    SetTitle("Calendar Event");
    SetWidth(227);
    SetHeight(152);
    SetFrame(MovableModal);
    HasBackColor = true;
    BackColor = RGB(0xDA, 0xDA, 0xDA);
}

void GlanceInputWindow::CreateControls() {
    CreateControls0();
}

void GlanceInputWindow::CreateControls0() {
    EventField = &PlaceToolkit<EditField>(*this, "EventField", 9, 8, 210, 22, 12, true);
    EventField->SetText("New Event");
    EventField->SetTextColor(RGB(0, 0, 0));
    EventField->OnOpen = [this] { EventField_Open(); };
    EventField->OnKeyDown = [this](const std::string& key) { return EventField_KeyDown(key); };

    AllDayCheck = &PlaceToolkit<CheckBox>(*this, "AllDayCheck", 72, 40, 16, 14, 12);
    AllDayCheck->OnOpen = [this] { AllDayCheck_Open(); };
    AllDayCheck->OnAction = [this] { AllDayCheck_Action(); };

    const std::array<std::pair<int, const char*>, 3> captions{
        {{38, "all-day"}, {62, "from"}, {79, "to"}}};
    for (int index = 0; index < 3; ++index) {
        const auto [top, text] = captions[static_cast<size_t>(index)];
        StaticText& caption = PlaceLabel(*this, "StaticTexts", index, top, text);
        caption.Bold = true;
        caption.TextAlign = StaticText::AlignRight;
        StaticTexts[static_cast<size_t>(index)] = &caption;
    }

    fromDate = &PlaceLabel(*this, "fromDate", -1, 62, "-", 73, 128);
    fromDate->TextAlign = StaticText::AlignLeft;
    fromDate->OnOpen = [this] { fromDate_Open(); };
    toDate = &PlaceLabel(*this, "toDate", -1, 79, "-", 73, 128);
    toDate->TextAlign = StaticText::AlignLeft;
    toDate->OnOpen = [this] { toDate_Open(); };

    HalfHourSlider = &Place<Slider>(*this, "HalfHourSlider", -1, 68, 95, 108, 20);
    HalfHourSlider->SetMinimum(1);
    HalfHourSlider->SetMaximum(24);
    HalfHourSlider->SetValue(0);
    HalfHourSlider->SetLineStep(1);
    HalfHourSlider->SetPageStep(20);
    HalfHourSlider->SetLiveScroll(true);
    HalfHourSlider->OnOpen = [this] { HalfHourSlider_Open(); };
    HalfHourSlider->OnValueChanged = [this] { HalfHourSlider_ValueChanged(); };

    // A spare label of the design; nothing shows it.
    st = &Place<StaticText>(*this, "st", -1, 4, 105, 60, 12);
    st->SetText("-");
    st->TextFont = "Arial";
    st->TextSize = 8;
    st->SetVisible(false);

    SaveButton = &PlaceToolkit<PushButton>(*this, "SaveButton", 118, 125, 69, 20, 12);
    SaveButton->SetCaption("Save");
    SaveButton->Default = true;
    SaveButton->OnOpen = [this] { SaveButton_Open(); };
    SaveButton->OnAction = [this] { SaveButton_Action(); };

    DeleteButton = &PlaceToolkit<PushButton>(*this, "DeleteButton", 42, 125, 69, 20, 12);
    DeleteButton->SetCaption("Delete");
    DeleteButton->OnOpen = [this] { DeleteButton_Open(); };
    DeleteButton->OnAction = [this] { DeleteButton_Action(); };
}

void GlanceInputWindow::EventField_Open() {
    const Date& start = App().selectedDate;
    EventEndTime = start;
    EventEndTime.SetTotalSeconds(start.TotalSeconds() + EventEditor::kStepSeconds);
    const std::string key = start.SQLDateTime();
    const Dictionary& store = App().eventDict;
    if (store.HasKey(key)) {
        const std::string_view value = store.Value(key);
        EventEndTime.SetSQLDateTime(NthField(value, "//", 1));
        EventField->SetText(NthField(value, "//", 2));
    }
    // Selected, so that typing replaces the suggested title.
    EventField->SetSelStart(0);
    EventField->SetSelLength(999);
    EventField->SetFocus();
}

bool GlanceInputWindow::EventField_KeyDown(const std::string&) {
    return false;
}

void GlanceInputWindow::AllDayCheck_Open() {
    if (App().selectedDate.Hour() == 0) AllDayCheck->SetValue(true);
}

void GlanceInputWindow::fromDate_Open() {
    fromDate->SetText(EventEditor::DateLabel(App().selectedDate, !AllDayCheck->Value()));
}

void GlanceInputWindow::toDate_Open() {
    toDate->SetText(EventEditor::DateLabel(EventEndTime, !AllDayCheck->Value()));
}

void GlanceInputWindow::HalfHourSlider_Open() {
    const EventEditor::EndRange range =
        EventEditor::SliderRange(App().eventDict, App().selectedDate, EventEndTime);
    HalfHourSlider->SetMaximum(range.maximum);
    HalfHourSlider->SetValue(range.value);
}

void GlanceInputWindow::SaveButton_Open() {
    SaveButton->SetHeight(19);
    SaveButton->SetTextSize(11);
}

void GlanceInputWindow::DeleteButton_Open() {
    DeleteButton->SetHeight(19);
    DeleteButton->SetTextSize(11);
}

void GlanceInputWindow::Event_Paint(Graphics& g) {
    const PicturePtr background = Glancetimebackground();
    if (!background) return;
    g.DrawPicture(background, 0, 0, Width(), Height(), 0, 0, background->Width(),
                  background->Height());
}

void GlanceInputWindow::Event_Open() {
    // Centred on the whole main screen, panels included, as the calendar's dialogs are.
    CentreOnMainScreen(*this);
}
