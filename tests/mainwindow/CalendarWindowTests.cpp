// The main window: its controls, its fit to the screen, its accessor and events, the hidden
// menu buttons and the link areas.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <utility>
#include <vector>

TEST_F(CalendarWindowTest, ConstructionMakesTheControlsAndTheirArrays) {
    CalendarWindow window;
    EXPECT_EQ((std::pair{window.Width(), window.Height()}), (std::pair{1024, 740}));
    EXPECT_EQ(window.MenuBar(), &Menu::Instance());
    EXPECT_EQ(window.ControlCount(), 29);
    // Two month lists from 0 and five link areas from 1.
    EXPECT_NE(window.ControlNamed("MiniCalList", 1), nullptr);
    EXPECT_EQ(window.ControlNamed("MiniCalList", 2), nullptr);
    EXPECT_NE(window.ControlNamed("floatingLinkCanvas", 5), nullptr);
    EXPECT_EQ(window.ControlNamed("floatingLinkCanvas", 0), nullptr);
    EXPECT_EQ(window.ZantriqueLogo->Parent(), window.BottomCanvas);
    EXPECT_FALSE(window.ZantriqueLogo->Shown()) << "inside the hidden bottom canvas";
}

TEST_F(CalendarWindowTest, OpenFitsTheAvailableAreaAndLocksFollowTheWiderScreen) {
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_TRUE(application.CalendarWindowOpen);
    EXPECT_TRUE(window.Visible());
    EXPECT_TRUE(FindOpenWindow<TabWindow>());
    EXPECT_EQ((std::vector<int>{window.Left(), window.Top(), window.Width(), window.Height()}),
              (std::vector<int>{0, 24, 1440, 876}));
    // Locked right: moved by the extra width; locked left and right: stretched by it.
    const int dw = 1440 - 1024;
    EXPECT_EQ(window.MainMenuButton->Left(), 987 + dw);
    EXPECT_EQ(window.MiniCalList[0]->Left(), 856 + dw);
    EXPECT_EQ(window.GlanceList->Width(), 856 + dw);
    EXPECT_EQ(window.MenuBarCanvas->Width(), 97 + dw);
    EXPECT_EQ(window.GlanceList->ColumnWidth(0), 60);
    // The clock sits 2 pixels above the bottom of the title band: Int(876 * 0.082) = 71.
    EXPECT_EQ(window.theTimeText->Top(), static_cast<int>(876 * 0.082 - 20 - 2.0));
}

TEST_F(CalendarWindowTest, AccessorGivesTheOpenWindowAndAFreshOneAfterClose) {
    CalendarWindow& window = CalendarWindow::Instance();
    window.CountdownCanvas->SetLeft(300);
    EXPECT_EQ(&CalendarWindow::Instance(), &window);
    EXPECT_EQ(window.CountdownCanvas->Left(), 300);
    window.Close();
    EXPECT_FALSE(application.CalendarWindowOpen);
    CalendarWindow& fresh = CalendarWindow::Instance();
    EXPECT_TRUE(fresh.IsOpen());
    EXPECT_TRUE(application.CalendarWindowOpen);
    EXPECT_EQ(fresh.CountdownCanvas->Left(), 9);
    EXPECT_EQ(fresh.TimeTimer->Mode(), 2);
    EXPECT_EQ(fresh.PrintTimer->Mode(), 0);
}

TEST_F(CalendarWindowTest, BackgroundFillsTheHeightAndTheTitleNamesTheVendor) {
    CustomizationModule& module = Customization();
    module.vendorName = "Ombrelline";
    module.backgroundImage = std::make_shared<Picture>(2000, 1000);
    module.yearNumber.assign(10, nullptr);
    module.yearNumber[0] = std::make_shared<Picture>(40, 60);
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.Title(), "Ombrelline Calendar");
    ASSERT_TRUE(window.backgroundImageScaled);
    EXPECT_EQ(window.backgroundImageScaled->Height(), 876);
    EXPECT_EQ(window.backgroundImageScaled->Width(), 1752);
    ASSERT_TRUE(window.yearNumberScaled[0]);
    EXPECT_EQ(window.yearNumberScaled[0]->Width(), static_cast<int>(40 * 0.876f));
    EXPECT_FALSE(window.yearNumberScaled[1]);
    EXPECT_TRUE(TestSeams::Dialogs().empty());

    // A call while the window is parked above the screen puts it back.
    window.SetTop(-900);
    window.LoadBackgroundImage();
    EXPECT_EQ(window.Top(), 24);
}

