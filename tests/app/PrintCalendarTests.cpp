// Printing a picture of the window: fitting it to the page, the two dialogs and where the
// page goes.
#include "app/AppTestSupport.h"
#include "app/PagePicture.h"

#include "platform/FolderItem.h"
#include "platform/Picture.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr const char* kA4Landscape = "size=210x297mm;orientation=landscape;margins=0,0,0,0mm";
constexpr const char* kLetterPortrait = "size=215.9x279.4mm;orientation=portrait;margins=0,0,0,0mm";
constexpr Color kBlue = RGB(0, 0, 255);

using Kind = TestSeams::PrintDialogRecord::Kind;

std::string CommandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    return output;
}
} // namespace

TEST(PagePictureTest, FillsThePageAsFarAsTheWholePictureFitsTurnedOnAnUprightPage) {
    struct Case {
        int width, height, pageWidth, pageHeight, printedWidth, printedHeight;
    };
    const Case cases[] = {
        // Fitted to the page's longer side, as long as the picture fits across.
        {2560, 1440, 3508, 2479, 3508, 1973},
        {2560, 1440, 2479, 3508, 1973, 3508},
        {1000, 500, 1000, 1000, 500, 1000}, // a square page takes the upright path
        // Relatively taller than the page: fitted to the shorter side instead.
        {1024, 740, 3508, 2479, 3430, 2479},
        {1280, 1024, 2550, 3300, 2550, 3187},
    };
    for (const Case& c : cases) {
        const PicturePtr printed =
            PagePicture(FilledPicture(c.width, c.height, kBlue), c.pageWidth, c.pageHeight);
        EXPECT_EQ(printed->Width(), c.printedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(printed->Height(), c.printedHeight) << c.width << "x" << c.height;
    }
}

TEST_F(AppTest, CancelAtEitherDialogPrintsNothingAndTheChosenPageIsKeptForTheRun) {
    const PicturePtr picture = FilledPicture(100, 50, kBlue);
    application->PrinterSetupString = kA4Landscape;
    TestSeams::AnswerPrinting({false, kLetterPortrait, true, ""});
    application->PrintCalendar(picture);
    EXPECT_EQ(application->PrinterSetupString, kA4Landscape) << "page set-up cancelled";
    ASSERT_EQ(TestSeams::PrintDialogs().size(), 1u);
    EXPECT_EQ(TestSeams::PrintDialogs()[0].setup, kA4Landscape);

    TestSeams::AnswerPrinting({true, kLetterPortrait, false, ""});
    application->PrintCalendar(picture);
    EXPECT_EQ(application->PrinterSetupString, kLetterPortrait) << "kept after its OK";
    ASSERT_EQ(TestSeams::PrintDialogs().size(), 3u);
    EXPECT_EQ(TestSeams::PrintDialogs()[2].kind, Kind::Print);
    EXPECT_TRUE(TestSeams::PrintedPages().empty());

    // The next print starts from the page chosen last.
    TestSeams::AnswerPrinting({true, "", true, ""});
    application->PrintCalendar(picture);
    EXPECT_EQ(TestSeams::PrintDialogs()[3].setup, kLetterPortrait);
    ASSERT_EQ(TestSeams::PrintedPages().size(), 1u);
    // Letter upright at 300 dots per inch: the picture turned, 3300 long down the page.
    EXPECT_EQ(InkBounds(*TestSeams::PrintedPages()[0]), (PixelBounds{0, 0, 1649, 3299}));
}

TEST_F(AppTest, APageThatCannotGoOutIsReportedNotTakenForPrinted) {
    TestSeams::AnswerPrinting(
        {true, kA4Landscape, true, (environment.Home() / "gone" / "calendar.pdf").string()});
    application->PrintCalendar(FilledPicture(100, 50, kBlue));
    ASSERT_EQ(TestSeams::Dialogs().size(), 1u);
    EXPECT_EQ(TestSeams::Dialogs()[0].message, "The calendar could not be printed.");
    EXPECT_TRUE(TestSeams::PrintedPages().empty());
}

TEST_F(AppTest, PrintToFileWritesAOnePagePdfHoldingThePicture) {
    const std::string pdf = (environment.Home() / "calendar.pdf").string();
    TestSeams::AnswerPrinting({true, kA4Landscape, true, pdf});
    application->PrintCalendar(FilledPicture(200, 100, kBlue));
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("842 x 595"), std::string::npos) << info;

    // Rendered at 30 dots per inch the page is 350 x 248: the picture fills its width and
    // half its height.
    const std::string png = (environment.Home() / "page").string();
    std::system(("pdftoppm -r 30 -png -singlefile '" + pdf + "' '" + png + "'").c_str());
    const PicturePtr page = FolderItem(png + ".png").OpenAsPicture();
    ASSERT_TRUE(page);
    const Color inside = page->Pixel(170, 40);
    EXPECT_TRUE(inside.r < 10 && inside.g < 10 && inside.b > 245) << "the picture, nearly exact";
    EXPECT_EQ(page->Pixel(170, 200), RGB(255, 255, 255));
}
