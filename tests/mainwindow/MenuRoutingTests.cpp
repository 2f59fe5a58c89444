// The menus over the main window: captions and enabling, and which handler acts.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include <string>
#include <vector>

namespace {
// Opens the menus with a right click in the title band, choosing the named item.
std::vector<TestSeams::MenuEntry> RightClick(CalendarWindow& window, int y,
                                             const std::string& choose = {}) {
    std::vector<TestSeams::MenuEntry> shown;
    TestSeams::AnswerMenus([&](const std::vector<TestSeams::MenuEntry>& entries) {
        shown = entries;
        return choose;
    });
    Simulate::MouseDown(window, 600, y, true);
    Simulate::MouseUp(window, 600, y);
    return shown;
}

const TestSeams::MenuEntry* Entry(const std::vector<TestSeams::MenuEntry>& entries,
                                  const std::string& name) {
    for (const auto& entry : entries)
        if (entry.name == name) return &entry;
    return nullptr;
}
} // namespace

TEST_F(CalendarWindowTest, RightClickOnTheTitleBandShowsTheMenusWithTheirState) {
    Customization().vendorURL = "https://ombrelline.example";
    // With a top panel the window stands below it; without one, at the very top.
    application.showCoundownCalendar = true;
    for (const int panel : {24, 0}) {
        SCOPED_TRACE(panel);
        UseScreen(1440, 900, panel);
        CalendarWindow& window = CalendarWindow::Instance();
        const int band = static_cast<int>((900 - panel) * 0.082);
        EXPECT_TRUE(RightClick(window, band + 5).empty()) << "below the title band";
        const auto entries = RightClick(window, band - 5);
        ASSERT_FALSE(entries.empty());
        for (const char* name : {"EditMenu", "FileClose", "FilePrint", "FileQuit",
                                 "EditToggleCDCanvas", "HelpQuickStartHelp", "HelpGotoURL"})
            EXPECT_TRUE(Entry(entries, name)->enabled) << name;
        EXPECT_FALSE(Entry(entries, "EditPaste")->enabled);
        EXPECT_EQ(Entry(entries, "FilePrint")->text, "Print Calendar");
        EXPECT_EQ(Entry(entries, "EditToggleCDCanvas")->text, "Hide Countdown Event");
        EXPECT_EQ(Entry(entries, "HelpGotoURL")->text, "Goto https://ombrelline.example");
        window.Close();
        DoEvents();
    }
    CalendarWindow& window = CalendarWindow::Instance();

    // The week face and a parked window change captions and enabling.
    window.Calendar->SetVisible(false);
    window.SetTop(-500);
    const auto later = RightClick(window, 5);
    EXPECT_EQ(Entry(later, "FilePrint")->text, "Print Week At A Glance");
    EXPECT_FALSE(Entry(later, "FilePrint")->enabled);
    EXPECT_FALSE(Entry(later, "FileClose")->enabled);
    EXPECT_FALSE(Entry(later, "EditToggleCDCanvas")->enabled);

    // Once the application is closing the menus stay as they were.
    application.closing = true;
    window.Calendar->SetVisible(true);
    EXPECT_EQ(Entry(RightClick(window, 5), "FilePrint")->text, "Print Week At A Glance");
}

TEST_F(CalendarWindowTest, CountdownToggleFollowsItsCaptionAtTheLastUpdate) {
    CalendarWindow& window = CalendarWindow::Instance();
    window.CountdownCanvas->SetVisible(false);
    RightClick(window, 5, "EditToggleCDCanvas");
    EXPECT_TRUE(window.CountdownCanvas->Visible());
    EXPECT_EQ(Entry(RightClick(window, 5), "EditToggleCDCanvas")->text, "Hide Countdown Event");
    RightClick(window, 5, "EditToggleCDCanvas");
    EXPECT_FALSE(window.CountdownCanvas->Visible());
}

TEST_F(CalendarWindowTest, ShortcutsPrintAndSlideTheCalendarAway) {
    CalendarWindow& window = CalendarWindow::Instance();
    Simulate::Key(window, "Ctrl+P");
    EXPECT_EQ(window.PrintTimer->Mode(), Timer::ModeSingle);
    EXPECT_FALSE(window.theTimeText->Visible() || window.CountdownCanvas->Visible() ||
                 TabWindow::Instance().Visible());

    Simulate::Key(window, "Ctrl+W");
    EXPECT_TRUE(window.IsOpen()) << "Close only slides the calendar away";
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.Top(), 24 - 876 - 10);
    EXPECT_EQ(application.FrontWindow(), &TabWindow::Instance()) << "so Space brings it back";
    // Parked, Close and Print are off: the shortcuts do nothing more.
    window.PrintTimer->SetMode(Timer::ModeOff);
    Simulate::Key(window, "Ctrl+P");
    EXPECT_EQ(window.PrintTimer->Mode(), Timer::ModeOff);
}

TEST_F(CalendarWindowTest, QuickStartHelpIsTheWindowsAndTheVendorLinkTheApplications) {
    Customization().vendorURL = "https://ombrelline.example";
    CalendarWindow& window = CalendarWindow::Instance();
    window.QuickStartHelp->SetVisible(false);
    RightClick(window, 5, "HelpQuickStartHelp");
    EXPECT_TRUE(window.QuickStartHelp->Visible());
    RightClick(window, 5, "HelpGotoURL");
    EXPECT_EQ(TestSeams::OpenedURLs(), (std::vector<std::string>{"https://ombrelline.example"}));
    // The window leaves the three shared commands to the application.
    EXPECT_FALSE(window.HandleMenuCommand("FileClose"));
    EXPECT_TRUE(window.Visible());
}
