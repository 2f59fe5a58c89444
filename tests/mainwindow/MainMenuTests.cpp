// The pop-up main menu of the two hidden menu buttons: its captions by the window's state, the
// commands it runs, and which press or release of each button opens it.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/TestSeams.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/PreferencesWindow.h"
#include "windows/TabWindow.h"

#include <string>
#include <vector>

namespace {
const std::string kGotoVendor = "Goto https://vendor.example/?a=1&b=2";

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
    for (const bool year : {true, false}) {
        window.Calendar->SetVisible(year);
        window.CountdownCanvas->SetVisible(year);
        const std::vector<std::string> shown = Choose(window, "");
        EXPECT_EQ((std::vector{shown[3], shown[5], shown[8]}),
                  (std::vector<std::string>{year ? "Print Calendar" : "Print Week At A Glance",
                                            year ? "Hide Countdown Event" : "Show Countdown Event",
                                            kGotoVendor}));
    }
    EXPECT_TRUE(TestSeams::OpenedURLs().empty()) << "dismissed, nothing runs";
}

// Printing from this menu leaves the quick-start help up; the countdown commands leave the
// preference alone; About is left to an edition's own window.
TEST_F(MainMenuTest, CommandsDoWhatTheirCaptionsSay) {
    CalendarWindow& window = CalendarWindow::Instance();
    window.QuickStartHelp->SetVisible(true);
    Choose(window, "Print Calendar");
    EXPECT_FALSE(TabWindow::Instance().Visible() || window.MainMenuButton->Visible());
    EXPECT_TRUE(window.QuickStartHelp->Visible());

    Choose(window, "Show Countdown Event");
    EXPECT_TRUE(window.CountdownCanvas->Visible() && !application.showCoundownCalendar);
    Choose(window, "Hide Countdown Event");
    EXPECT_FALSE(window.CountdownCanvas->Visible());

    window.Calendar->SetVisible(false);
    window.QuickStartHelp->SetVisible(false);
    Choose(window, "Quick Start Help");
    EXPECT_TRUE(window.Calendar->Visible() && window.QuickStartHelp->Visible());

    for (const char* command : {"Help", "Preferences"})
        Choose(window, command);
    EXPECT_TRUE(FindOpenWindow<HelpWindow>() && FindOpenWindow<PreferencesWindow>());
    for (const bool own : {true, false}) {
        Customization().customAboutWindow = own;
        Choose(window, "About Calendar");
        EXPECT_EQ(FindOpenWindow<AboutWindow>() != nullptr, !own);
    }

    Choose(window, kGotoVendor);
    Customization().vendorURL.clear();
    Choose(window, "Goto ");
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://vendor.example/?a=1&b=2"})
        << "an empty address opens nothing";
}

// Exit quits through the normal path: the windows close and the preferences are written.
TEST_F(MainMenuTest, ExitQuitsWithCodeZeroAfterWritingThePreferences) {
    application.CheckRunning();
    application.tabLeft = 321;
    Choose(CalendarWindow::Instance(), "Exit");
    EXPECT_TRUE(application.QuitRequested() && !application.CalendarWindowOpen);
    EXPECT_EQ(application.ExitCode(), 0);
    EXPECT_EQ(TestEnvironment::ReadFile(environment.Config() / "QVCalendar.prefs"), "0;321;0;0;");
}

// The hover button opens it on the press (above); the text button on a release inside it.
TEST_F(MainMenuTest, TheTextButtonOpensTheMenuOnTheRelease) {
    TextButton& text = *CalendarWindow::Instance().MainMenuButton;
    text.Event_MouseEnter();
    text.Event_MouseDown(5, 5);
    EXPECT_TRUE(TestSeams::Menus().empty());
    text.Event_MouseUp(5, 5);
    EXPECT_EQ(TestSeams::Menus().size(), 1u);
}
