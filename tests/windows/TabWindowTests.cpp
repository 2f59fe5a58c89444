// The toggle tab: its place and colour, clicks, drags, Control-clicks and keys.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Keyboard.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

namespace {
class TabWindowTest : public CalendarWindowTest {
  protected:
    ~TabWindowTest() override { Keyboard::SetAsyncControlKeyForTesting(std::nullopt); }
    // A fresh tab, opened as at start-up.
    TabWindow& ReopenTab() {
        TabWindow::Instance().Close();
        DoEvents();
        return TabWindow::Instance();
    }
};
} // namespace

TEST_F(TabWindowTest, OpensAtTheTopEdgeWhereItWasLeftOrRightOfTheMiddle) {
    Customization().tabColor = RGB(236, 128, 44);
    CalendarWindow::Instance();
    DoEvents(); // the tab comes with the calendar's first frame
    TabWindow& tab = TabWindow::Instance();
    EXPECT_TRUE(tab.Visible());
    EXPECT_EQ((std::pair{tab.Left(), tab.Top()}), (std::pair{738, 24}));
    EXPECT_EQ(tab.BackColor, RGB(236, 128, 44));
    for (const auto& [stored, left] : std::vector<std::pair<int, int>>{
             {300, 300}, {-20, 0}, {1440, 738}, {1439, 1404}, {0, 738}}) {
        application.tabLeft = stored;
        EXPECT_EQ(ReopenTab().Left(), left) << stored;
    }
}

TEST_F(TabWindowTest, AClickSlidesTheCalendarAwayOrFromTheBackgroundShowsItADragMovesTheTab) {
    CalendarWindow& calendar = CalendarWindow::Instance();
    TabWindow& tab = TabWindow::Instance();
    Simulate::Click(tab, 5, 4);
    EXPECT_EQ(calendar.Top(), 24 - 876 - 10);
    EXPECT_FALSE(calendar.Visible());
    application.Deactivated = true;
    Simulate::Click(tab, 5, 4);
    EXPECT_EQ(calendar.Top(), 24);
    EXPECT_TRUE(calendar.Visible());
    EXPECT_FALSE(application.Deactivated);
    EXPECT_EQ(TestSeams::FrontOrder().back(), &tab) << "in front of the calendar it brought back";
    EXPECT_EQ(TestSeams::AskedOfDesktop(tab).inFrontOf, &calendar);
    EXPECT_TRUE(TestSeams::AskedOfDesktop(tab).staysAbove);
    EXPECT_FALSE(TestSeams::AskedOfDesktop(tab).titleBar);

    // A press that only goes up and down is still a click.
    Simulate::MouseDown(tab, 5, 4);
    Simulate::MouseMove(tab, 5, 40);
    Simulate::MouseUp(tab, 5, 40);
    EXPECT_LT(calendar.Top(), 0);
    Simulate::Click(tab, 5, 4);

    Simulate::MouseDown(tab, 5, 4);
    Simulate::MouseMove(tab, 65, 30);
    Simulate::MouseUp(tab, 65, 30);
    EXPECT_EQ((std::pair{tab.Left(), tab.Top()}), (std::pair{798, 24}));
    EXPECT_EQ(application.tabLeft, 798);
    EXPECT_EQ(calendar.Top(), 24) << "a drag does not slide the calendar";
    EXPECT_TRUE(calendar.Visible());
    // Moved by the desktop (a drag with Alt, say): back on the top edge where it was let go.
    Simulate::DesktopPlaces(tab, 500, 300);
    EXPECT_EQ((std::pair{tab.Left(), tab.Top()}), (std::pair{500, 24}));

    // From the background, though the press activates the program on the way: shown where it
    // stands, not slid away.
    application.Deactivated = true;
    Simulate::MouseDown(tab, 5, 4);
    calendar.Event_Activate();
    Simulate::MouseUp(tab, 5, 4);
    EXPECT_EQ(calendar.Top(), 24);
    EXPECT_FALSE(application.Deactivated);
}

// The desktop's close of the calendar (Alt+F4) is Close: one click on the tab brings it back.
TEST_F(TabWindowTest, AfterTheDesktopClosedTheCalendarOneClickBringsItBack) {
    CalendarWindow& calendar = CalendarWindow::Instance();
    TabWindow& tab = TabWindow::Instance();
    // Asked of the tab itself (Alt+F4 while it has the keyboard), the close does nothing: the
    // tab is the only way back to a calendar slid away.
    Simulate::DesktopClose(tab);
    EXPECT_EQ(FindOpenWindow<TabWindow>(), &tab);
    EXPECT_TRUE(tab.Visible());
    Simulate::DesktopClose(calendar);
    EXPECT_TRUE(calendar.IsOpen());
    EXPECT_EQ(calendar.Top(), 24 - 876 - 10);
    Simulate::Click(tab, 5, 4);
    EXPECT_EQ(FindOpenWindow<CalendarWindow>(), &calendar);
    EXPECT_EQ(calendar.Top(), 24);
    EXPECT_TRUE(calendar.Visible());
}

TEST_F(TabWindowTest, ControlClickStepsTheBackgroundAndNothingElse) {
    CustomizationModule& module = Customization();
    module.cycleImages = true;
    module.imageCycle = "Monthly";
    Date::FixClock(Date(2026, 3, 10, 12, 0).TotalSeconds());
    module.backgroundImageStandard = FilledPicture(64, 48, RGB(1, 1, 1));
    module.backgroundImage3Standard = FilledPicture(64, 48, RGB(3, 3, 3));
    module.backgroundImage4Standard = FilledPicture(64, 48, RGB(4, 4, 4));
    module.backgroundImage = module.backgroundImage3Standard;
    CalendarWindow& calendar = CalendarWindow::Instance();
    TabWindow& tab = TabWindow::Instance();
    const int left = tab.Left();

    Keyboard::SetAsyncControlKeyForTesting(true);
    Simulate::MouseDown(tab, 5, 4);
    Simulate::MouseMove(tab, 60, 4);
    Simulate::MouseUp(tab, 60, 4);
    EXPECT_TRUE(module.PreEmptiveCycling);
    EXPECT_EQ(calendar.backgroundImageScaled->Pixel(10, 10), RGB(4, 4, 4)) << "April's picture";
    EXPECT_EQ(calendar.Top(), 24);
    EXPECT_TRUE(calendar.Visible());
    EXPECT_EQ(tab.Left(), left);

    // Without cycling the Control key makes no difference.
    module.cycleImages = false;
    Simulate::Click(tab, 5, 4);
    EXPECT_LT(calendar.Top(), 0);
}

TEST_F(TabWindowTest, KeysTypedOnTheTabReachTheCalendarWhileItIsOpen) {
    Customization().calendarStartYear = 2025;
    Date::FixClock(Date(2026, 3, 10, 12, 0).TotalSeconds());
    application.selectedDate = Date();
    CalendarWindow& calendar = CalendarWindow::Instance();
    TabWindow& tab = TabWindow::Instance();
    Simulate::Key(tab, "PgDown");
    EXPECT_EQ(application.selectedDate.Year(), 2027);
    calendar.Close();
    Simulate::Key(tab, "PgUp");
    EXPECT_EQ(application.selectedDate.Year(), 2027);
    EXPECT_FALSE(FindOpenWindow<CalendarWindow>()) << "no calendar is opened for a key";
}
