// The controls over the main window: the home button, the links strip, the product caption,
// the menu bar strip and the quick-start help.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Resources.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr Color kArrow = RGB(0, 80, 255);

class NavigationTest : public CalendarWindowTest {
  protected:
    NavigationTest() {
        CustomizationModule& module = Customization();
        module.includeHomeButton = module.includeLinkButtons = true;
        module.homeTextColor = RGB(200, 0, 90);
        module.vendorURL = "https://vendor.example/";
        module.homeButtonLink = "https://home.example/start";
    }
    ~NavigationTest() override {
        SetMissingResourcesForTesting({});
        ReleaseBuiltInPictures();
    }
    static PicturePtr Shot(CalendarWindow& window) {
        auto shot = std::make_shared<Picture>(window.Width(), window.Height());
        window.DrawInto(shot->Graphics(), 0, 0);
        return shot;
    }
    static std::vector<int> Bounds(const RectControl& c) {
        return {c.Left(), c.Top(), c.Width(), c.Height()};
    }
    // The end of the calendar area on the 876-pixel-high screen: Int(71.8) + Int(543.1).
    static constexpr int kStripTop = 71 + 543;
};
} // namespace

// Three pictures of the artwork's size, the caption opaque on the mask in the normal colour or
// 255,255,254; the mouse swaps them and a release opens the home page, even off the button.
// The Corvessa edition keeps the normal picture and shows the finger instead.
TEST_F(NavigationTest, HomeButtonPicturesFollowTheMouseAndAReleaseOpensTheHomePage) {
    for (const std::string edition : {"Four Seasons", "corvessa"}) {
        SCOPED_TRACE(edition);
        Customization().applicationName = edition;
        TestSeams::Enable();
        CalendarWindow& window = CalendarWindow::Instance();
        cCanvas& button = *window.HomeButton;
        EXPECT_EQ(Bounds(button),
                  (std::vector<int>{30, static_cast<int>(71.832 / 2 - 11), 72, 22}));
        EXPECT_EQ(button.HelpTag(), "Goto https://vendor.example/");
        for (const auto& [picture, caption] :
             {std::pair{window.HomeButtonN, RGB(200, 0, 90)},
              std::pair{window.HomeButtonMO, RGB(255, 255, 254)},
              std::pair{window.HomeButtonMD, RGB(255, 255, 254)}}) {
            ASSERT_GT(CountPixels(*picture, caption), 5);
            for (int y = 0; y < 22; ++y)
                for (int x = 0; x < 72; ++x) {
                    if (picture->Pixel(x, y) == caption) {
                        ASSERT_EQ(picture->Mask().Pixel(x, y), RGB(0, 0, 0));
                    }
                }
        }
        const bool still = edition == "corvessa";
        const int x = 60, y = button.Top() + 10;
        const auto shows = [&](const PicturePtr& moving) {
            return button.cachedImage == (still ? window.HomeButtonN : moving);
        };
        Simulate::MouseMove(window, x, y);
        EXPECT_TRUE(shows(window.HomeButtonMO));
        EXPECT_EQ(button.Cursor(), still ? MouseCursor::Finger : MouseCursor::Standard);
        Simulate::MouseDown(window, x, y);
        EXPECT_TRUE(shows(window.HomeButtonMD));
        Simulate::MouseMove(window, 700, 400);
        Simulate::MouseUp(window, 700, 400);
        EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://home.example/start"});
        EXPECT_TRUE(shows(window.HomeButtonMO));
        Simulate::MouseMove(window, 700, 410);
        EXPECT_TRUE(shows(window.HomeButtonN));
        EXPECT_GT(CountPixels(*Shot(window), RGB(200, 0, 90)), 5) << "painted in the window";
        window.Close();
        DoEvents();
    }
}

// Without a home button, or without its artwork, nothing is drawn through a missing picture.
TEST_F(NavigationTest, NoHomeButtonOrNoArtworkLeavesItHiddenAtItsDesignPlace) {
    for (const bool artworkMissing : {false, true}) {
        Customization().includeHomeButton = artworkMissing;
        ReleaseBuiltInPictures();
        SetMissingResourcesForTesting(artworkMissing ? std::set<int>{170} : std::set<int>{});
        CalendarWindow& window = CalendarWindow::Instance();
        EXPECT_FALSE(window.HomeButton->Visible());
        EXPECT_EQ(Bounds(*window.HomeButton), (std::vector<int>{30, 22, 76, 29}));
        EXPECT_FALSE(window.HomeButton->cachedImage);
        Shot(window);
        window.Close();
        DoEvents();
    }
}

