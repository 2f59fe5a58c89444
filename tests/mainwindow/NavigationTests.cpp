// The controls over the main window: the home button, the links strip, the product caption,
// the quick-start help and the link areas.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Resources.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <array>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr Color kArrow = RGB(0, 80, 255), kHomeText = RGB(200, 0, 90);
// The end of the calendar area on the 876-pixel-high screen.
constexpr int kStripTop = 71 + 543;

class NavigationTest : public CalendarWindowTest {
  protected:
    NavigationTest() {
        CustomizationModule& module = Customization();
        module.includeHomeButton = module.includeLinkButtons = true;
        module.homeTextColor = kHomeText;
        module.vendorURL = "https://vendor.example/";
        module.homeButtonLink = "https://home.example/start";
        TestSeams::Enable();
    }
    ~NavigationTest() override {
        SetMissingResourcesForTesting({});
        ReleaseBuiltInPictures();
    }
    static void CloseWindow(CalendarWindow& window) {
        window.Close();
        DoEvents();
        TestSeams::Enable(); // forgets the links opened
    }
};

// Whether the caption shows in colour, opaque on the mask wherever it is drawn.
bool CaptionShows(Picture& picture, Color colour) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) == colour && picture.Mask().Pixel(x, y) != RGB(0, 0, 0))
                return false;
    return CountPixels(picture, colour) > 5;
}
} // namespace

// The mouse swaps the pictures and a release opens the home page, even off the button; the
// Corvessa edition keeps the normal picture and shows the finger instead. The lit pictures are
// made after the first frame, or by a pointer that comes before it.
TEST_F(NavigationTest, HomeButtonPicturesFollowTheMouseAndAReleaseOpensTheHomePage) {
    for (const auto& [edition, beforeTheFirstFrame] :
         {std::pair{"Four Seasons", false}, {"Four Seasons", true}, {"corvessa", false}}) {
        SCOPED_TRACE(edition + std::string(beforeTheFirstFrame ? ", early" : ""));
        Customization().applicationName = edition;
        CalendarWindow& window = CalendarWindow::Instance();
        cCanvas& button = *window.HomeButton;
        EXPECT_TRUE(CaptionShows(*window.HomeButtonN, kHomeText));
        EXPECT_FALSE(window.HomeButtonMO || window.HomeButtonMD) << "made after the first frame";
        if (!beforeTheFirstFrame) {
            DoEvents();
            DoEvents();
            EXPECT_TRUE(CaptionShows(*window.HomeButtonMO, RGB(255, 255, 254)));
            EXPECT_TRUE(CaptionShows(*window.HomeButtonMD, RGB(255, 255, 254)));
        }
        const bool still = edition == std::string("corvessa");
        const auto shows = [&](const PicturePtr& moving) {
            return button.cachedImage == (still ? window.HomeButtonN : moving);
        };
        Simulate::MouseMove(window, 60, button.Top() + 10);
        EXPECT_TRUE(shows(window.HomeButtonMO));
        if (beforeTheFirstFrame) {
            EXPECT_TRUE(CaptionShows(*button.cachedImage, RGB(255, 255, 254)));
        }
        EXPECT_EQ(button.Cursor(), still ? MouseCursor::Finger : MouseCursor::Standard);
        Simulate::MouseDown(window, 60, button.Top() + 10);
        EXPECT_TRUE(shows(window.HomeButtonMD));
        Simulate::MouseMove(window, 700, 400);
        Simulate::MouseUp(window, 700, 400);
        EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://home.example/start"});
        EXPECT_TRUE(shows(window.HomeButtonMO));
        Simulate::MouseMove(window, 700, 410);
        EXPECT_TRUE(shows(window.HomeButtonN));
        EXPECT_GT(CountPixels(*Snapshot(window), kHomeText), 5) << "painted in the window";
        CloseWindow(window);
    }
}

