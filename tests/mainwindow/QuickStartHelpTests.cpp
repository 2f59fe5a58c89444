// The quick-start help over the main window: when it shows, where its call-outs point, and
// how it goes away and comes back.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr Color kArrow = RGB(0, 80, 255);

class QuickStartHelpTest : public CalendarWindowTest {
  protected:
    QuickStartHelpTest() {
        application.firstRun = true;
        Customization().vendorURL = "https://vendor.example/";
    }
    static Color At(CalendarWindow& window, int x, int y) {
        Picture shot(window.Width(), window.Height());
        window.DrawInto(shot.Graphics(), 0, 0);
        return shot.Pixel(x, y);
    }
    // The tip of the toggle tab's call-out.
    static int TabTip(const CalendarWindow& window) {
        const TabWindow& tab = TabWindow::Instance();
        return std::max(0, static_cast<int>(tab.Left() - window.Left() + tab.Width() / 2.0 - 2));
    }
    // Where the call-out for the dates points: Int(876 * 0.62 / 27 * 20).
    static constexpr int kDatesTipY = static_cast<int>(876 * 0.62 / 27 * 20);
};
} // namespace

TEST_F(QuickStartHelpTest, AFirstRunShowsTheCalloutsAtTheirTipsAndAClickPutsThemAway) {
    for (const bool homeButton : {true, false}) {
        SCOPED_TRACE(homeButton ? "with a home button" : "without one");
        application.firstRun = true;
        Customization().includeHomeButton = homeButton;
        CalendarWindow& window = CalendarWindow::Instance();
        const Canvas& overlay = *window.QuickStartHelp;
        EXPECT_TRUE(overlay.Visible());
        EXPECT_EQ(
            (std::vector<int>{overlay.Left(), overlay.Top(), overlay.Width(), overlay.Height()}),
            (std::vector<int>{0, 0, 1440, static_cast<int>(876 * 0.62)}));

        const cCanvas& home = *window.HomeButton;
        const int homeX = static_cast<int>(home.Left() + home.Width() / 2.0);
        const int homeY = home.Top() + home.Height();
        EXPECT_EQ(At(window, homeX, homeY) == kArrow, homeButton);
        EXPECT_EQ(At(window, TabTip(window), 10), kArrow);
        EXPECT_EQ(At(window, 300, kDatesTipY), kArrow);
        EXPECT_EQ(At(window, 300 - 40, kDatesTipY + 30 + 5), RGB(255, 255, 255)) << "the box";

        // A click anywhere on it, the home button beneath included, hides it for the run.
        Simulate::Click(window, homeX, homeY - 5);
        EXPECT_FALSE(overlay.Visible());
        EXPECT_FALSE(application.firstRun);
        EXPECT_TRUE(TestSeams::OpenedURLs().empty()) << "the click went to the overlay";
        EXPECT_NE(At(window, 300, kDatesTipY), kArrow);
        window.Close();
        DoEvents();
    }
}

// The toggle's call-out follows the tab at every paint and its box never starts left of the
// overlay.
TEST_F(QuickStartHelpTest, TheTabsCalloutFollowsTheTabAndKeepsItsBoxInside) {
    CalendarWindow& window = CalendarWindow::Instance();
    TabWindow& tab = TabWindow::Instance();
    tab.SetLeft(900);
    EXPECT_EQ(At(window, TabTip(window), 10), kArrow);
    const int shaft = static_cast<int>(876 * 0.082 - 20);
    EXPECT_EQ(At(window, TabTip(window) - 50 + 20, 10 + shaft + 8), RGB(255, 255, 255));

    tab.SetLeft(0);
    window.SetLeft(200); // the tab lies left of the window: the arrow stops at its edge
    EXPECT_EQ(TabTip(window), 0);
    EXPECT_EQ(At(window, 0, 10), kArrow);
    EXPECT_EQ(At(window, 8, 10 + shaft + 8), RGB(255, 255, 255)) << "box from the left edge";
}

// Not a first run: hidden until Quick Start Help, which first leaves the week face.
TEST_F(QuickStartHelpTest, QuickStartHelpBringsItBackOverTheYear) {
    application.firstRun = false;
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_FALSE(window.QuickStartHelp->Visible());
    window.Calendar->SetVisible(false);
    application.DoMenuCommand("HelpQuickStartHelp");
    EXPECT_TRUE(window.QuickStartHelp->Visible());
    EXPECT_TRUE(window.Calendar->Visible());
    EXPECT_EQ(At(window, 300, kDatesTipY), kArrow);
}

// The first run is known by the missing preferences file and is not stored.
TEST_F(QuickStartHelpTest, OnlyTheFirstRunGreetsTheUser) {
    for (const bool expected : {true, false}) {
        application.firstRun = false;
        application.GetPrefs();
        CalendarWindow& window = CalendarWindow::Instance();
        EXPECT_EQ(window.QuickStartHelp->Visible(), expected);
        window.Close();
        application.PutPrefs();
        DoEvents();
    }
}
