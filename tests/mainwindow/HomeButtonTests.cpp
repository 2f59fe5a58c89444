// The home button in the title band: its place and pictures, how the mouse swaps them and
// opens the edition's home page, and the editions that keep it still or have none.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Resources.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"

#include <set>
#include <string>
#include <vector>

namespace {
constexpr Color kCaption = RGB(200, 0, 90);
constexpr Color kLit = RGB(255, 255, 254);

class HomeButtonTest : public CalendarWindowTest {
  protected:
    HomeButtonTest() {
        CustomizationModule& module = Customization();
        module.includeHomeButton = true;
        module.homeTextColor = kCaption;
        module.vendorURL = "https://vendor.example/";
        module.homeButtonLink = "https://home.example/start";
    }
    ~HomeButtonTest() override {
        SetMissingResourcesForTesting({});
        ReleaseBuiltInPictures();
    }
    // The middle of the button in window coordinates.
    static std::pair<int, int> Centre(const CalendarWindow& window) {
        const cCanvas& button = *window.HomeButton;
        return {button.Left() + button.Width() / 2, button.Top() + button.Height() / 2};
    }
};
} // namespace

TEST_F(HomeButtonTest, OpenCentresTheButtonInTheTitleBandWithItsThreeCaptionedPictures) {
    CalendarWindow& window = CalendarWindow::Instance();
    const cCanvas& button = *window.HomeButton;
    // The title band is Int(876 * 0.082) = 71 high; the artwork is 72 x 22.
    EXPECT_EQ((std::vector<int>{button.Left(), button.Top(), button.Width(), button.Height()}),
              (std::vector<int>{30, static_cast<int>(876 * 0.082 / 2 - 11), 72, 22}));
    EXPECT_TRUE(button.Visible());
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Parent(), nullptr);
    EXPECT_EQ(button.HelpTag(), "Goto https://vendor.example/");
    EXPECT_EQ(button.cachedImage, window.HomeButtonN);

    struct Look {
        PicturePtr picture;
        Color caption;
    };
    for (const Look& look : {Look{window.HomeButtonN, kCaption}, Look{window.HomeButtonMO, kLit},
                             Look{window.HomeButtonMD, kLit}}) {
        ASSERT_TRUE(look.picture);
        EXPECT_EQ(look.picture->Width(), 72);
        EXPECT_GT(CountPixels(*look.picture, look.caption), 5) << "the caption's colour";
        // The caption is opaque on the mask even where the mask artwork is clear.
        ASSERT_TRUE(look.picture->HasMask());
        for (int y = 0; y < 22; ++y)
            for (int x = 0; x < 72; ++x)
                if (look.picture->Pixel(x, y) == look.caption)
                    ASSERT_EQ(look.picture->Mask().Pixel(x, y), RGB(0, 0, 0)) << x << "," << y;
    }
    EXPECT_EQ(CountPixels(*window.HomeButtonN, kLit), 0) << "only the lit pictures are 255,255,254";

    // The window shows the normal picture with its caption where the button is.
    Picture shot(window.Width(), window.Height());
    window.DrawInto(shot.Graphics(), 0, 0);
    int captionPixels = 0;
    for (int y = button.Top(); y < button.Top() + 22; ++y)
        for (int x = 30; x < 102; ++x)
            captionPixels += shot.Pixel(x, y) == kCaption;
    EXPECT_GT(captionPixels, 5);
}

TEST_F(HomeButtonTest, TheMouseSwapsThePicturesAndAReleaseOpensTheHomePageOnce) {
    CalendarWindow& window = CalendarWindow::Instance();
    const auto [x, y] = Centre(window);
    Simulate::MouseMove(window, x, y);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonMO);
    Simulate::MouseMove(window, 600, 300);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonN);
    Simulate::MouseMove(window, x, y);
    Simulate::MouseDown(window, x, y);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonMD);
    EXPECT_TRUE(TestSeams::OpenedURLs().empty()) << "nothing opens on the press";
    Simulate::MouseUp(window, x, y);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonMO);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://home.example/start"});

    // A release after the pointer has left the button still opens the page.
    Simulate::MouseDown(window, x, y);
    Simulate::MouseMove(window, 700, 400);
    Simulate::MouseUp(window, 700, 400);
    EXPECT_EQ(TestSeams::OpenedURLs().size(), 2u);
}

TEST_F(HomeButtonTest, TheCorvessaEditionKeepsOnePictureAndShowsTheFinger) {
    Customization().applicationName = "The CORVESSA Calendar";
    CalendarWindow& window = CalendarWindow::Instance();
    const auto [x, y] = Centre(window);
    Simulate::MouseMove(window, x, y);
    EXPECT_EQ(window.HomeButton->Cursor(), MouseCursor::Finger);
    Simulate::Click(window, x, y);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonN);
    Simulate::MouseMove(window, 600, 300);
    EXPECT_EQ(window.HomeButton->Cursor(), MouseCursor::Standard);
    EXPECT_EQ(window.HomeButton->cachedImage, window.HomeButtonN);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://home.example/start"});
}

// Without a home button, or without its artwork, the control stays hidden where the layout put
// it and nothing is drawn through a missing picture.
TEST_F(HomeButtonTest, NoButtonOrNoArtworkLeavesItHiddenAtItsDesignPlace) {
    for (const bool artworkMissing : {false, true}) {
        SCOPED_TRACE(artworkMissing ? "artwork missing" : "not in this edition");
        Customization().includeHomeButton = artworkMissing;
        ReleaseBuiltInPictures();
        SetMissingResourcesForTesting(artworkMissing ? std::set<int>{170} : std::set<int>{});
        CalendarWindow& window = CalendarWindow::Instance();
        const cCanvas& button = *window.HomeButton;
        EXPECT_FALSE(button.Visible());
        EXPECT_FALSE(button.Enabled());
        EXPECT_EQ((std::vector<int>{button.Left(), button.Top(), button.Width(), button.Height()}),
                  (std::vector<int>{30, 22, 76, 29}));
        EXPECT_FALSE(window.HomeButtonN);
        EXPECT_FALSE(button.cachedImage);
        Picture shot(window.Width(), window.Height());
        window.DrawInto(shot.Graphics(), 0, 0);
        window.Close();
        DoEvents();
    }
}

TEST_F(HomeButtonTest, ALowTitleBandPutsTheButtonsTopAboveTheWindow) {
    Customization().TitleAreaHeightPercent = 0.01; // 8.76 pixels for a 22-pixel button
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.HomeButton->Top(), static_cast<int>(876 * 0.01 / 2 - 11));
    EXPECT_LT(window.HomeButton->Top(), 0);
}
