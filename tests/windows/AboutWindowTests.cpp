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
    struct Case {
        const char* vendor;
        bool shown;
    };
    for (const Case& c : {Case{"Ombrelline Studio", false}, Case{"the OMBRELLINE folk", false},
                          Case{"Acme Frames", true}, Case{"", true}}) {
        Customization().vendorName = c.vendor;
        AboutWindow& about = AboutWindow::Instance();
        EXPECT_EQ(about.OrginizationText->Visible(), c.shown) << c.vendor;
        EXPECT_EQ(about.StaticText3->Visible(), c.shown) << c.vendor;
        EXPECT_EQ(about.OrginizationText->Text(), c.vendor);
        EXPECT_TRUE(about.ZantriqueText->Visible());
        about.Close();
        DoEvents();
    }
}

TEST_F(AboutWindowTest, TheMenuCommandOpensItAndItIsBuiltOnce) {
    Customization().vendorName = "Ombrelline Studio";
    application.DoMenuCommand("AppleAboutCalendar");
    AboutWindow& about = AboutWindow::Instance();
    EXPECT_EQ(FindOpenWindow<AboutWindow>(), &about);
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.versionText->Text(), application.ShortVersion());

    // Showing it again keeps what it was built with; once closed it is built afresh.
    Customization().vendorName = "Acme Frames";
    EXPECT_EQ(&AboutWindow::Instance(), &about);
    EXPECT_FALSE(about.OrginizationText->Visible());
    about.Close();
    DoEvents();
    EXPECT_TRUE(AboutWindow::Instance().OrginizationText->Visible());
}

TEST_F(AboutWindowTest, TheEditionsCopyrightGoesOnASecondLine) {
    AboutWindow& plain = AboutWindow::Instance();
    EXPECT_FALSE(plain.Copyright->Multiline);
    plain.Close();
    DoEvents();
    Customization().otherCopyright = "Pictures by Acme";
    AboutWindow& about = AboutWindow::Instance();
    EXPECT_EQ(about.Copyright->Text(), std::string(AboutText::kCopyright) + "\rPictures by Acme");
    EXPECT_TRUE(about.Copyright->Multiline);
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
