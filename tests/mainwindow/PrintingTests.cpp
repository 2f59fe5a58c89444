// Printing the window: what comes back after a print, today's ring taken out of the year face
// and the grey frame.
#include "mainwindow/PrintingFixture.h"

#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Text.h"

#include "support/PictureTestSupport.h"
#include "support/Waiting.h"

#include <filesystem>
#include <stdexcept>

namespace {
constexpr Color kRed = RGB(255, 0, 0);
} // namespace

TEST_F(PrintingTest, AfterAPrintEveryControlIsAsBeforeButTheQuickStartHelpAndTheMenuButton) {
    struct Case {
        bool hideTime, hideYearScroll, badge, weekFace, tab, popUpMenu, pageSetupOK, printOK;
    };
    for (const Case& c : {Case{false, false, true, false, true, false, true, true},
                          Case{true, false, false, false, true, false, true, true},
                          Case{false, true, true, false, false, false, false, true},
                          Case{true, true, false, true, true, false, true, false},
                          Case{true, false, true, false, true, true, true, true}}) {
        Customization().hideTime = c.hideTime;
        Customization().hideYearScroll = c.hideYearScroll;
        CalendarWindow& window = CalendarWindow::Instance();
        window.CountdownCanvas->SetVisible(c.badge);
        if (c.weekFace) window.GlanceOn();
        TabWindow::Instance().SetVisible(c.tab);
        window.QuickStartHelp->SetVisible(true);
        std::vector<std::string> expected = Shown(window);
        if (!c.popUpMenu) std::erase(expected, "QuickStartHelp-1"); // closed by the print
        TestSeams::AnswerPrinting({c.pageSetupOK, "", c.printOK, ""});
        TestSeams::AnswerMenus([](const auto&) { return std::string("Print Calendar"); });
        const size_t pages = TestSeams::PrintedPages().size();
        if (c.popUpMenu)
            window.menuButton2_MouseDown(3, 3);
        else
            Simulate::Key(window, "Ctrl+P");
        // The pop-up menu's print leaves the quick-start help, the arrows and the badge alone.
        EXPECT_EQ(window.QuickStartHelp->Visible(), c.popUpMenu);
        EXPECT_EQ(window.CountdownCanvas->Visible(), c.popUpMenu && c.badge);
        application.UpdateMenuItems(); // the badge's caption now reads "Show"; no matter
        FirePrintTimer(window);
        EXPECT_EQ(Shown(window), expected)
            << c.hideTime << c.hideYearScroll << c.badge << c.weekFace << c.tab << c.popUpMenu;
        EXPECT_EQ(TestSeams::PrintedPages().size(), pages + (c.pageSetupOK && c.printOK));
        window.Close();
        DoEvents();
    }
}

// A control that the print hides is not on the page: the page is the one printed when the
// edition hides that control for good.
TEST_F(PrintingTest, TheClockAndTheYearArrowsThatThePrintHidesAreNotOnThePage) {
    struct Case {
        const char* what;
        bool CustomizationModule::*hide;
        bool popUpMenu;
    };
    for (const Case& c : {Case{"year arrows", &CustomizationModule::hideYearScroll, false},
                          Case{"clock", &CustomizationModule::hideTime, false},
                          Case{"clock, pop-up menu", &CustomizationModule::hideTime, true}}) {
        std::vector<PicturePtr> pages;
        for (const bool hidden : {false, true}) {
            // The dark arrows and the clock stand out on a light window.
            Customization().calendarBackgroundColor = RGB(255, 255, 255);
            Customization().timeTextColor = RGB(0, 0, 0);
            Customization().*c.hide = hidden;
            CalendarWindow& window = CalendarWindow::Instance();
            TestSeams::AnswerPrinting({});
            TestSeams::AnswerMenus([](const auto&) { return std::string("Print Calendar"); });
            if (c.popUpMenu)
                window.menuButton2_MouseDown(3, 3);
            else
                Simulate::Key(window, "Ctrl+P");
            FirePrintTimer(window);
            ASSERT_FALSE(TestSeams::PrintedPages().empty());
            pages.push_back(TestSeams::PrintedPages().back());
            window.Close();
            DoEvents();
        }
        Customization().*c.hide = false;
        int differences = 0;
        for (int y = 0; y < pages[0]->Height(); ++y)
            for (int x = 0; x < pages[0]->Width(); ++x)
                differences += pages[0]->Pixel(x, y) != pages[1]->Pixel(x, y);
        EXPECT_EQ(differences, 0) << c.what << " on the page";
    }
}

TEST_F(PrintingTest, ASecondPrintWhileOneIsArmedIsIgnoredAndAFailureStillRestores) {
    CalendarWindow& window = CalendarWindow::Instance();
    const std::vector<std::string> before = Shown(window);
    window.tipCanvas->SetVisible(true); // the hover tip is neither printed nor shown again
    Simulate::Key(window, "Ctrl+P");
    EXPECT_FALSE(window.tipCanvas->Visible());
    window.tipCanvas->SetVisible(true); // the mouse moved over a day meanwhile
    EXPECT_FALSE(window.ArmPrint(CalendarWindow::PrintCommand::MenuBar)) << "already armed";
    Simulate::Key(window, "Ctrl+P");
    // The page cannot go out, and the message saying so fails as well.
    TestSeams::AnswerPrinting({true, "", true, (environment.Home() / "gone" / "c.pdf").string()});
    TestSeams::AnswerDialogs([](const TestSeams::DialogRecord& dialog) -> int {
        if (dialog.message == "The calendar could not be printed.") throw std::runtime_error("");
        return 0;
    });
    FirePrintTimer(window);
    ASSERT_EQ(TestSeams::Dialogs().size(), 2u);
    EXPECT_EQ(TestSeams::Dialogs()[1].message, "An Unexpected Error Occurred") << "not hidden";
    EXPECT_EQ(Shown(window), before);
    EXPECT_TRUE(window.ArmPrint(CalendarWindow::PrintCommand::PopUpMenu))
        << "a new print may be armed";
}

