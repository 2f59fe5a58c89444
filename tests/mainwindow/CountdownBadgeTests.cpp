// The countdown badge on the main window: where it opens, what it paints, drags and clicks.
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
    // Counts the editors shown modally; each is closed as soon as it is up.
    void CountEditors() {
        TestSeams::WhenModal([this](Window& window) {
            if (dynamic_cast<CountdownInputWindow*>(&window)) ++editorsShown;
            window.Close();
            TestSeams::WhenModal(nullptr);
        });
    }
    static void Press(CalendarWindow& window, int x, int y) {
        Simulate::MouseMove(window, x, y);
        Simulate::MouseDown(window, x, y);
    }
    int editorsShown = 0;
};

// The window as drawn, at a point.
Color WindowPixel(CalendarWindow& window, int x, int y) {
    Picture picture(window.Width(), window.Height());
    window.DrawInto(picture.Graphics(), 0, 0);
    return picture.Pixel(x, y);
}
} // namespace

TEST_F(CountdownBadgeTest, OpensAtItsPlaceDrawnAndShownAsThePreferenceSays) {
    for (const bool preference : {false, true}) {
        SCOPED_TRACE(preference);
        application.showCoundownCalendar = preference;
        CalendarWindow& window = CalendarWindow::Instance();
        cCanvas& badge = *window.CountdownCanvas;
        EXPECT_EQ((std::vector<int>{badge.Left(), badge.Top(), badge.Width(), badge.Height()}),
                  (std::vector<int>{135, 15, 118, 130}));
        EXPECT_EQ(badge.Parent(), nullptr);
        EXPECT_EQ(badge.Visible(), preference);
        ASSERT_TRUE(badge.cachedImage) << "drawn even while hidden";
        // The badge's middle, on its page.
        const Color middle = badge.cachedImage->Pixel(50, 70);
        EXPECT_EQ(WindowPixel(window, 135 + 50, 15 + 70) == middle, preference);
        window.Close();
        DoEvents();
    }
}

TEST_F(CountdownBadgeTest, ADragMovesTheBadgeAndAClickOpensTheEditor) {
    CountEditors();
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& badge = *window.CountdownCanvas;
    Press(window, 135 + 20, 15 + 30);
    Simulate::MouseMove(window, 300, 400);
    Simulate::MouseMove(window, 260, 350);
    Simulate::MouseUp(window, 260, 350);
    EXPECT_EQ(badge.Left(), 240);
    EXPECT_EQ(badge.Top(), 320);
    EXPECT_TRUE(badge.iMoved);
    EXPECT_EQ(editorsShown, 0) << "a drag opens nothing";

    // The next press clears the drag: a press and release without moving is a click.
    Press(window, 250, 330);
    EXPECT_FALSE(badge.iMoved);
    Simulate::MouseUp(window, 250, 330);
    EXPECT_EQ(editorsShown, 1);
    EXPECT_EQ(badge.Left(), 240) << "a click leaves the badge where it is";

    // The place dragged to is not kept: a new window puts the badge back.
    window.Close();
    DoEvents();
    EXPECT_EQ(CalendarWindow::Instance().CountdownCanvas->Left(), 135);
}

TEST_F(CountdownBadgeTest, TheMidnightTickRedrawsTheCount) {
    CalendarWindow& window = CalendarWindow::Instance();
    const PicturePtr before = window.CountdownCanvas->cachedImage;
    Date::FixClock(Date(2026, 12, 16, 0, 0, 30).TotalSeconds());
    window.TimeTimer_Action();
    const PicturePtr after = window.CountdownCanvas->cachedImage;
    int differing = 0;
    for (int x = 0; x < 118; ++x) // a row across the number
        differing += before->Pixel(x, 40) != after->Pixel(x, 40);
    EXPECT_GT(differing, 0) << "11 days until became 10";
}

TEST_F(CountdownBadgeTest, AfterTheEditorTheEventFileIsWrittenOnlyWhenTheCountdownChanged) {
    const std::string key = "2026-12-31 00:00:00";
    application.countdownDate.SetSQLDateTime(key);
    application.eventDict.Value(key, key + "//Party//Countdown");
    CalendarWindow& window = CalendarWindow::Instance();
    const std::filesystem::path file = environment.Documents() / "Calendar.tpc";
    const struct {
        const char* what;
        std::function<void(CountdownInputWindow&)> edit;
        std::string line; // the countdown's line in the file; empty: no file written
    } steps[] = {
        {"nothing changed", [](CountdownInputWindow&) {}, ""},
        {"the title", [](CountdownInputWindow& editor) { editor.titleField->SetText("Eve"); },
         "2026-12-31 00:00:00|2026-12-31 00:00:00//Eve//Countdown"},
        {"the day", [](CountdownInputWindow& editor) { editor.Day->SetListIndex(29); },
         "2026-12-30 00:00:00|2026-12-30 00:00:00//Eve//Countdown"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        std::filesystem::remove(file);
        TestSeams::WhenModal([&](Window& shown) {
            step.edit(dynamic_cast<CountdownInputWindow&>(shown));
            shown.Close();
        });
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
