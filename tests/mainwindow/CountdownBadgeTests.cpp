// The countdown badge: its picture (centred lines, the title on one or two lines, the mask),
// and on the main window shown as the preference says, dragged, clicked open, redrawn at
// midnight, and the event file written after the editor only when the countdown changed.
#include "mainwindow/CalendarWindowFixture.h"

#include "controls/CountdownText.h"
#include "customisation/BuiltInPictures.h"
#include "editors/CountdownInputWindow.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/HelpWindow.h"

#include "support/PictureTestSupport.h"

#include <algorithm>
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
        ownBadge.SetBounds(0, 0, 118, 130);
        bare.Graphics().DrawPicture(*countdown(), 0, 0);
    }
    ~CountdownBadgeTest() override {
        Date::FixClock(std::nullopt);
        TestSeams::Disable();
    }
    // A badge of its own drawn for a countdown entry on 25 December 2026.
    Picture& DrawWithTitle(const std::string& title) {
        application.countdownDate = Date(2026, 12, 25);
        const std::string key = application.countdownDate.SQLDateTime();
        application.eventDict.Value(key, key + "//" + title + "//Countdown");
        ownBadge.updateCountdown();
        return *ownBadge.cachedImage;
    }
    // Shows each modal editor to edit, then closes it.
    void WhenEditorShown(std::function<void(CountdownInputWindow&)> edit) {
        TestSeams::WhenModal([edit](Window& shown) {
            edit(dynamic_cast<CountdownInputWindow&>(shown));
            shown.Close();
        });
    }
    cCanvas ownBadge;
    Picture bare{118, 130};
};

