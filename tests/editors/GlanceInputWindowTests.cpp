// The event editor as the user meets it: what it shows when it opens on a slot, how the all-day
// box and the end slider behave, and what Save, Delete and the close box leave in the store and
// in the year grid's markers.
#include "mainwindow/YearGridFixture.h"

#include "editors/GlanceInputWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

namespace {
class GlanceInputWindowTest : public YearGridTest {
  protected:
    GlanceInputWindowTest() {
        TestSeams::Enable();
        application.StartTime = 8;
        application.EndTime = 20;
    }
    ~GlanceInputWindowTest() override { TestSeams::Disable(); }

    // The editor opened as a click on the week list opens it: on the slot that starts at start,
    // over the main window's week face.
    GlanceInputWindow& OpenOn(const Date& start) {
        CalendarWindow& calendar = CalendarWindow::Instance();
        application.selectedDate = start;
        calendar.ReloadCalLists();
        GlanceInputWindow& editor = GlanceInputWindow::Instance();
        editor.Show();
        return editor;
    }
    static std::vector<std::string> Messages() {
        std::vector<std::string> messages;
        for (const TestSeams::DialogRecord& dialog : TestSeams::Dialogs())
            messages.push_back(dialog.message);
        return messages;
    }
    std::string Stored(const std::string& key) const {
        return application.eventDict.Lookup(key, "(none)");
    }
    const std::string& Markers(const Date& day) { return Tag(CalendarWindow::Instance(), day); }
    static Date On(int hour, int minute, int second = 0) {
        return Date(2010, 6, 15, hour, minute, second);
    }
};
} // namespace

