// The countdown badge on the main window: shown as the preference says, dragged, clicked open,
// redrawn at midnight, and the event file written after the editor only when it changed.
#include "mainwindow/CalendarWindowFixture.h"

#include "editors/CountdownInputWindow.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include <filesystem>
#include <functional>
#include <string>

namespace {
class CountdownBadgeTest : public CalendarWindowTest {
  protected:
    CountdownBadgeTest() {
        TestSeams::Enable();
        Date::FixClock(Date(2026, 12, 15, 12, 0).TotalSeconds());
        application.countdownDate = Date();
        application.showCoundownCalendar = true;
    }
    ~CountdownBadgeTest() override {
        Date::FixClock(std::nullopt);
        TestSeams::Disable();
    }
    // Shows each modal editor to edit, then closes it.
    void WhenEditorShown(std::function<void(CountdownInputWindow&)> edit) {
        TestSeams::WhenModal([edit](Window& shown) {
            edit(dynamic_cast<CountdownInputWindow&>(shown));
            shown.Close();
        });
    }
    static void Press(CalendarWindow& window, int x, int y) {
        Simulate::MouseMove(window, x, y);
        Simulate::MouseDown(window, x, y);
    }
};
} // namespace

// Drawn even while hidden; the midnight tick redraws the count.
TEST_F(CountdownBadgeTest, IsShownAsThePreferenceSaysAndRedrawnAtMidnight) {
    for (const bool preference : {false, true}) {
        application.showCoundownCalendar = preference;
        CalendarWindow& window = CalendarWindow::Instance();
        cCanvas& badge = *window.CountdownCanvas;
        const PicturePtr before = badge.cachedImage;
        ASSERT_TRUE(before);
        Picture shot(window.Width(), window.Height());
        window.DrawInto(shot.Graphics(), 0, 0);
        EXPECT_EQ(shot.Pixel(badge.Left() + 50, badge.Top() + 70) == before->Pixel(50, 70),
                  preference);
        if (!preference) {
            window.Close();
            continue;
        }
        Date::FixClock(Date(2026, 12, 16, 0, 0, 30).TotalSeconds());
        window.TimeTimer_Action();
        int differing = 0;
        for (int x = 0; x < 118; ++x) // a row across the number: 11 days until became 10
            differing += before->Pixel(x, 40) != badge.cachedImage->Pixel(x, 40);
        EXPECT_GT(differing, 0);
    }
}

// Each press clears the drag, so a click after a drag still opens the editor.
TEST_F(CountdownBadgeTest, ADragMovesTheBadgeAndAClickOpensTheEditor) {
    int editorsShown = 0;
    WhenEditorShown([&](CountdownInputWindow&) { ++editorsShown; });
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& badge = *window.CountdownCanvas;
    Press(window, badge.Left() + 20, badge.Top() + 30);
    Simulate::MouseMove(window, 260, 350);
    Simulate::MouseUp(window, 260, 350);
    EXPECT_EQ(std::pair(badge.Left(), badge.Top()), std::pair(240, 320));
    EXPECT_EQ(editorsShown, 0) << "a drag opens nothing";

    Press(window, 250, 330);
    Simulate::MouseUp(window, 250, 330);
    EXPECT_EQ(editorsShown, 1);
    EXPECT_EQ(badge.Left(), 240) << "a click leaves the badge where it is";
}

TEST_F(CountdownBadgeTest, AfterTheEditorTheEventFileIsWrittenOnlyWhenTheCountdownChanged) {
    const std::string key = "2026-12-31 00:00:00";
    application.countdownDate.SetSQLDateTime(key);
    application.eventDict.Value(key, key + "//Party//Countdown");
    CalendarWindow& window = CalendarWindow::Instance();
    const std::filesystem::path file = environment.Documents() / "Calendar.tpc";
    const struct {
        std::function<void(CountdownInputWindow&)> edit;
        std::string line; // the countdown's line in the file; empty: no file written
    } steps[] = {
        {[](CountdownInputWindow&) {}, ""},
        {[](CountdownInputWindow& editor) { editor.titleField->SetText("Eve"); },
         key + "|" + key + "//Eve//Countdown"},
        {[](CountdownInputWindow& editor) { editor.Day->SetListIndex(29); },
         "2026-12-30 00:00:00|2026-12-30 00:00:00//Eve//Countdown"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.line);
        std::filesystem::remove(file);
        WhenEditorShown(step.edit);
        Press(window, 135 + 50, 15 + 70);
        Simulate::MouseUp(window, 135 + 50, 15 + 70);
        DoEvents();
        if (step.line.empty()) {
            EXPECT_FALSE(std::filesystem::exists(file));
            continue;
        }
        const std::string text = TestEnvironment::ReadFile(file);
        EXPECT_NE(text.find(step.line + "\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("Party"), std::string::npos) << "the old entry is gone";
    }
}
