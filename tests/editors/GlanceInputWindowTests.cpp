// The event editor as the user meets it: what it shows when it opens on a slot, how the all-day
// box and the end slider behave, and what Save, Delete and the close box leave in the store and
// in the year grid's markers.
#include "mainwindow/WeekFaceFixture.h"

#include "editors/GlanceInputWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/HelpWindow.h"

namespace {
// Tuesday 3 March 2026 in the week face.
class GlanceInputWindowTest : public WeekFaceTest {
  protected:
    // The editor as a click on the week grid opens it, on the slot that begins at start.
    GlanceInputWindow& OpenOn(const Date& start) {
        application.selectedDate = start;
        Window().ReloadCalLists();
        GlanceInputWindow& editor = GlanceInputWindow::Instance();
        editor.Show();
        return editor;
    }
    std::string Stored(const std::string& key) const {
        return application.eventDict.Lookup(key, "(none)");
    }
    const std::string& Markers() { return Tag(Window(), On(0, 0)); }
    static Date On(int hour, int minute, int second = 0) {
        return Date(2026, 3, 3, hour, minute, second);
    }
};
} // namespace

TEST_F(GlanceInputWindowTest, OpensOnAFreeSlotOrWhatIsStoredWithoutAWord) {
    AddEntry("2026-03-03 10:00:00", "2026-03-03 11:00:00", "Dentist");
    AddEntry("2026-03-03 00:00:01", "2026-03-03 00:00:01", "Pack for the trip");
    const struct {
        Date start;
        const char *title, *from, *to;
        bool allDay;
        int value;
    } cases[] = {
        {On(8, 0), "New Event", "3/3/2026 at 8:00 AM", "3/3/2026 at 8:30 AM", false, 1},
        {On(10, 0), "Dentist", "3/3/2026 at 10:00 AM", "3/3/2026 at 11:00 AM", false, 2},
        {On(0, 0, 1), "Pack for the trip", "3/3/2026", "3/3/2026", true, 0},
    };
    for (const auto& c : cases) {
        GlanceInputWindow& editor = OpenOn(c.start);
        EXPECT_EQ(editor.EventField->SelText(), c.title) << "typing replaces the title";
        EXPECT_EQ(editor.AllDayCheck->Value(), c.allDay);
        EXPECT_EQ(editor.fromDate->Text(), c.from);
        EXPECT_EQ(editor.toDate->Text(), c.to);
        EXPECT_EQ(editor.HalfHourSlider->Value(), c.value) << c.title;
        editor.Close();
    }
    EXPECT_TRUE(Messages().empty()) << "setting up the slider is not the user moving it";
}

TEST_F(GlanceInputWindowTest, TheBoxHidesTheTimesTheSliderMovesTheEndADayNoteStaysOne) {
    GlanceInputWindow& editor = OpenOn(On(9, 30));
    Simulate::Slide(*editor.HalfHourSlider, 3);
    EXPECT_EQ(editor.toDate->Text(), "3/3/2026 at 11:00 AM");
    Simulate::Click(editor, 80, 46);
    EXPECT_FALSE(editor.HalfHourSlider->Visible());
    EXPECT_EQ(editor.toDate->Text(), "3/3/2026");
    Simulate::Click(editor, 80, 46);
    EXPECT_TRUE(editor.HalfHourSlider->Visible());
    EXPECT_EQ(editor.toDate->Text(), "3/3/2026 at 11:00 AM") << "the end is kept";
    editor.Close();
    EXPECT_TRUE(Messages().empty());

    // A new day note's end runs from the small hours, before the week list's first row.
    GlanceInputWindow& note = OpenOn(On(0, 0, 1));
    Simulate::Click(note, 80, 46);
    EXPECT_TRUE(note.AllDayCheck->Value()) << "a day note cannot be unticked";
    EXPECT_TRUE(note.HalfHourSlider->Visible()) << "nor lose its slider";
    Simulate::Slide(*note.HalfHourSlider, 2);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Invalid event time."});
    EXPECT_EQ(note.toDate->Text(), "3/3/2026 at 1:00 AM");
}

TEST_F(GlanceInputWindowTest, SaveStoresTheTitleAndEndAndMarksTheDay) {
    AddHoliday("2026-03-03", "Flag Day");
    GlanceInputWindow& editor = OpenOn(On(10, 0));
    editor.EventField->SetText("");
    Simulate::Slide(*editor.HalfHourSlider, 3);
    editor.SaveButton->Push();
    EXPECT_EQ(Stored("2026-03-03 10:00:00"), "2026-03-03 11:30:00//New Event");
    EXPECT_EQ(Markers(), "3/3/2026//Flag Day|//New Event|");

    // Saving again replaces the entry, kind and all; a typed title cannot add a field.
    application.eventDict.Value("2026-03-03 10:00:00", "2026-03-03 11:30:00//Party//Special");
    GlanceInputWindow& again = OpenOn(On(10, 0));
    again.EventField->SetText("Tea | cake//Special/");
    again.SaveButton->Push();
    EXPECT_EQ(Stored("2026-03-03 10:00:00"), "2026-03-03 11:30:00//Tea   cake/Special");
}

