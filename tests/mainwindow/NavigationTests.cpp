// The extras over the main window: the hidden menu buttons and the link areas.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

using NavigationTest = CalendarWindowTest;

TEST_F(NavigationTest, TheMenuButtonsHideThemselves) {
    Customization().menuColor = RGB(1, 2, 3);
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_FALSE(window.MainMenuButton->Visible());
    EXPECT_FALSE(window.menuButton2->Visible());
    EXPECT_EQ(window.MainMenuButton->TextColor(), RGB(1, 2, 3));
}

TEST_F(NavigationTest, LinkAreasFollowThePictureScaledToTheScreen) {
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

TEST_F(NavigationTest, WithoutAPictureTheAreasKeepTheirDesignPlaces) {
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.floatingLinkCanvas[1]->HelpTag(), "");
    EXPECT_EQ(window.floatingLinkCanvas[1]->Left(), 816);
    EXPECT_TRUE(window.floatingLinkCanvas[1]->Visible());
}