TEST_F(GlanceInputWindowTest, AFreeSlotOffersANewHalfHourEventCentredOnTheScreen) {
    GlanceInputWindow& editor = OpenOn(On(8, 0));
    EXPECT_EQ(editor.Title(), "Calendar Event");
    EXPECT_EQ(editor.Frame(), Window::MovableModal);
    // 1440 x 900 with a 24-pixel panel: the whole screen counts, not the area below the panel.
    EXPECT_EQ((std::vector<int>{editor.Left(), editor.Top(), editor.Width(), editor.Height()}),
              (std::vector<int>{606, 374, 227, 152}));

    EXPECT_EQ(editor.EventField->Text(), "New Event");
    EXPECT_EQ(editor.EventField->SelText(), "New Event") << "typing replaces it";
    EXPECT_FALSE(editor.AllDayCheck->Value());
    EXPECT_EQ(editor.fromDate->Text(), "6/15/2010 at 8:00 AM");
    EXPECT_EQ(editor.toDate->Text(), "6/15/2010 at 8:30 AM");
    EXPECT_EQ((std::vector<int>{editor.HalfHourSlider->Minimum(), editor.HalfHourSlider->Value(),
                                editor.HalfHourSlider->Maximum()}),
              (std::vector<int>{1, 1, 26}));
    EXPECT_TRUE(editor.HalfHourSlider->Visible());
    EXPECT_FALSE(editor.st->Visible());
    EXPECT_TRUE(editor.SaveButton->Default);
    EXPECT_FALSE(editor.DeleteButton->Default);
    EXPECT_EQ(editor.SaveButton->Height(), 19);
    EXPECT_EQ(editor.DeleteButton->TextSize(), 11);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(GlanceInputWindowTest, AnExistingEventOrDayNoteShowsWhatIsStoredWithoutAWord) {
    AddEntry("2010-06-15 10:00:00", "2010-06-15 11:00:00", "Dentist");
    AddEntry("2010-06-15 12:00:00", "2010-06-15 13:00:00", "Lunch");
    AddEntry("2010-06-15 00:00:01", "2010-06-15 00:00:01", "Pack for the trip");
    {
        GlanceInputWindow& editor = OpenOn(On(10, 0));
        EXPECT_EQ(editor.EventField->Text(), "Dentist");
        EXPECT_EQ(editor.toDate->Text(), "6/15/2010 at 11:00 AM");
        EXPECT_EQ(editor.HalfHourSlider->Value(), 2);
        EXPECT_EQ(editor.HalfHourSlider->Maximum(), 4) << "up to Lunch";
        editor.Close();
    }
    GlanceInputWindow& note = OpenOn(On(0, 0, 1));
    EXPECT_EQ(note.EventField->Text(), "Pack for the trip");
    EXPECT_TRUE(note.AllDayCheck->Value());
    EXPECT_EQ(note.fromDate->Text(), "6/15/2010");
    EXPECT_EQ(note.toDate->Text(), "6/15/2010");
    EXPECT_TRUE(note.HalfHourSlider->Visible());
    EXPECT_EQ(note.HalfHourSlider->Maximum(), 0);
    EXPECT_EQ(note.HalfHourSlider->Value(), 0);
    EXPECT_TRUE(Messages().empty()) << "setting up the slider is not the user moving it";
    EXPECT_EQ(note.EventEndTime, On(0, 0, 1));
}

TEST_F(GlanceInputWindowTest, TheAllDayBoxHidesTheTimesOfATimedEventButADayNoteStaysOne) {
    GlanceInputWindow& editor = OpenOn(On(9, 30));
    Simulate::Slide(*editor.HalfHourSlider, 3);
    Simulate::Click(editor, 80, 46);
    EXPECT_TRUE(editor.AllDayCheck->Value());
    EXPECT_FALSE(editor.HalfHourSlider->Visible());
    EXPECT_EQ(editor.fromDate->Text(), "6/15/2010");
    EXPECT_EQ(editor.toDate->Text(), "6/15/2010");
    Simulate::Click(editor, 80, 46);
    EXPECT_FALSE(editor.AllDayCheck->Value());
    EXPECT_TRUE(editor.HalfHourSlider->Visible());
    EXPECT_EQ(editor.toDate->Text(), "6/15/2010 at 11:00 AM") << "the end is kept";
    editor.Close();

    GlanceInputWindow& note = OpenOn(On(0, 0, 1));
    Simulate::Click(note, 80, 46);
    EXPECT_TRUE(note.AllDayCheck->Value());
    EXPECT_EQ(note.toDate->Text(), "6/15/2010");
}

TEST_F(GlanceInputWindowTest, TheSliderMovesTheEndInHalfHoursAndWarnsOfAnEndBeforeTheList) {
    GlanceInputWindow& editor = OpenOn(On(14, 0));
    Simulate::Slide(*editor.HalfHourSlider, 5);
    EXPECT_EQ(editor.EventEndTime, On(16, 30));
    EXPECT_EQ(editor.toDate->Text(), "6/15/2010 at 4:30 PM");
    EXPECT_TRUE(Messages().empty());
    editor.Close();

    // A new day note's end runs from the small hours, before the week list's first row.
    GlanceInputWindow& note = OpenOn(On(0, 0, 1));
    EXPECT_EQ(note.HalfHourSlider->Maximum(), 42);
    Simulate::Slide(*note.HalfHourSlider, 2);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid event time."});
    EXPECT_EQ(note.toDate->Text(), "6/15/2010 at 1:00 AM");
    EXPECT_TRUE(note.IsOpen());
}

TEST_F(GlanceInputWindowTest, SaveStoresTheTitleAndEndAndMarksTheDay) {
    AddHoliday("2010-06-15", "Flag Day");
    GlanceInputWindow& editor = OpenOn(On(10, 0));
    editor.EventField->SetText("");
    Simulate::Slide(*editor.HalfHourSlider, 3);
    editor.SaveButton->Push();
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(Stored("2010-06-15 10:00:00"), "2010-06-15 11:30:00//New Event");
    EXPECT_EQ(Markers(On(0, 0)), "6/15/2010//Flag Day|//New Event|");

    // Saving again replaces the entry, kind and all; a typed title cannot add a field.
    application.eventDict.Value("2010-06-15 10:00:00", "2010-06-15 11:30:00//Party//Special");
    GlanceInputWindow& again = OpenOn(On(10, 0));
    again.EventField->SetText("Tea | cake//Special/");
    again.SaveButton->Push();
    EXPECT_EQ(Stored("2010-06-15 10:00:00"), "2010-06-15 11:30:00//Tea   cake/Special");
}

TEST_F(GlanceInputWindowTest, AllDaySaveAndDeleteWorkOnTheDayNoteOnly) {
    AddEntry("2010-06-15 09:00:00", "2010-06-15 10:00:00", "Meeting");
    GlanceInputWindow& editor = OpenOn(On(9, 0));
    Simulate::Click(editor, 80, 46);
    editor.EventField->SetText("Holiday week");
    editor.SaveButton->Push();
    EXPECT_EQ(Stored("2010-06-15 00:00:01"), "2010-06-15 00:00:01//Holiday week");
    EXPECT_EQ(Stored("2010-06-15 09:00:00"), "2010-06-15 10:00:00//Meeting");
    EXPECT_EQ(application.selectedDate, On(0, 0, 1));

    GlanceInputWindow& remover = OpenOn(On(9, 0));
    Simulate::Click(remover, 80, 46);
    remover.DeleteButton->Push();
    EXPECT_EQ(Stored("2010-06-15 00:00:01"), "(none)");
    EXPECT_EQ(Stored("2010-06-15 09:00:00"), "2010-06-15 10:00:00//Meeting");
    EXPECT_EQ(Markers(On(0, 0)), "6/15/2010//Meeting|");
}

TEST_F(GlanceInputWindowTest, DeleteRemovesTheEntryAndItsMarkerOnlyAndTheCloseBoxNothing) {
    AddHoliday("2010-06-15", "Flag Day");
    AddEntry("2010-06-15 09:00:00", "2010-06-15 10:00:00", "Party");
    AddEntry("2010-06-15 11:00:00", "2010-06-15 12:00:00", "Party", "Special");
    CalendarWindow::Instance().AddEvent(true);
    ASSERT_EQ(Markers(On(0, 0)), "6/15/2010//Flag Day|//Party|//Party|Special");

    // The close box: nothing changes, whatever was typed.
    GlanceInputWindow& closed = OpenOn(On(11, 0));
    closed.EventField->SetText("Changed");
    Simulate::Slide(*closed.HalfHourSlider, 6);
    closed.Close();
    EXPECT_EQ(Stored("2010-06-15 11:00:00"), "2010-06-15 12:00:00//Party//Special");

    GlanceInputWindow& editor = OpenOn(On(11, 0));
    editor.DeleteButton->Push();
    EXPECT_EQ(Stored("2010-06-15 11:00:00"), "(none)");
    EXPECT_EQ(Stored("2010-06-15 09:00:00"), "2010-06-15 10:00:00//Party");
    EXPECT_EQ(Markers(On(0, 0)), "6/15/2010//Flag Day|//Party|");

    // Nothing stored on the slot: nothing changes.
    const int count = application.eventDict.Count();
    OpenOn(On(15, 0)).DeleteButton->Push();
    EXPECT_EQ(application.eventDict.Count(), count);
    EXPECT_EQ(Markers(On(0, 0)), "6/15/2010//Flag Day|//Party|");
}

TEST_F(GlanceInputWindowTest, AClickOnTheWeekGridEditsThatSlotModallyAndASecondIsRefused) {
    CalendarWindow& calendar = CalendarWindow::Instance();
    calendar.ReloadCalLists();
    calList& grid = *calendar.GlanceList;
    bool secondOpened = true;
    std::string from, typed;
    TestSeams::WhenModal([&](Window& window) {
        auto& editor = dynamic_cast<GlanceInputWindow&>(window);
        secondOpened = GlanceInputWindow::EditSelectedEvent();
        from = editor.fromDate->Text();
        Simulate::Type(editor, "Call Bob");
        typed = editor.EventField->Text();
        Simulate::Slide(*editor.HalfHourSlider, 3);
        Simulate::Key(editor, "Return");
    });
    // Tuesday 15 June 2010, the 10:00 slot.
    calendar.GlanceList_MouseDown(grid.ColumnLeft(3) + 3, 4 * grid.RowHeight() + 2);
    EXPECT_FALSE(secondOpened);
    EXPECT_EQ(from, "6/15/2010 at 10:00 AM");
    EXPECT_EQ(typed, "Call Bob") << "typing replaced the suggested title";
    EXPECT_EQ(FindOpenWindow<GlanceInputWindow>(), nullptr);
    EXPECT_EQ(Stored("2010-06-15 10:00:00"), "2010-06-15 11:30:00//Call Bob") << "Return saves";
    EXPECT_EQ(
        (std::vector<std::string>{grid.CellTag(4, 3), grid.CellTag(6, 3), grid.CellTag(7, 3)}),
        (std::vector<std::string>{"2010-06-15 10:00:00|1", "2010-06-15 10:00:00|3", ""}));
}