TEST_F(CalendarWindowTest, PaintDrawsTheBackgroundCentredAndTheBorderLines) {
    CustomizationModule& module = Customization();
    module.calendarBackgroundColor = RGB(10, 20, 30);
    module.backgroundImage = FilledPicture(100, 100, RGB(0, 200, 0));
    CalendarWindow& window = CalendarWindow::Instance();
    Picture shot(window.Width(), window.Height());
    window.DrawInto(shot.Graphics(), 0, 0);
    const int t = static_cast<int>(876 * 0.082), c = static_cast<int>(876 * 0.62);
    EXPECT_EQ(shot.Pixel(5, 5), RGB(10, 20, 30)) << "the sides show the back colour";
    EXPECT_EQ(shot.Pixel(720, 5), RGB(0, 200, 0)) << "the picture is centred";
    EXPECT_EQ(shot.Pixel(5, t), RGB(127, 157, 185));
    EXPECT_EQ(shot.Pixel(5, t + 1), RGB(255, 255, 255));
    EXPECT_EQ(shot.Pixel(5, t + c - 2), RGB(127, 157, 185));
    EXPECT_EQ(shot.Pixel(5, t + c - 1), RGB(255, 255, 255));

    module.hideTopBorder = module.hideBottomBorder = true;
    window.DrawInto(shot.Graphics(), 0, 0);
    EXPECT_EQ(shot.Pixel(5, t), RGB(10, 20, 30));
    EXPECT_EQ(shot.Pixel(5, t + c - 2), RGB(10, 20, 30));
}

TEST_F(CalendarWindowTest, MovedPullsTheWindowUpButLeavesItParkedAbove) {
    CalendarWindow& window = CalendarWindow::Instance();
    Simulate::UserMove(window, 40, 200);
    EXPECT_EQ(window.Top(), 24);
    EXPECT_EQ(window.Left(), 40);
    Simulate::UserMove(window, 40, -800);
    EXPECT_EQ(window.Top(), -800);
    Simulate::UserMove(window, 40, 10);
    EXPECT_EQ(window.Top(), 10);
}

TEST_F(CalendarWindowTest, TheMenuButtonsHideThemselves) {
    Customization().menuColor = RGB(1, 2, 3);
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_FALSE(window.MainMenuButton->Visible());
    EXPECT_FALSE(window.menuButton2->Visible());
    EXPECT_EQ(window.MainMenuButton->TextColor(), RGB(1, 2, 3));
}

TEST_F(CalendarWindowTest, LinkAreasFollowThePictureScaledToTheScreen) {
    UseScreen(1280, 984, 24); // an available area of 1280 x 960
    CustomizationModule& module = Customization();
    module.backgroundImage = std::make_shared<Picture>(1600, 1200);
    module.floatingLink[1] = "https://example.com/sky";
    module.floatingLinkCoordinates[1] = "400,300,200,20";
    module.floatingLink[2] = "https://example.com/no-place";
    CalendarWindow& window = CalendarWindow::Instance();

    const auto& sky = *window.floatingLinkCanvas[1];
    EXPECT_EQ(sky.Left(), 320);
    EXPECT_EQ(sky.Top(), 240);
    EXPECT_EQ(sky.Width(), 160);
    EXPECT_EQ(sky.Height(), 16);
    EXPECT_EQ(sky.HelpTag(), "Goto https://example.com/sky");
    EXPECT_EQ(sky.Cursor(), MouseCursor::Finger);
    EXPECT_TRUE(sky.Visible());
    // A link without a rectangle has nowhere to be clicked.
    EXPECT_EQ(window.floatingLinkCanvas[2]->Width(), 0);
    EXPECT_EQ(window.floatingLinkCanvas[5]->HelpTag(), "Goto ");

    Simulate::Click(window, 330, 250);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/sky"});
}

TEST_F(CalendarWindowTest, WithoutAPictureTheAreasKeepTheirDesignPlaces) {
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.floatingLinkCanvas[1]->HelpTag(), "");
    EXPECT_EQ(window.floatingLinkCanvas[1]->Left(), 816);
    EXPECT_TRUE(window.floatingLinkCanvas[1]->Visible());
}
