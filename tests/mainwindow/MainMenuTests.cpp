// The pop-up main menu of the two hidden menu buttons: its captions by the window's state, the
// commands it runs, and which press or release of each button opens it.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <string>
#include <vector>

namespace {
class MainMenuTest : public CalendarWindowTest {
  protected:
    MainMenuTest() { Customization().vendorURL = "https://vendor.example/?a=1&b=2"; }

    // Opens the menu from the hover button, choosing an item by caption; the captions shown.
    static std::vector<std::string> Choose(CalendarWindow& window, const std::string& caption) {
        std::vector<std::string> shown;
        TestSeams::AnswerMenus([&](const std::vector<TestSeams::MenuEntry>& entries) {
            for (const auto& entry : entries)
                shown.push_back(entry.text);
            return caption;
        });
        EXPECT_FALSE(window.menuButton2_MouseDown(3, 3));
        return shown;
    }
};
} // namespace

TEST_F(MainMenuTest, CaptionsFollowTheFaceAndTheBadge) {
    CalendarWindow& window = CalendarWindow::Instance();
    struct Case {
        bool yearFace, badge;
        const char* print;
        const char* countdown;
    };
    for (const Case& c : {Case{true, true, "Print Calendar", "Hide Countdown Event"},
                          Case{false, false, "Print Week At A Glance", "Show Countdown Event"}}) {
        window.Calendar->SetVisible(c.yearFace);
        window.CountdownCanvas->SetVisible(c.badge);
        EXPECT_EQ(
            Choose(window, ""),
            (std::vector<std::string>{"Help", "Quick Start Help", "-", c.print, "-", c.countdown,
                                      "Preferences", "-", "Goto https://vendor.example/?a=1&b=2",
                                      "-", "About Calendar", "-", "Exit"}));
    }
    EXPECT_EQ(TestSeams::Menus().size(), 2u);
    EXPECT_TRUE(TestSeams::OpenedURLs().empty()) << "dismissed, nothing runs";
}

TEST_F(MainMenuTest, QuickStartHelpLeavesTheWeekFaceFirst) {
    CalendarWindow& window = CalendarWindow::Instance();
    window.Calendar->SetVisible(false);
    Choose(window, "Quick Start Help");
    EXPECT_TRUE(window.Calendar->Visible());
    EXPECT_TRUE(window.QuickStartHelp->Visible());
}

// Printing from this menu hides only the tab, the clock and the hidden menu button: the help,
// the year arrows and the badge are printed as they are.
TEST_F(MainMenuTest, PrintHidesTheTabAndTheClockAndArmsThePrintTimer) {
    CalendarWindow& window = CalendarWindow::Instance();
    window.QuickStartHelp->SetVisible(true);
    window.CountdownCanvas->SetVisible(true);
    window.MainMenuButton->SetVisible(true);
    Choose(window, "Print Calendar");
    EXPECT_FALSE(TabWindow::Instance().Visible());
    EXPECT_FALSE(window.theTimeText->Visible());
    EXPECT_FALSE(window.MainMenuButton->Visible());
    EXPECT_EQ(window.PrintTimer->Mode(), Timer::ModeSingle);
    EXPECT_TRUE(window.QuickStartHelp->Visible());
    EXPECT_TRUE(window.CalendarScrollButton->Visible());
    EXPECT_TRUE(window.CountdownCanvas->Visible());
}

TEST_F(MainMenuTest, TheBadgeAndTheVendorsPage) {
    application.showCoundownCalendar = true;
    CalendarWindow& window = CalendarWindow::Instance();
    Choose(window, "Hide Countdown Event");
    EXPECT_FALSE(window.CountdownCanvas->Visible());
    Choose(window, "Show Countdown Event");
    EXPECT_TRUE(window.CountdownCanvas->Visible());
    EXPECT_TRUE(application.showCoundownCalendar) << "the preference is left alone";

    Choose(window, "Goto https://vendor.example/?a=1&b=2");
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://vendor.example/?a=1&b=2"});
    // Without an address the item reads "Goto " and opens nothing.
    Customization().vendorURL.clear();
    const auto shown = Choose(window, "Goto ");
    EXPECT_EQ(shown[8], "Goto ");
    EXPECT_EQ(TestSeams::OpenedURLs().size(), 1u);
}

// Exit quits through the normal path: the windows close and the preferences are written.
TEST_F(MainMenuTest, ExitQuitsWithCodeZeroAfterWritingThePreferences) {
    application.CheckRunning();
    application.tabLeft = 321;
    CalendarWindow& window = CalendarWindow::Instance();
    Choose(window, "Exit");
    EXPECT_TRUE(application.QuitRequested());
    EXPECT_EQ(application.ExitCode(), 0);
    EXPECT_FALSE(application.CalendarWindowOpen);
    EXPECT_EQ(TestEnvironment::ReadFile(environment.Config() / "QVCalendar.prefs"), "0;321;0;0;");
}

// The hover button opens the menu on the press; the text button only on a release inside it.
TEST_F(MainMenuTest, EachButtonOpensTheMenuAtItsOwnMoment) {
    CalendarWindow& window = CalendarWindow::Instance();
    TextButton& text = *window.MainMenuButton;
    text.Event_MouseEnter();
    EXPECT_TRUE(text.Event_MouseDown(5, 5));
    EXPECT_TRUE(TestSeams::Menus().empty());
    text.Event_MouseUp(5, 5);
    EXPECT_EQ(TestSeams::Menus().size(), 1u);
    text.Event_MouseDown(5, 5);
    text.Event_MouseDrag(-4, 5);
    text.Event_MouseUp(-4, 5);
    EXPECT_EQ(TestSeams::Menus().size(), 1u) << "released outside";
    Choose(window, "");
    EXPECT_EQ(TestSeams::Menus().size(), 2u);
}

TEST_F(MainMenuTest, TheHoverButtonsWordBrightensUnderThePointer) {
    CalendarWindow& window = CalendarWindow::Instance();
    mouseButton& button = *window.menuButton2;
    button.SetVisible(true);
    const auto count = [&](Color colour) {
        Picture shot(window.Width(), window.Height());
        window.DrawInto(shot.Graphics(), 0, 0);
        int pixels = 0;
        for (int y = button.Top(); y < button.Top() + button.Height(); ++y)
            for (int x = button.Left(); x < button.Left() + button.Width(); ++x)
                pixels += shot.Pixel(x, y) == colour;
        return pixels;
    };
    const int restingDim = count(RGB(240, 240, 240)), restingLit = count(RGB(254, 254, 254));
    button.mouseIn = true;
    const int hoverDim = count(RGB(240, 240, 240)), hoverLit = count(RGB(254, 254, 254));
    EXPECT_GT(restingDim, hoverDim);
    EXPECT_GT(hoverLit, restingLit);
}
