// The product caption in a bottom corner and the hidden menu bar strip of the title band.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"

#include <string>
#include <vector>

namespace {
// The pixels of that colour inside a control's rectangle of a window shot.
int PixelsIn(const Picture& shot, const RectControl& control, Color colour) {
    int count = 0;
    for (int y = control.Top(); y < control.Top() + control.Height(); ++y)
        for (int x = control.Left(); x < control.Left() + control.Width(); ++x)
            count += shot.Pixel(x, y) == colour;
    return count;
}
} // namespace

// Placed, clickable and with the finger in either corner, drawn only when the edition says so;
// a press opens the maker's site at once.
TEST_F(CalendarWindowTest, TheProductCaptionSitsInItsCornerAndAPressOpensTheMakersSite) {
    struct Case {
        bool right, drawn;
        int left;
    };
    for (const Case& c : {Case{true, true, 1440 - 232 - 25}, Case{false, false, 10}}) {
        SCOPED_TRACE(c.right ? "right" : "left");
        CustomizationModule& module = Customization();
        module.QVLogoRightJustify = c.right;
        module.includeQVLogo = c.drawn;
        module.QVlogoColor = RGB(190, 20, 20);
        CalendarWindow& window = CalendarWindow::Instance();
        const Canvas& caption = *window.ZantriqueLogo;
        EXPECT_EQ(
            (std::vector<int>{caption.Left(), caption.Top(), caption.Width(), caption.Height()}),
            (std::vector<int>{c.left, 876 - 27 - 2, 232, 27}));
        EXPECT_TRUE(caption.Shown()) << "no longer inside the hidden bottom band";
        EXPECT_EQ(caption.Cursor(), MouseCursor::Finger);
        EXPECT_EQ(caption.HelpTag().substr(0, 13), "Goto https://");

        Picture shot(window.Width(), window.Height());
        window.DrawInto(shot.Graphics(), 0, 0);
        int reddish = 0; // the caption's text is smoothed, so its edges mix with the ground
        for (int y = caption.Top(); y < caption.Top() + caption.Height(); ++y)
            for (int x = caption.Left(); x < caption.Left() + caption.Width(); ++x)
                reddish += shot.Pixel(x, y).r - shot.Pixel(x, y).g > 80;
        EXPECT_EQ(reddish > 5, c.drawn);

        Simulate::MouseDown(window, caption.Left() + 3, caption.Top() + 3);
        ASSERT_EQ(TestSeams::OpenedURLs().size(), 1u);
        EXPECT_EQ("Goto " + TestSeams::OpenedURLs()[0], caption.HelpTag());
        Simulate::MouseUp(window, caption.Left() + 3, caption.Top() + 3);
        EXPECT_EQ(TestSeams::OpenedURLs().size(), 1u) << "the release opens nothing more";
        window.Close();
        DoEvents();
        TestSeams::Enable();
    }
}

// The strip is never shown at run time, so it is driven through its handlers.
TEST_F(CalendarWindowTest, TheMenuBarStripTogglesAndRedrawsItsToggleForEachState) {
    CalendarWindow& window = CalendarWindow::Instance();
    cCanvas& strip = *window.MenuBarCanvas;
    EXPECT_EQ(strip.Top(), static_cast<int>(876 * 0.082 - 15 - 2));
    EXPECT_EQ(strip.Height(), 15);
    ASSERT_TRUE(strip.cachedImage);
    EXPECT_EQ(strip.cachedImage->Width(), 14);
    EXPECT_EQ(strip.Backdrop(), menutoggle()) << "until the first mouse event";

    // The toggle shows the area at (16, 0) of an artwork while shown, its corner while hidden.
    const auto shows = [&](const PicturePtr& artwork, int left) {
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 14; ++x)
                if (strip.cachedImage->Pixel(x, y) != artwork->Pixel(left + x, y)) return false;
        return strip.Backdrop() == strip.cachedImage;
    };
    EXPECT_FALSE(window.MenuBarCanvas_MouseDown(3, 3));
    EXPECT_TRUE(strip.Visible());
    EXPECT_TRUE(shows(menutoggle2(), 16));
    window.MenuBarCanvas_MouseEnter();
    EXPECT_TRUE(shows(menutoggleMouseover2(), 16));
    EXPECT_TRUE(strip.Visible());

    // Shown, the bar is stretched over the widened strip with the words on it.
    Picture shot(window.Width(), window.Height());
    window.DrawInto(shot.Graphics(), 0, 0);
    EXPECT_EQ(strip.Width(), 97 + 416);
    EXPECT_EQ(shot.Pixel(strip.Left() + strip.Width() - 2, strip.Top() + 1),
              menuButtons()->Pixel(4, 1));
    EXPECT_GT(PixelsIn(shot, strip, RGB(255, 255, 255)), 20);

    window.MenuBarCanvas_MouseDown(3, 3);
    EXPECT_FALSE(strip.Visible());
    EXPECT_TRUE(shows(menutoggle2(), 0));
    window.MenuBarCanvas_MouseExit();
    EXPECT_TRUE(shows(menutoggle2(), 0));
}