TEST_F(GlanceInputWindowTest, DeleteAndAllDaySaveOrDeleteTouchTheirOwnEntryOnlyTheCloseBoxNone) {
    AddHoliday("2026-03-03", "Flag Day");
    AddEntry("2026-03-03 09:00:00", "2026-03-03 10:00:00", "Party");
    AddEntry("2026-03-03 11:00:00", "2026-03-03 12:00:00", "Party", "Special");
    Window().AddEvent(true);
    ASSERT_EQ(Markers(), "3/3/2026//Flag Day|//Party|//Party|Special");

    GlanceInputWindow& closed = OpenOn(On(11, 0));
    closed.EventField->SetText("Changed");
    Simulate::Slide(*closed.HalfHourSlider, 6);
    closed.Close();
    EXPECT_EQ(Stored("2026-03-03 11:00:00"), "2026-03-03 12:00:00//Party//Special");
    // Escape does what the close box does, also where no desktop draws one.
    GlanceInputWindow& escaped = OpenOn(On(11, 0));
    Simulate::Type(escaped, "Changed");
    Simulate::Key(escaped, "Esc");
    EXPECT_FALSE(escaped.IsOpen());
    EXPECT_EQ(Stored("2026-03-03 11:00:00"), "2026-03-03 12:00:00//Party//Special");
    OpenOn(On(11, 0)).DeleteButton->Push();
    EXPECT_EQ(Stored("2026-03-03 11:00:00"), "(none)");
    EXPECT_EQ(Markers(), "3/3/2026//Flag Day|//Party|");

    // The box turns the 9:00 editor into one for the day note.
    GlanceInputWindow& editor = OpenOn(On(9, 0));
    Simulate::Click(editor, 80, 46);
    editor.EventField->SetText("Holiday week");
    editor.SaveButton->Push();
    EXPECT_EQ(Stored("2026-03-03 00:00:01"), "2026-03-03 00:00:01//Holiday week");
    EXPECT_EQ(application.selectedDate, On(0, 0, 1));
    GlanceInputWindow& remover = OpenOn(On(9, 0));
    Simulate::Click(remover, 80, 46);
    remover.DeleteButton->Push();
    EXPECT_EQ(Stored("2026-03-03 00:00:01"), "(none)");
    EXPECT_EQ(Stored("2026-03-03 09:00:00"), "2026-03-03 10:00:00//Party");
    EXPECT_EQ(Markers(), "3/3/2026//Flag Day|//Party|");
}

TEST_F(GlanceInputWindowTest, AClickOnTheWeekGridEditsThatSlotModallyAndASecondIsRefused) {
    CalendarWindow& calendar = Window();
    calendar.ReloadCalLists();
    calList& grid = *calendar.GlanceList;
    bool secondOpened = true;
    TestSeams::WhenModal([&](::Window& window) {
        auto& editor = dynamic_cast<GlanceInputWindow&>(window);
        const TestSeams::DesktopRequest asked = TestSeams::AskedOfDesktop(editor);
        EXPECT_EQ(asked.inFrontOf, &calendar);
        EXPECT_TRUE(asked.closeButton);
        EXPECT_FALSE(asked.userResizable) << "no grey full-screen editor";
        secondOpened = GlanceInputWindow::EditSelectedEvent();
        Simulate::Type(editor, "Call Bob"); // replaces the suggested title
        Simulate::Slide(*editor.HalfHourSlider, 3);
        Simulate::Key(editor, "Return");
    });
    // The 10:00 slot of Tuesday.
    calendar.GlanceList_MouseDown(grid.ColumnLeft(3) + 3, 4 * grid.RowHeight() + 2);
    EXPECT_FALSE(secondOpened);
    EXPECT_EQ(FindOpenWindow<GlanceInputWindow>(), nullptr);
    EXPECT_EQ(Stored("2026-03-03 10:00:00"), "2026-03-03 11:30:00//Call Bob") << "Return saves";
}

// Behind the editor the menu shortcuts do nothing: Close would slide the calendar away and
// leave the editor alone on an empty screen, Print would print. An editor that a desktop
// minimises comes back at once over the calendar, the help the user had minimised staying down;
// when it closes, the calendar has the keyboard.
TEST_F(GlanceInputWindowTest, BehindTheEditorNoShortcutActsAndAMinimisedEditorComesBack) {
    CalendarWindow& calendar = Window();
    calendar.ReloadCalLists();
    calList& grid = *calendar.GlanceList;
    const int top = calendar.Top();
    ASSERT_TRUE(KeyboardAfterTheFirstFrame(calendar));
    application.DoMenuCommand("HelpHelp");
    HelpWindow& help = HelpWindow::Instance();
    Simulate::Minimise(help);
    bool back = false;
    TestSeams::WhenModal([&](::Window& editor) {
        Simulate::Key(editor, "Ctrl+W");
        Simulate::Key(editor, "Ctrl+P");
        EXPECT_TRUE(calendar.Visible() && calendar.Top() == top);
        EXPECT_TRUE(TestSeams::PrintDialogs().empty());

        Simulate::Minimise(calendar);
        Simulate::Minimise(editor);
        back = EventsUntil([&] {
            return !TestSeams::Minimised(calendar) && !TestSeams::Minimised(editor) &&
                   TestSeams::HasKeyboard(editor);
        });
        EXPECT_TRUE(TestSeams::Minimised(help));
        Simulate::Key(editor, "Esc");
    });
    calendar.GlanceList_MouseDown(grid.ColumnLeft(3) + 3, 4 * grid.RowHeight() + 2);
    EXPECT_TRUE(back);
    EXPECT_EQ(FindOpenWindow<GlanceInputWindow>(), nullptr);
    EXPECT_EQ(Stored("2026-03-03 10:00:00"), "(none)");
    EXPECT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(calendar); }));
}
