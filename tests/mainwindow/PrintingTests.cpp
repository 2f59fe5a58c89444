// Printing the window: what is hidden while it is captured and shown again afterwards, today's
// ring taken out of the year face, the grey frame, and the picture whole on the page.
#include "mainwindow/YearGridFixture.h"

#include "platform/Application.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kFrame = RGB(180, 180, 180);

class PrintingTest : public YearGridTest {
  protected:
    // Runs the print step as the armed timer would, through the framework's door.
    static void FirePrintTimer(CalendarWindow& window) {
        ASSERT_EQ(window.PrintTimer->Mode(), Timer::ModeSingle) << "a print was armed";
        window.PrintTimer->SetMode(Timer::ModeOff);
        Application::Dispatch([&] { window.PrintTimer_Action(); });
    }
    // The shown controls of the window by name and index, and the tab window as "tab".
    static std::vector<std::string> Shown(const CalendarWindow& window) {
        std::vector<std::string> shown;
        for (int i = 0; i < window.ControlCount(); ++i) {
            const auto* control = dynamic_cast<const RectControl*>(window.ControlAt(i));
            if (control && control->Visible())
                shown.push_back(control->Name() + std::to_string(control->Index()));
        }
        if (TabWindow::Instance().Visible()) shown.push_back("tab");
        return shown;
    }
    // The window drawn as it shows, without the print's changes.
    static PicturePtr Capture(CalendarWindow& window) {
        auto picture = std::make_shared<Picture>(window.Width(), window.Height());
        window.DrawInto(picture->Graphics(), 0, 0);
        return picture;
    }
};
} // namespace

TEST_F(PrintingTest, AfterAPrintEveryControlIsAsBeforeButTheQuickStartHelpAndTheMenuButton) {
    struct Case {
        bool hideTime, hideYearScroll, badge, weekFace, tab, popUpMenu, pageSetupOK, printOK;
    };
    const Case cases[] = {
        {false, false, true, false, true, false, true, true},
        {true, false, false, false, true, false, true, true},
        {false, true, true, false, false, false, false, true},
        {true, true, false, true, true, false, true, false},
        {false, false, true, true, false, false, true, true},
        {true, false, true, false, true, true, true, true},
    };
    for (const Case& c : cases) {
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
        const size_t pages = TestSeams::PrintedPages().size();

        if (c.popUpMenu) {
            TestSeams::AnswerMenus([](const std::vector<TestSeams::MenuEntry>&) {
                return std::string("Print Calendar");
            });
            window.menuButton2_MouseDown(3, 3);
            EXPECT_TRUE(window.QuickStartHelp->Visible()) << "the pop-up menu's print hides less";
        } else {
            Simulate::Key(window, "Ctrl+P");
            EXPECT_FALSE(window.theTimeText->Visible() || window.CalendarScrollButton->Visible() ||
                         window.CountdownCanvas->Visible() || window.QuickStartHelp->Visible());
        }
        EXPECT_FALSE(TabWindow::Instance().Visible());
        // The menus may update meanwhile; the badge comes back as it was all the same.
        application.UpdateMenuItems();
        FirePrintTimer(window);

        EXPECT_EQ(Shown(window), expected)
            << c.hideTime << c.hideYearScroll << c.badge << c.weekFace << c.tab << c.popUpMenu;
        EXPECT_EQ(TestSeams::PrintedPages().size(), pages + (c.pageSetupOK && c.printOK));
        window.Close();
        DoEvents();
    }
}

TEST_F(PrintingTest, ASecondPrintWhileOneIsArmedIsIgnoredAndAFailureStillRestores) {
    CalendarWindow& window = CalendarWindow::Instance();
    const std::vector<std::string> before = Shown(window);
    window.tipCanvas->SetVisible(true); // the hover tip is neither printed nor shown again
    Simulate::Key(window, "Ctrl+P");
    EXPECT_FALSE(window.tipCanvas->Visible());
    EXPECT_FALSE(window.ArmPrint({window.QuickStartHelp})) << "already armed";
    Simulate::Key(window, "Ctrl+P");
    // The page cannot go out, and the message about it fails as well.
    TestSeams::AnswerPrinting(
        {true, "", true, (environment.Home() / "gone" / "calendar.pdf").string()});
    bool thrown = false;
    TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) -> int {
        if (!thrown) {
            thrown = true;
            throw std::runtime_error("no message");
        }
        return 0;
    });
    FirePrintTimer(window);
    ASSERT_EQ(TestSeams::Dialogs().size(), 2u);
    EXPECT_EQ(TestSeams::Dialogs()[1].message, "An Unexpected Error Occurred") << "not hidden";
    EXPECT_EQ(Shown(window), before);
    EXPECT_EQ(window.PrintTimer->Mode(), Timer::ModeOff);
    EXPECT_TRUE(window.ArmPrint({})) << "a new print may be armed";
}

