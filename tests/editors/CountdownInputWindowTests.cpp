// The countdown editor: what it shows when it opens, the title's key filter, what closing stores.
#include "mainwindow/CalendarWindowFixture.h"

#include "editors/CountdownInputWindow.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include <filesystem>
#include <string>

namespace {
const std::string kJuly4 = "2026-07-04 00:00:00";

// Today is a day of March 2026: the 10th, or one of the days February lacks.
class CountdownEditorTest : public CalendarWindowTest, public testing::WithParamInterface<int> {
  protected:
    CountdownEditorTest() {
        TestSeams::Enable();
        Customization().calendarStartYear = 2026;
        Date::FixClock(Date(2026, 3, GetParam(), 12, 0).TotalSeconds());
        application.countdownDate = Date();
    }
    ~CountdownEditorTest() override {
        Date::FixClock(std::nullopt);
        TestSeams::Disable();
    }
    void StoreCountdown(const std::string& key, const std::string& title) {
        application.countdownDate.SetSQLDateTime(key);
        application.eventDict.Value(key, key + "//" + title + "//Countdown");
    }
    // The main window opens first and draws the badge, as when the user clicks it.
    CountdownInputWindow& OpenEditor() {
        CalendarWindow::Instance();
        return CountdownInputWindow::Instance();
    }
};
std::string Shown(const CountdownInputWindow& editor) {
    return editor.titleField->Text() + ", " + editor.Month->Text() + " " + editor.Day->Text() +
           " " + editor.Year->Text();
}
} // namespace

// Without a countdown entry it shows what the badge counts to, and closing stores that; Escape
// closes it as its close box does, also where no desktop draws one.
TEST_P(CountdownEditorTest, OpensWithTheCountdownOrChristmas) {
    // Opened without the badge, which would move the countdown date to 25 December itself.
    CountdownInputWindow& editor = CountdownInputWindow::Instance();
    EXPECT_EQ(Shown(editor), "Christmas, December 25 2026");
    std::string months;
    for (int row = 0; row < editor.Month->ListCount(); ++row)
        months += editor.Month->List(row) + " ";
    EXPECT_EQ(months, "January February March April May June July August September October "
                      "November December ");
    editor.Show();
    editor.titleField->SetFocus();
    Simulate::Key(editor, "Esc");
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(application.eventDict.Value("2026-12-25 00:00:00"),
              "2026-12-25 00:00:00//Christmas//Countdown");

    StoreCountdown("2027-07-04 00:00:00", "Picnic");
    EXPECT_EQ(Shown(OpenEditor()), "Picnic, July 4 2027");
}

TEST_P(CountdownEditorTest, ClosingStoresWhatTheEditorShows) {
    const struct {
        const char* what;
        std::string title;       // typed; empty keeps "Picnic"
        int month, day, yearRow; // rows chosen; -2 keeps the row shown, -1 chooses none
        std::string key;         // where the countdown stands afterwards
        std::string storedTitle;
    } cases[] = {
        {"nothing changed", "", -2, -2, -2, kJuly4, "Picnic"},
        {"title only", "Fireworks", -2, -2, -2, kJuly4, "Fireworks"},
        {"date only", "", 7, 0, 1, "2027-08-01 00:00:00", "Picnic"},
        {"31 April", "", 3, 30, -2, "2026-04-30 00:00:00", "Picnic"},
        {"29 February of a common year", "", 1, 28, 1, "2027-02-28 00:00:00", "Picnic"},
        {"no row chosen", "", -1, -1, -1, kJuly4, "Picnic"},
        {"separators typed", "a//b|c\n/", -2, -2, -2, kJuly4, "a/b c "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        application.eventDict.Clear();
        StoreCountdown(kJuly4, "Picnic");
        CountdownInputWindow& editor = OpenEditor();
        if (!c.title.empty()) editor.titleField->SetText(c.title);
        if (c.month != -2) editor.Month->SetListIndex(c.month);
        if (c.day != -2) editor.Day->SetListIndex(c.day);
        if (c.yearRow != -2) editor.Year->SetListIndex(c.yearRow);
        editor.Close();
        DoEvents();
        EXPECT_EQ(application.countdownDate.SQLDateTime(), c.key);
        EXPECT_EQ(application.eventDict.Count(), 1) << "the old key is gone when the date moved";
        EXPECT_EQ(application.eventDict.Lookup(c.key),
                  c.key + "//" + c.storedTitle + "//Countdown");
        EXPECT_FALSE(std::filesystem::exists(environment.Documents() / "Calendar.tpc"))
            << "the badge's click writes the file, not the editor";
    }
}

TEST_P(CountdownEditorTest, TheKeyFilterKeepsTheTitleWithinTheBadge) {
    const std::string wide(14, 'W'); // wider than the badge at any size
    const struct {
        std::string text;
        std::string key;
        bool refused;
    } cases[] = {
        {"", "a", false},
        {"WWWWWWW", "W", true},            // one word measured at size 11, with the key
        {"WWWWxxxxxx", "x", false},        // exactly the badge's 80 pixels still fits
        {"WWWWWWWW", "\b", false},         // backspace always goes in
        {"Mmmmmmmmi", " ", true},          // fits at 11, but a blank switches to size 12
        {"ab " + wide + " ab", "x", true}, // measured after the first blank
        {"New Year Party", "x", false},
        {"ab aaaaaaaaaaiiiii", "x", false}, // a second line of exactly 80 pixels fits
        {wide + " x", "y", true},           // the first line is too wide
    };
    CountdownInputWindow& editor = OpenEditor();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + "+" + c.key);
        const int beeps = TestSeams::Beeps();
        editor.titleField->SetText(c.text);
        EXPECT_EQ(editor.titleField_KeyDown(c.key), c.refused);
        EXPECT_EQ(TestSeams::Beeps() - beeps, c.refused ? 1 : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Today, CountdownEditorTest, testing::Values(10, 29, 30, 31));