TEST_F(NavigationTest, NoHomeButtonOrNoArtworkLeavesItHidden) {
    for (const bool artworkMissing : {false, true}) {
        Customization().includeHomeButton = artworkMissing;
        ReleaseBuiltInPictures();
        SetMissingResourcesForTesting(artworkMissing ? std::set<int>{170} : std::set<int>{});
        CalendarWindow& window = CalendarWindow::Instance();
        EXPECT_FALSE(window.HomeButton->Visible() || window.HomeButton->cachedImage);
        Snapshot(window); // paints nothing through a missing picture
        CloseWindow(window);
    }
}

TEST_F(NavigationTest, TheLinksStripSitsUnderTheCalendarAreaWithItsHeightFromTheBottomBand) {
    for (const auto& [edition, band, height] :
         {std::tuple{"Four Seasons", 214, 23}, {"Four Seasons", 500, 55}, {"Corvessa", 500, 22}}) {
        Customization().applicationName = edition;
        CalendarWindow window;
        window.BottomCanvas->SetHeight(band);
        window.Open();
        EXPECT_EQ(std::pair(window.wwwLinksList->Top(), window.wwwLinksList->Height()),
                  std::pair(kStripTop, height));
        window.Close();
    }
}

// Columns hover, press and open the link under the release; each shows its state's slice.
TEST_F(NavigationTest, TheLinksStripsButtonsFollowThePointer) {
    Customization().calendarURLlinks = {{"News", "https://example.com/news"},
                                        {"Shop", "https://example.com/shop"}};
    CalendarWindow& window = CalendarWindow::Instance();
    listboxButton& strip = *window.wwwLinksList;
    const int first = strip.ColumnWidth(0), left = strip.Left(), y = kStripTop + 5;
    const auto states = [&] {
        return std::array<int, 3>{strip.cellState[0], strip.cellState[1], strip.cellState[2]};
    };
    Simulate::MouseMove(window, left + first, y);
    EXPECT_EQ(states(), (std::array<int, 3>{0, 1, 0}));
    Simulate::MouseMove(window, left + 5, y);
    EXPECT_EQ(states(), (std::array<int, 3>{1, 0, 0}));
    Simulate::MouseDown(window, left + 5, y);
    Simulate::MouseUp(window, left + first + 3, kStripTop - 200);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/shop"});
    EXPECT_EQ(states(), (std::array<int, 3>{2, 0, 0}));
    const PicturePtr shot = Snapshot(window);
    EXPECT_EQ(shot->Pixel(left + 4, kStripTop + 2), linkButtons()->Pixel(10, 2));
    EXPECT_EQ(shot->Pixel(left + first + 4, kStripTop + 2), linkButtons()->Pixel(0, 2));
}

// Placed in the edition's corner and pressed open always, drawn only when the edition says so.
TEST_F(NavigationTest, TheProductCaptionSitsInItsCornerAndAPressOpensTheMakersSite) {
    for (const bool right : {true, false}) {
        Customization().QVLogoRightJustify = Customization().includeQVLogo = right;
        Customization().QVlogoColor = RGB(190, 20, 20);
        CalendarWindow& window = CalendarWindow::Instance();
        const Canvas& caption = *window.ZantriqueLogo;
        const int left = caption.Left(), top = caption.Top();
        EXPECT_EQ(left > 720, right);
        const PicturePtr shot = Snapshot(window);
        int reddish = 0; // smoothed text: its pixels mix with the ground
        for (int y = top; y < top + caption.Height(); ++y)
            for (int x = left; x < left + caption.Width(); ++x)
                reddish += shot->Pixel(x, y).r - shot->Pixel(x, y).g > 80;
        EXPECT_EQ(reddish > 5, right);
        Simulate::MouseDown(window, left + 3, top + 3);
        EXPECT_EQ(TestSeams::OpenedURLs(), std::vector{caption.HelpTag().substr(5)});
        Simulate::MouseUp(window, left + 3, top + 3);
        CloseWindow(window);
    }
}