// The printing module beside the program is missing or no library: printing fails with the
// reason, once on screen and once on standard error, and the calendar goes on as before.
TEST_F(PrintingTest, APrintingModuleThatCannotLoadIsAFailureToPrint) {
    const std::filesystem::path notALibrary = environment.Home() / "libombrelline-printing.so";
    TestEnvironment::WriteFile(notALibrary, "not a library\n");
    const struct {
        std::filesystem::path module;
        std::string reason;
    } cases[] = {
        {environment.Home() / "gone" / "libombrelline-printing.so", "is missing"},
        {notALibrary, notALibrary.string()},
    };
    CalendarWindow& window = CalendarWindow::Instance();
    const std::vector<std::string> before = Shown(window);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        TestSeams::Enable();
        TestSeams::UsePrintingModule(c.module);
        Simulate::Key(window, "Ctrl+P");
        testing::internal::CaptureStderr();
        FirePrintTimer(window);
        const std::string log = testing::internal::GetCapturedStderr();
        ASSERT_EQ(TestSeams::Dialogs().size(), 1u);
        EXPECT_EQ(TestSeams::Dialogs()[0].message, "The calendar could not be printed.");
        EXPECT_NE(TestSeams::Dialogs()[0].explanation.find(c.reason), std::string::npos)
            << TestSeams::Dialogs()[0].explanation;
        EXPECT_EQ(CountFields(log, "calendar: "), 2) << log;
        EXPECT_NE(log.find("could not be printed"), std::string::npos) << log;
        EXPECT_EQ(Shown(window), before);
        EXPECT_TRUE(TestSeams::PrintedPages().empty());
    }
}

TEST_F(PrintingTest, PrintThenCloseThenTheTabBringsTheCalendarBackWithItsClockAndArrows) {
    CalendarWindow& window = CalendarWindow::Instance();
    Simulate::Key(window, "Ctrl+P");
    Simulate::Key(window, "Ctrl+W");
    WaitUntil([&] { return window.PrintTimer->Mode() == Timer::ModeOff; });
    EXPECT_EQ(TestSeams::PrintedPages().size(), 1u);
    Simulate::Click(TabWindow::Instance(), 5, 3);
    EXPECT_TRUE(window.Visible() && window.theTimeText->Visible() &&
                window.CalendarScrollButton->Visible());
}

// Where the ring was, the calendar without it, taken from up and left; elsewhere the window as
// shown, in a grey frame. Red day numbers of another year are no ring; the 2560 x 1440 case puts
// the ring in the bottom week row under a title band much higher than the title canvas.
TEST_F(PrintingTest, TodaysRingIsTakenOutOfTheYearFaceAndThePictureFramedInGrey) {
    struct Case {
        Date today;
        int selectedYear, screenWidth, screenHeight;
        bool weekFace, redDays;
    };
    for (const Case& c : {Case{Date(2010, 6, 15, 12, 0), 2010, 1440, 900, false, false},
                          Case{Date(2010, 1, 3, 12, 0), 2010, 1440, 900, false, false},
                          Case{Date(2010, 10, 31, 12, 0), 2010, 2560, 1440, false, false},
                          Case{Date(2010, 6, 15, 12, 0), 2011, 1440, 900, false, true},
                          Case{Date(2010, 6, 15, 12, 0), 2010, 1440, 900, true, false}}) {
        UseScreen(c.screenWidth, c.screenHeight, 24);
        FixToday(c.today);
        application.selectedDate.SetYear(c.selectedYear);
        Customization().daysColor = c.redDays ? kRed : RGB(0, 0, 0);
        CalendarWindow& window = CalendarWindow::Instance();
        if (c.weekFace) window.GlanceOn();
        const PicturePtr shown = Snapshot(window);
        const PicturePtr printed = window.PrintPicture();
        application.currentDate = Date(2012, 1, 1, 12, 0); // no ring on the shown year
        const PicturePtr ringless = Snapshot(window);
        const bool ring = c.selectedYear == 2010 && !c.weekFace;
        EXPECT_EQ(CountPixels(*shown, kRed) > 0, ring || c.redDays);
        const int w = printed->Width(), h = printed->Height();
        int differences = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int k = 0;
                while (ring && x > k && y > k && shown->Pixel(x - k, y - k) == kRed)
                    ++k;
                const Color expected = x == 0 || y == 0 || x == w - 1 || y == h - 1
                                           ? RGB(180, 180, 180)
                                           : (k == 0 ? shown : ringless)->Pixel(x - k, y - k);
                differences += printed->Pixel(x, y) != expected;
            }
        EXPECT_EQ(differences, 0) << c.today.SQLDate() << " " << c.selectedYear;
        window.Close();
        DoEvents();
    }
}
