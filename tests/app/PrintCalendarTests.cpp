// Printing a picture of the window: fitting it to the page, and the two dialogs.
#include "app/AppTestSupport.h"
#include "app/PagePicture.h"

#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"

namespace {
constexpr const char* kA4Landscape = "size=210x297mm;orientation=landscape;margins=0,0,0,0mm";
constexpr const char* kLetterPortrait = "size=215.9x279.4mm;orientation=portrait;margins=0,0,0,0mm";
} // namespace

// Pictures relatively taller than the page are tested through the dialogs, below.
TEST(PagePictureTest, FillsThePageAlongItsLongerSideTurnedOnAnUprightPage) {
    for (const auto& [page, printed] : std::vector<std::pair<PixelBounds, PixelBounds>>{
             {{0, 0, 3508, 2479}, {0, 0, 3508, 1973}},
             {{0, 0, 2479, 3508}, {0, 0, 1973, 3508}},
             {{0, 0, 2000, 2000}, {0, 0, 1125, 2000}}}) {
        const PicturePtr result =
            PagePicture(FilledPicture(2560, 1440, RGB(0, 0, 255)), page.right, page.bottom);
        EXPECT_EQ(result->Width(), printed.right);
        EXPECT_EQ(result->Height(), printed.bottom);
    }
}

// The toolkit's printing library is a third of a megabyte that a run which never prints need not
// map: it comes with the first print.
TEST_F(AppTest, TheToolkitsPrintingIsLoadedWhenPrintingFirstAsks) {
    const auto mapped = [] {
        return TestEnvironment::ReadFile("/proc/self/maps").find("libQt6PrintSupport") !=
               std::string::npos;
    };
    EXPECT_FALSE(mapped()) << "no print yet in this process";
    TestSeams::AnswerPrinting({true, kA4Landscape, true, ""});
    application->PrintCalendar(FilledPicture(100, 50, RGB(0, 0, 255)));
    EXPECT_TRUE(mapped());
    EXPECT_EQ(TestSeams::PrintedPages().size(), 1u);
}

TEST_F(AppTest, CancelAtEitherDialogPrintsNothingThePageIsKeptForTheRunAndPrintsWhole) {
    const PicturePtr picture = FilledPicture(100, 50, RGB(0, 0, 255));
    application->PrinterSetupString = kA4Landscape;
    TestSeams::AnswerPrinting({false, kLetterPortrait, true, ""});
    application->PrintCalendar(picture);
    EXPECT_EQ(application->PrinterSetupString, kA4Landscape) << "page set-up cancelled";

    TestSeams::AnswerPrinting({true, kLetterPortrait, false, ""});
    application->PrintCalendar(picture);
    EXPECT_EQ(application->PrinterSetupString, kLetterPortrait) << "kept after its OK";
    EXPECT_TRUE(TestSeams::PrintedPages().empty());

    TestSeams::AnswerPrinting({true, "", true, ""});
    application->PrintCalendar(FilledPicture(1280, 1024, RGB(0, 0, 255)));
    TestSeams::AnswerPrinting({true, kA4Landscape, true, ""});
    application->PrintCalendar(FilledPicture(1024, 740, RGB(0, 0, 255)));
    ASSERT_EQ(TestSeams::PrintDialogs().size(), 7u);
    EXPECT_EQ(TestSeams::PrintDialogs()[3].setup, kLetterPortrait) << "offered again";
    // At 300 dots per inch, both relatively taller than the page: fitted to its shorter side,
    // so they print whole, on Letter upright turned a quarter.
    ASSERT_EQ(TestSeams::PrintedPages().size(), 2u);
    EXPECT_EQ(InkBounds(*TestSeams::PrintedPages()[0]), (PixelBounds{0, 0, 2549, 3186}));
    EXPECT_EQ(InkBounds(*TestSeams::PrintedPages()[1]), (PixelBounds{0, 0, 3429, 2478}));
}