TEST_F(NavigationTest, TheLinksStripSitsUnderTheCalendarAreaWithItsHeightFromTheBottomBand) {
    for (const auto& [edition, band, height] :
         {std::tuple{"Four Seasons", 214, 23}, {"Four Seasons", 500, 55}, {"Corvessa", 500, 22}}) {
        Customization().applicationName = edition;
        CalendarWindow window;
        window.BottomCanvas->SetHeight(band);
        window.Open();
        EXPECT_EQ(Bounds(*window.wwwLinksList), (std::vector<int>{-3, kStripTop, 1446, height}));
        EXPECT_EQ(window.wwwLinksList->ColumnCount(), 1) << "no link entries";
        window.Close();
    }
}

// Columns hover, press and open the link under the release; with no links the one column
// never hovers, shows the press and opens nothing. Each cell shows its state's slice.
TEST_F(NavigationTest, TheLinksStripsButtonsFollowThePointer) {
    CalendarWindow& empty = CalendarWindow::Instance();
    Simulate::MouseMove(empty, 300, kStripTop + 5);
    Simulate::MouseMove(empty, 900, kStripTop + 5);
    EXPECT_EQ(empty.wwwLinksList->cellState[0], 0);
    Simulate::MouseDown(empty, 500, kStripTop + 5);
    EXPECT_EQ(empty.wwwLinksList->cellState[0], 2);
    Simulate::MouseUp(empty, 500, kStripTop + 5);
    EXPECT_EQ(empty.wwwLinksList->cellState[0], 0);
    EXPECT_TRUE(TestSeams::OpenedURLs().empty());
    empty.Close();
    DoEvents();

    Customization().calendarURLlinks = {{"News", "https://example.com/news"},
                                        {"Shop", "https://example.com/shop"}};
    CalendarWindow& window = CalendarWindow::Instance();
    listboxButton& strip = *window.wwwLinksList;
    const int first = strip.ColumnWidth(0), left = strip.Left();
    const auto states = [&] {
        return std::array<int, 3>{strip.cellState[0], strip.cellState[1], strip.cellState[2]};
    };
    Simulate::MouseMove(window, left + first, kStripTop + 5);
    EXPECT_EQ(states(), (std::array<int, 3>{0, 1, 0}));
    Simulate::MouseMove(window, left + 5, kStripTop + 5);
    EXPECT_EQ(states(), (std::array<int, 3>{1, 0, 0}));
    Simulate::MouseDown(window, left + 5, kStripTop + 5);
    Simulate::MouseUp(window, left + first + 3, kStripTop - 200);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/shop"});
    EXPECT_EQ(states(), (std::array<int, 3>{2, 0, 0}));

    const PicturePtr shot = Shot(window);
    EXPECT_EQ(shot->Pixel(left + 4, kStripTop + 2), linkButtons()->Pixel(10, 2));
    EXPECT_EQ(shot->Pixel(left + first + 4, kStripTop + 2), linkButtons()->Pixel(0, 2));
}

// Placed, clickable and with the finger in either corner, drawn only when the edition says so.
TEST_F(NavigationTest, TheProductCaptionSitsInItsCornerAndAPressOpensTheMakersSite) {
    for (const bool right : {true, false}) {
        Customization().QVLogoRightJustify = Customization().includeQVLogo = right;
        Customization().QVlogoColor = RGB(190, 20, 20);
        TestSeams::Enable();
        CalendarWindow& window = CalendarWindow::Instance();
        const Canvas& caption = *window.ZantriqueLogo;
        EXPECT_EQ(Bounds(caption), (std::vector<int>{right ? 1440 - 232 - 25 : 10, 847, 232, 27}));
        EXPECT_TRUE(caption.Shown());
        EXPECT_EQ(caption.Cursor(), MouseCursor::Finger);
        const PicturePtr shot = Shot(window);
        int reddish = 0; // smoothed text: its pixels mix with the ground
        for (int y = 847; y < 874; ++y)
            for (int x = caption.Left(); x < caption.Left() + 232; ++x)
                reddish += shot->Pixel(x, y).r - shot->Pixel(x, y).g > 80;
        EXPECT_EQ(reddish > 5, right);
        Simulate::MouseDown(window, caption.Left() + 3, 850);
        ASSERT_EQ(TestSeams::OpenedURLs().size(), 1u) << "on the press";
        EXPECT_EQ("Goto " + TestSeams::OpenedURLs()[0], caption.HelpTag());
        Simulate::MouseUp(window, caption.Left() + 3, 850);
        window.Close();
        DoEvents();
    }
}