// A first run shows the call-outs (the home button's only when there is one); a click on the
// overlay, over the home button too, puts it away for the run. With the tab left of the window
// the arrow stops at the window's edge and the box (220 wide) starts at it. The first frame
// points at where the tab will open without making it.
TEST_F(NavigationTest, AFirstRunShowsTheCalloutsAtTheirTipsAndAClickPutsThemAway) {
    const int datesTip = static_cast<int>(876 * 0.62 / 27 * 20);
    for (const bool homeButton : {true, false}) {
        application.firstRun = true;
        application.tabLeft = homeButton ? 300 : 0;
        Customization().includeHomeButton = homeButton;
        CalendarWindow& window = CalendarWindow::Instance();
        const bool tabMade = FindOpenWindow<TabWindow>() != nullptr;
        const PicturePtr shot = Snapshot(window);
        EXPECT_EQ(FindOpenWindow<TabWindow>() != nullptr, tabMade) << "made by the call-out";
        TabWindow& tab = TabWindow::Instance();
        if (homeButton) {
            EXPECT_EQ(tab.Left(), 300);
        }
        EXPECT_EQ(shot->Pixel(66, 24 + 22) == kArrow, homeButton);
        EXPECT_EQ(shot->Pixel(static_cast<int>(tab.Left() + tab.Width() / 2.0 - 2), 10), kArrow);
        EXPECT_EQ(shot->Pixel(300, datesTip), kArrow);
        tab.SetLeft(0);
        window.SetLeft(200);
        EXPECT_EQ(Snapshot(window)->Pixel(0, 10), kArrow);
        EXPECT_EQ(Snapshot(window)->Pixel(210, 10 + 51 + 8), RGB(255, 255, 255))
            << "the box inside";
        Simulate::Click(window, 60, 30);
        EXPECT_FALSE(window.QuickStartHelp->Visible() || application.firstRun);
        EXPECT_TRUE(TestSeams::OpenedURLs().empty());
        EXPECT_NE(Snapshot(window)->Pixel(300, datesTip), kArrow);
        CloseWindow(window);
    }
}

// The week face hides the link areas; back on the year, only the placed ones (those with a help
// tag) show again, so without a background picture none does.
TEST_F(NavigationTest, LinkAreasComeBackFromTheWeekOnlyWherePlaced) {
    for (const bool picture : {true, false}) {
        Customization().backgroundImage = picture ? std::make_shared<Picture>(1600, 1200) : nullptr;
        CalendarWindow& window = CalendarWindow::Instance();
        window.GlanceOn();
        EXPECT_FALSE(window.floatingLinkCanvas[3]->Visible());
        window.GlanceOff();
        for (int index = 1; index <= 5; ++index)
            EXPECT_EQ(window.floatingLinkCanvas[index]->Visible(), picture) << index;
        CloseWindow(window);
    }
}

// The strip waits hidden just above the title band's bottom, on the layout's backdrop. A press
// hides a shown strip (and would show a hidden one); its toggle picture is the artwork's left
// half while hidden and the 14 x 14 area at x 16 while shown, lit while the mouse is over it.
TEST_F(NavigationTest, TheMenuBarStripWaitsHiddenAndAPressFlipsItAndItsToggle) {
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& strip = *window.MenuBarCanvas;
    EXPECT_FALSE(strip.Visible());
    EXPECT_EQ(strip.Top() + strip.Height() + 2, 71);
    EXPECT_EQ(strip.Backdrop(), menutoggle());
    // Whether the toggle shows the 14 x 14 area at left of the artwork.
    const auto shows = [&](const PicturePtr& artwork, int left) {
        const PicturePtr& toggle = strip.Backdrop();
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                if (toggle->Pixel(x, y) != artwork->Pixel(left + x, y)) return false;
        return true;
    };
    strip.SetVisible(true);
    window.MenuBarCanvas_MouseEnter();
    EXPECT_TRUE(shows(menutoggleMouseover2(), 16));
    EXPECT_FALSE(window.MenuBarCanvas_MouseDown(5, 5));
    EXPECT_FALSE(strip.Visible());
    EXPECT_TRUE(shows(menutoggle2(), 0));
    window.MenuBarCanvas_MouseDown(5, 5);
    EXPECT_TRUE(strip.Visible());
    EXPECT_TRUE(shows(menutoggle2(), 16));
    window.MenuBarCanvas_MouseEnter();
    window.MenuBarCanvas_MouseExit();
    EXPECT_TRUE(shows(menutoggle2(), 16));
}