// The columns, first and last, where rows [from, to] of the badge differ from the bare artwork.
std::pair<int, int> InkColumns(const Picture& badge, const Picture& bare, int from, int to) {
    int left = badge.Width(), right = -1;
    for (int y = from; y <= to; ++y)
        for (int x = 0; x < badge.Width(); ++x)
            if (badge.Pixel(x, y) != bare.Pixel(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

int DifferingPixels(const Picture& a, const Picture& b) {
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            differing += a.Pixel(x, y) != b.Pixel(x, y);
    return differing;
}
} // namespace

// Each line is centred on the badge's page, 5 pixels left of the middle; a title too wide for
// one line splits after its first blank, and a single long word shrinks instead.
TEST_F(CountdownBadgeTest, DrawsTheCountAndATitleOnOneOrTwoCentredLines) {
    const struct {
        const char* title;
        int from, to; // the rows of the line
        std::string text;
        const char* font;
        int size;
        bool bold;
    } lines[] = {
        {"Dinner", 20, 47, "10", "Impact", 18, false},
        {"Dinner", 48, 64, "days until", "Arial", 12, false},
        {"Dinner", 65, 100, "Dinner", "Arial", 12, true},
        {"Extraordinariness", 65, 100, "Extraordinariness", "Arial", 11, true},
        {"New Year Party", 65, 77, "New", "Arial", 12, true},
        {"New Year Party", 78, 100, "Year Party", "Arial", 12, true},
        {"Bob and Bob party", 78, 100, "and Bob party", "Arial", 12, true},
    };
    for (const auto& line : lines) {
        SCOPED_TRACE(line.text);
        const auto [left, right] = InkColumns(DrawWithTitle(line.title), bare, line.from, line.to);
        Graphics& g = bare.Graphics();
        g.TextFont = line.font;
        g.TextSize = line.size;
        g.Bold = line.bold;
        EXPECT_NEAR(right - left + 1, g.StringWidth(line.text), 3);
        EXPECT_NEAR((left + right) / 2.0, 118 / 2.0 - 5, 1.5);
    }
}

// A title of megabytes (a large file read as the event file) is laid out as its beginning
// alone would be, on two lines or one; numbered words tell which part of it shows.
TEST_F(CountdownBadgeTest, AHugeTitleIsDrawnAsItsBeginning) {
    for (const char* separator : {" ", "-"}) {
        std::string huge;
        for (int word = 1; huge.size() < (8u << 20); ++word)
            huge += std::to_string(word) + separator;
        SCOPED_TRACE(huge.substr(0, 8));
        DrawWithTitle(huge);
        const PicturePtr shown = ownBadge.cachedImage;
        const Picture& beginning = DrawWithTitle(huge.substr(0, kLongestBadgeTitle));
        EXPECT_EQ(DifferingPixels(*shown, beginning), 0);
        EXPECT_GE(InkColumns(*shown, bare, 78, 100).second, 0) << "the title shows";
    }
}

TEST_F(CountdownBadgeTest, WithoutAnEntryItCountsToChristmasOfItsOwnYear) {
    application.countdownDate = Date(2026, 3, 14, 9, 30, 15);
    ownBadge.updateCountdown();
    EXPECT_EQ(application.countdownDate.SQLDateTime(), "2026-12-25 00:00:00");
}

// A morning of 7 December without a countdown: the badge counts to Christmas at midnight, as
// the editor stores it, so opening and closing the editor without a change keeps the count.
TEST_F(CountdownBadgeTest, TheEditorClosedWithoutAChangeKeepsTheCountToChristmas) {
    Date::FixClock(Date(2026, 12, 7, 9, 15).TotalSeconds());
    application.countdownDate = Date();
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& badge = *window.CountdownCanvas;
    ASSERT_TRUE(badge.cachedImage);
    const PicturePtr before = badge.cachedImage; // the editor draws a new one
    EXPECT_EQ(CountdownDays(application.countdownDate, Date()).number, 18);
    WhenEditorShown([](CountdownInputWindow&) {});
    Simulate::Click(window, 135 + 50, 15 + 70);
    EXPECT_EQ(CountdownDays(application.countdownDate, Date()).number, 18);
    EXPECT_EQ(DifferingPixels(*before, *badge.cachedImage), 0) << "the badge reads the same";
}

TEST_F(CountdownBadgeTest, TheMaskIsTheBadgeShape) {
    const Picture& mask = DrawWithTitle("Dinner").Mask();
    const PicturePtr shape = countdownmask();
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 118; ++x)
            ASSERT_EQ(mask.Pixel(x, y), shape->Pixel(x, y)) << x << "," << y;
}

// Drawn with the window when shown, and once the first frame is up while hidden, where the
// badge must not show; the midnight tick redraws the count.
TEST_F(CountdownBadgeTest, IsShownAsThePreferenceSaysAndRedrawnAtMidnight) {
    for (const bool preference : {false, true}) {
        application.showCoundownCalendar = preference;
        CalendarWindow& window = CalendarWindow::Instance();
        cCanvas& badge = *window.CountdownCanvas;
        EXPECT_EQ(bool(badge.cachedImage), preference);
        const PicturePtr frame = Snapshot(window);
        DoEvents();
        const PicturePtr before = badge.cachedImage;
        ASSERT_TRUE(before);
        EXPECT_EQ(frame->Pixel(badge.Left() + 50, badge.Top() + 70) == before->Pixel(50, 70),
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

// Each press clears the drag, so a click after a drag still opens the editor. Where the badge
// was dragged to lasts as long as the window.
TEST_F(CountdownBadgeTest, ADragMovesTheBadgeAndAClickOpensTheEditor) {
    int editorsShown = 0;
    WhenEditorShown([&](CountdownInputWindow&) { ++editorsShown; });
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& badge = *window.CountdownCanvas;
    Simulate::MouseDown(window, badge.Left() + 20, badge.Top() + 30);
    Simulate::MouseMove(window, 260, 350);
    Simulate::MouseUp(window, 260, 350);
    EXPECT_EQ(std::pair(badge.Left(), badge.Top()), std::pair(240, 320));
    EXPECT_EQ(editorsShown, 0) << "a drag opens nothing";

    Simulate::Click(window, 250, 330);
    EXPECT_EQ(editorsShown, 1);
    EXPECT_EQ(badge.Left(), 240) << "a click leaves the badge where it is";
    window.Close();
    const cCanvas& reopened = *CalendarWindow::Instance().CountdownCanvas;
    EXPECT_EQ(std::pair(reopened.Left(), reopened.Top()), std::pair(135, 15))
        << "a new window puts the badge back in its corner of the title band";
}

// Help floats over the calendar, and the modal editor opens in front of both, with the keys.
TEST_F(CountdownBadgeTest, WithHelpOpenAClickOpensTheEditorInFrontOfIt) {
    CalendarWindow& window = CalendarWindow::Instance();
    HelpWindow::Instance().Show();
    bool shown = false;
    WhenEditorShown([&](CountdownInputWindow& editor) {
        shown = true;
        DoEvents();
        EXPECT_EQ(TestSeams::FrontOrder().back(), &editor);
        const TestSeams::DesktopRequest asked = TestSeams::AskedOfDesktop(editor);
        EXPECT_EQ(asked.inFrontOf, &window);
        EXPECT_TRUE(asked.closeButton);
        EXPECT_FALSE(asked.userResizable || asked.minimiseButton);
        EXPECT_EQ(Application::Instance()->FrontWindow(), &editor) << "it has the keys";
    });
    Simulate::Click(window, 135 + 50, 15 + 70);
    EXPECT_TRUE(shown);
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
        Simulate::Click(window, 135 + 50, 15 + 70);
        FinishSaving(window);
        if (step.line.empty()) {
            EXPECT_FALSE(std::filesystem::exists(file));
            continue;
        }
        const std::string text = TestEnvironment::ReadFile(file);
        EXPECT_NE(text.find(step.line + "\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("Party"), std::string::npos) << "the old entry is gone";
    }
}