// The strip is never shown at run time, so it is driven through its handlers.
TEST_F(NavigationTest, TheMenuBarStripTogglesAndRedrawsItsToggleForEachState) {
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& strip = *window.MenuBarCanvas;
    EXPECT_EQ(strip.Top(), static_cast<int>(71.832 - 15 - 2));
    EXPECT_EQ(strip.Backdrop(), menutoggle()) << "until the first mouse event";
    const auto shows = [&](const PicturePtr& artwork, int left) {
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                if (strip.cachedImage->Pixel(x, y) != artwork->Pixel(left + x, y)) return false;
        return strip.Backdrop() == strip.cachedImage;
    };
    EXPECT_FALSE(window.MenuBarCanvas_MouseDown(3, 3));
    EXPECT_TRUE(strip.Visible() && shows(menutoggle2(), 16));
    window.MenuBarCanvas_MouseEnter();
    EXPECT_TRUE(strip.Visible() && shows(menutoggleMouseover2(), 16));
    EXPECT_EQ(Shot(window)->Pixel(strip.Left() + strip.Width() - 2, strip.Top() + 1),
              menuButtons()->Pixel(4, 1))
        << "the bar stretched over the widened strip";
    window.MenuBarCanvas_MouseDown(3, 3);
    EXPECT_TRUE(!strip.Visible() && shows(menutoggle2(), 0));
}

// A first run shows the call-outs at their tips (the home button's only when there is one); a
// click anywhere on the overlay, the home button beneath included, puts it away for the run.
TEST_F(NavigationTest, AFirstRunShowsTheCalloutsAtTheirTipsAndAClickPutsThemAway) {
    const int datesTip = static_cast<int>(876 * 0.62 / 27 * 20);
    for (const bool homeButton : {true, false}) {
        application.firstRun = true;
        Customization().includeHomeButton = homeButton;
        CalendarWindow& window = CalendarWindow::Instance();
        EXPECT_EQ(Bounds(*window.QuickStartHelp), (std::vector<int>{0, 0, 1440, 543}));
        const TabWindow& tab = TabWindow::Instance();
        const int tabTip = static_cast<int>(tab.Left() + tab.Width() / 2.0 - 2);
        const PicturePtr shot = Shot(window);
        EXPECT_EQ(shot->Pixel(66, 24 + 22) == kArrow, homeButton);
        EXPECT_EQ(shot->Pixel(tabTip, 10), kArrow);
        EXPECT_EQ(shot->Pixel(300, datesTip), kArrow);
        Simulate::Click(window, 60, 30);
        EXPECT_FALSE(window.QuickStartHelp->Visible());
        EXPECT_FALSE(application.firstRun);
        EXPECT_TRUE(TestSeams::OpenedURLs().empty());
        EXPECT_NE(Shot(window)->Pixel(300, datesTip), kArrow);
        window.Close();
        DoEvents();
    }
}

// With the tab left of the window the arrow stops at the edge and the box (220 wide) starts
// at it.
TEST_F(NavigationTest, TheTabsCalloutKeepsItsBoxInsideTheOverlay) {
    application.firstRun = true;
    CalendarWindow& window = CalendarWindow::Instance();
    TabWindow::Instance().SetLeft(0);
    window.SetLeft(200);
    const PicturePtr shot = Shot(window);
    EXPECT_EQ(shot->Pixel(0, 10), kArrow);
    EXPECT_EQ(shot->Pixel(210, 10 + static_cast<int>(71.832 - 20) + 8), RGB(255, 255, 255));
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
        window.Close();
        DoEvents();
    }
}