TEST_F(PrintingTest, PrintThenCloseThenTheTabBringsTheCalendarBackWithItsClockAndArrows) {
    CalendarWindow& window = CalendarWindow::Instance();
    Simulate::Key(window, "Ctrl+P");
    Simulate::Key(window, "Ctrl+W");
    for (int i = 0; i < 200 && window.PrintTimer->Mode() != Timer::ModeOff; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        DoEvents();
    }
    EXPECT_EQ(TestSeams::PrintedPages().size(), 1u);
    TabWindow& tab = TabWindow::Instance();
    ASSERT_TRUE(tab.Visible());
    Simulate::Click(tab, 5, 3);
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Top(), 24);
    EXPECT_TRUE(window.theTimeText->Visible() && window.CalendarScrollButton->Visible());
}

TEST_F(PrintingTest, TodaysRingIsTakenOutOfTheYearFaceAndThePictureFramedInGrey) {
    struct Case {
        Date today;
        int screenWidth, screenHeight;
    };
    // The last: a ring in the bottom week row, on a screen whose title band is much higher
    // than the title canvas.
    for (const auto& [today, screenWidth, screenHeight] :
         {Case{Date(2010, 6, 15, 12, 0), 1440, 900}, Case{Date(2010, 1, 3, 12, 0), 1440, 900},
          Case{Date(2010, 12, 31, 12, 0), 1440, 900},
          Case{Date(2010, 10, 31, 12, 0), 2560, 1440}}) {
        UseScreen(screenWidth, screenHeight, 24);
        FixToday(today);
        CalendarWindow& window = CalendarWindow::Instance();
        const PicturePtr shown = Capture(window);
        const PicturePtr printed = window.PrintPicture();
        application.currentDate = Date(2012, 1, 1, 12, 0); // no ring on the shown year
        const PicturePtr ringless = Capture(window);
        ASSERT_GT(CountPixels(*shown, kRed), 20) << today.SQLDate();
        EXPECT_EQ(CountPixels(*printed, kRed), 0) << today.SQLDate();

        const int w = printed->Width(), h = printed->Height();
        int framePixels = 0;
        for (int x = 0; x < w; ++x)
            framePixels += (printed->Pixel(x, 0) == kFrame) + (printed->Pixel(x, h - 1) == kFrame);
        for (int y = 1; y < h - 1; ++y)
            framePixels += (printed->Pixel(0, y) == kFrame) + (printed->Pixel(w - 1, y) == kFrame);
        EXPECT_EQ(framePixels, 2 * w + 2 * h - 4);

        // Where the ring was, the calendar as it is without the ring, taken from up and left;
        // everywhere else the window as shown.
        int differences = 0;
        for (int y = 1; y < h - 1; ++y)
            for (int x = 1; x < w - 1; ++x) {
                int k = 0;
                while (shown->Pixel(x - k, y - k) == kRed)
                    ++k;
                const Color expected = k == 0 ? shown->Pixel(x, y) : ringless->Pixel(x - k, y - k);
                differences += printed->Pixel(x, y) != expected;
            }
        EXPECT_EQ(differences, 0) << today.SQLDate();
        window.Close();
        DoEvents();
    }
}

// Red day numbers in today's column of another year are not a ring; the week face has none.
TEST_F(PrintingTest, AFaceWithoutTodaysRingIsPrintedAsShownFramed) {
    Customization().daysColor = kRed;
    application.selectedDate = Date(2011, 6, 15, 12, 0);
    CalendarWindow& window = CalendarWindow::Instance();
    for (const bool weekFace : {false, true}) {
        if (weekFace) window.GlanceOn();
        const PicturePtr shown = Capture(window);
        ASSERT_TRUE(weekFace || CountPixels(*shown, kRed) > 0);
        shown->Graphics().ForeColor = kFrame;
        shown->Graphics().DrawRect(0, 0, shown->Width(), shown->Height());
        const PicturePtr printed = window.PrintPicture();
        int differences = 0;
        for (int y = 0; y < shown->Height(); ++y)
            for (int x = 0; x < shown->Width(); ++x)
                differences += printed->Pixel(x, y) != shown->Pixel(x, y);
        EXPECT_EQ(differences, 0) << weekFace;
    }
}

// Fitted to the page's longer side these two windows would run off the page.
TEST_F(PrintingTest, AWindowRelativelyTallerThanThePagePrintsWhole) {
    struct Case {
        int width, height;
        const char* setup;
        PixelBounds printed;
    };
    const Case cases[] = {
        {1024, 740, "size=210x297mm;orientation=landscape;margins=0,0,0,0mm", {0, 0, 3429, 2478}},
        {1280,
         1024,
         "size=215.9x279.4mm;orientation=portrait;margins=0,0,0,0mm",
         {0, 0, 2549, 3186}},
    };
    for (const Case& c : cases) {
        UseScreen(c.width, c.height, 0);
        CalendarWindow& window = CalendarWindow::Instance();
        TestSeams::AnswerPrinting({true, c.setup, true, ""});
        Simulate::Key(window, "Ctrl+P");
        FirePrintTimer(window);
        ASSERT_FALSE(TestSeams::PrintedPages().empty());
        const Picture& page = *TestSeams::PrintedPages().back();
        EXPECT_EQ(InkBounds(page), c.printed) << c.width;
        // The frame's far corner is on the page.
        const Color corner = page.Pixel(c.printed.right, c.printed.bottom);
        EXPECT_NEAR(corner.r, 180, 30) << c.width;
        window.Close();
        DoEvents();
    }
}
