// The about window: which lines show for which edition, its place, the edition's picture and
// the web address.
#include "mainwindow/CalendarWindowFixture.h"

#include "customisation/BuiltInPictures.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/AboutWindow.h"

#include "support/PictureTestSupport.h"

namespace {
class AboutWindowTest : public CalendarWindowTest {
  protected:
    // The picture area as painted, on white.
    PicturePtr PaintPictureArea(AboutWindow& about) {
        auto shot = std::make_shared<Picture>(about.customImageCanvas->Width(),
                                              about.customImageCanvas->Height());
        about.customImageCanvas_Paint(shot->Graphics());
        return shot;
    }
};
} // namespace

TEST_F(AboutWindowTest, TheVendorLinesShowExceptForTheProductsOwnEditions) {
    for (const auto& c : {std::pair{"Ombrelline Studio", false},
                          {"the OMBRELLINE folk", false},
                          {"Acme Frames", true},
                          {"", true}}) {
        Customization().vendorName = c.first;
        AboutWindow& about = AboutWindow::Instance();
        EXPECT_EQ(std::pair(about.OrginizationText->Visible(), about.StaticText3->Visible()),
                  std::pair(c.second, c.second))
            << c.first;
        EXPECT_EQ(about.OrginizationText->Text(), c.first);
        about.Close();
        DoEvents();
    }
}

TEST_F(AboutWindowTest, TheMenuCommandOpensItBuiltOnceWithTheEditionsCopyright) {
    Customization().vendorName = "Ombrelline Studio";
    Customization().otherCopyright = "Pictures by Acme";
    application.DoMenuCommand("AppleAboutCalendar");
    AboutWindow& about = AboutWindow::Instance();
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.Copyright->Text(), std::string(AboutText::kCopyright) + "\rPictures by Acme");

    // Showing it again keeps what it was built with; once closed it is built afresh.
    Customization().vendorName = "Acme Frames";
    EXPECT_EQ(&AboutWindow::Instance(), &about);
    EXPECT_FALSE(about.OrginizationText->Visible());
    Simulate::Key(about, "Esc"); // as its close box, also where no desktop draws one
    EXPECT_FALSE(about.IsOpen());
    DoEvents();
    EXPECT_TRUE(AboutWindow::Instance().OrginizationText->Visible());
}

TEST_F(AboutWindowTest, AClickOnTheAddressOpensWhatItShows) {
    AboutWindow& about = AboutWindow::Instance();
    about.websiteText->SetText("https://example.com/other");
    Simulate::Click(about, 20, 8);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/other"});
}

TEST_F(AboutWindowTest, TheEditionsPictureStaysInsideTheAreaTheLogoStandsAtTheLeft) {
    struct Case {
        int width, height, left, top;
    };
    // 381 x 145: smaller pictures are centred, larger ones start half their overhang inside.
    for (const Case& c : {Case{181, 45, 100, 50}, Case{401, 165, 10, 10}}) {
        Customization().customAboutWindowImage = FilledPicture(c.width, c.height, RGB(9, 9, 9));
        AboutWindow& about = AboutWindow::Instance();
        const PixelBounds ink = InkBounds(*PaintPictureArea(about));
        EXPECT_EQ(ink.left, c.left) << c.width;
        EXPECT_EQ(ink.top, c.top) << c.width;
        about.Close();
        DoEvents();
    }

    Customization().customAboutWindowImage = nullptr;
    const PicturePtr logo = Ombrellinelogographic();
    ASSERT_TRUE(logo);
    Picture expected(381, 145);
    expected.Graphics().DrawPicture(*logo, 0, static_cast<int>(145 / 2.0 - logo->Height() / 2.0));
    const PicturePtr painted = PaintPictureArea(AboutWindow::Instance());
    EXPECT_EQ(InkBounds(*painted), InkBounds(expected));
}
