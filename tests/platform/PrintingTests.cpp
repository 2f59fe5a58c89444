// The page set-up's text form and page measures, and print jobs through the test seam.
#include "platform/Exceptions.h"
#include "platform/Printing.h"
#include "platform/TestSeams.h"

#include "support/TestEnvironment.h"

#include <string>

namespace {
class PrintingTest : public IsolatedTest {};
} // namespace

TEST_F(PrintingTest, SetupStringCarriesThePageToTheNextSetupAndFixesItsPixels) {
    struct Case {
        std::string setup;
        int width, height; // printable area at 300 dots per inch, as the platform rounds it
    };
    const Case cases[] = {
        {"size=210x297mm;orientation=portrait;margins=0,0,0,0mm", 2479, 3508},
        {"size=210x297mm;orientation=landscape;margins=0,0,0,0mm", 3508, 2479},
        {"size=215.9x279.4mm;orientation=portrait;margins=0,0,0,0mm", 2550, 3300},
        {"size=210x297mm;orientation=landscape;margins=10,20,10,20mm", 3274, 2003},
    };
    for (const Case& c : cases) {
        PrinterSetup first;
        first.SetSetupString(c.setup);
        EXPECT_EQ(first.SetupString(), c.setup);
        PrinterSetup second;
        second.SetSetupString(first.SetupString());
        EXPECT_EQ(second.SetupString(), c.setup);
        EXPECT_EQ(second.Resolution(), 300);
        EXPECT_EQ(second.Width(), c.width) << c.setup;
        EXPECT_EQ(second.Height(), c.height) << c.setup;
    }
}

TEST_F(PrintingTest, UnreadableSetupFieldsLeaveTheSetupAsItWas) {
    const std::string a4 = "size=210x297mm;orientation=landscape;margins=5,5,5,5mm";
    for (const std::string bad : {"", "size=axbmm", "size=-210x297mm", "margins=1,2,3mm",
                                  "margins=1,2,3,-4mm", "nonsense", "=;;="}) {
        PrinterSetup setup;
        setup.SetSetupString(a4);
        setup.SetSetupString(bad);
        EXPECT_EQ(setup.SetupString(), a4) << bad;
    }
}

TEST_F(PrintingTest, ThePageGoesOutWhenItsSurfaceIsReleased) {
    TestSeams::AnswerPrinting(
        {true, "size=210x297mm;orientation=portrait;margins=0,0,0,0mm", true, ""});
    PrinterSetup setup;
    ASSERT_TRUE(setup.PageSetupDialog());
    auto page = OpenPrinterDialog(setup);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Width(), 2479);
    page->ForeColor = RGB(0, 0, 0);
    page->FillRect(0, 0, 10, 10);
    EXPECT_TRUE(TestSeams::PrintedPages().empty());
    page.reset();
    ASSERT_EQ(TestSeams::PrintedPages().size(), 1u);
    EXPECT_EQ(TestSeams::PrintedPages()[0]->Pixel(9, 9), RGB(0, 0, 0));
    EXPECT_EQ(TestSeams::PrintedPages()[0]->Height(), 3508);
}

TEST_F(PrintingTest, AFileThatCannotBeOpenedIsAnErrorNotAPage) {
    TestSeams::AnswerPrinting(
        {true, "", true, (environment.Home() / "no such folder" / "page.pdf").string()});
    PrinterSetup setup;
    EXPECT_THROW(OpenPrinterDialog(setup), IOException);
    TestSeams::AnswerPrinting({true, "", false, ""});
    EXPECT_EQ(OpenPrinterDialog(setup), nullptr) << "cancelled";
}
