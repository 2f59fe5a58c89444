// The main window: its controls, its fit to the screen, its accessor and events, the hidden
// menu buttons and the link areas.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/TabWindow.h"

#include "support/PictureTestSupport.h"

#include <string>
#include <utility>
#include <vector>

// The overlays over the year grid must come after it to stand above it; only the clock's timer
// runs until a print command arms the print timer.
TEST_F(CalendarWindowTest, ConstructionStacksTheOverlaysAboveTheGridAndRunsOnlyTheClock) {
    CalendarWindow window;
    const auto place = [&](const Control* control) {
        for (int i = 0; i < window.ControlCount(); ++i)
            if (window.ControlAt(i) == control) return i;
        return -1;
    };
    for (const Control* overlay : {static_cast<const Control*>(window.tipCanvas),
                                   static_cast<const Control*>(window.QuickStartHelp),
                                   static_cast<const Control*>(window.CalendarScrollButton),
                                   static_cast<const Control*>(window.CountdownCanvas),
                                   static_cast<const Control*>(window.floatingLinkCanvas[1])})
        EXPECT_GT(place(overlay), place(window.Calendar)) << overlay->Name();
    EXPECT_EQ((std::vector<int>{window.TimeTimer->Mode(), window.PrintTimer->Mode(),
                                window.DisplayScrollTimer->Mode()}),
              (std::vector<int>{2, 0, 0}));
}

TEST_F(CalendarWindowTest, OpenFitsTheAvailableAreaAndLocksFollowTheWiderScreen) {
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_TRUE(application.CalendarWindowOpen && window.Visible());
    // The tab follows the window's first frame, and so does a paint of the week panels, unseen.
    EXPECT_FALSE(FindOpenWindow<TabWindow>());
    int weekCellsPainted = 0;
    window.GlanceList->OnCellBackgroundPaint =
        [&, paint = window.GlanceList->OnCellBackgroundPaint](Graphics& g, int row, int column) {
            ++weekCellsPainted;
            return paint(g, row, column);
        };
    DoEvents();
    DoEvents();
    EXPECT_TRUE(FindOpenWindow<TabWindow>() && FindOpenWindow<TabWindow>()->Visible());
    EXPECT_GT(weekCellsPainted, 0);
    EXPECT_TRUE(window.Calendar->Visible());
    EXPECT_FALSE(window.GlanceList->Visible() || window.GlanceHeader->Visible() ||
                 window.MiniCalList[0]->Visible() || window.TodoList->Visible());
    EXPECT_EQ((std::vector<int>{window.Left(), window.Top(), window.Width(), window.Height()}),
              (std::vector<int>{0, 24, 1440, 876}));
    // Locked right: moved by the extra width; locked left and right: stretched by it.
    EXPECT_EQ(window.MainMenuButton->Left(), 987 + 1440 - 1024);
    EXPECT_EQ(window.GlanceList->Width(), 856 + 1440 - 1024);
    window.Close();
    EXPECT_FALSE(application.CalendarWindowOpen);
    EXPECT_TRUE(CalendarWindow::Instance().IsOpen() && application.CalendarWindowOpen);
}

TEST_F(CalendarWindowTest, BackgroundFillsTheHeightAndTheTitleNamesTheVendor) {
    CustomizationModule& module = Customization();
    module.vendorName = "Ombrelline";
    module.backgroundImage = std::make_shared<Picture>(2000, 1000);
    module.yearNumber.assign(10, nullptr);
    module.yearNumber[0] = std::make_shared<Picture>(40, 60);
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.Title(), "Ombrelline Calendar");
    ASSERT_TRUE(window.backgroundImageScaled);
    EXPECT_EQ(window.backgroundImageScaled->Height(), 876);
    // Scaled to 1752 wide, of which the screen shows the left 1440.
    EXPECT_GE(window.backgroundImageScaled->Width(), 1440);
    EXPECT_LE(window.backgroundImageScaled->Width(), 1442);
    ASSERT_TRUE(window.YearDigitScaled(0));
    EXPECT_EQ(window.YearDigitScaled(0)->Width(), static_cast<int>(40 * 0.876f));
    EXPECT_FALSE(window.YearDigitScaled(1));
    EXPECT_FALSE(window.YearDigitScaled(10));
    EXPECT_TRUE(TestSeams::Dialogs().empty());

    // A new day's picture of another height scales the digits anew.
    module.backgroundImage = std::make_shared<Picture>(1000, 438);
    window.LoadBackgroundImage();
    ASSERT_TRUE(window.YearDigitScaled(0));
    EXPECT_EQ(window.YearDigitScaled(0)->Height(), 120);

    // A call while the window is parked above the screen puts it back.
    window.SetTop(-900);
    window.LoadBackgroundImage();
    EXPECT_EQ(window.Top(), 24);
}

// The week grid of today's week is filled as the window opens; its message about an event it
// must cut short stands over the window's picture, never over an empty screen.
TEST_F(CalendarWindowTest, AMessageOfTheOpeningShowsOverTheWindowOnTheScreen) {
    Customization().backgroundImage = FilledPicture(1440, 876, RGB(40, 90, 160));
    Date::FixClock(Date(2026, 3, 10, 12, 0).TotalSeconds());
    application.selectedDate = Date();
    application.StartTime = 8;
    application.eventDict.Value("2026-03-10 19:00:00", "2026-03-10 23:30:00//Late");
    Color behind{};
    TestSeams::AnswerDialogs([&](const TestSeams::DialogRecord&) {
        CalendarWindow* window = FindOpenWindow<CalendarWindow>();
        if (window && window->Visible()) behind = Snapshot(*window)->Pixel(2, 870);
        return 0;
    });
    CalendarWindow::Instance();
    Date::FixClock(std::nullopt);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("Late has an invalid ending time"), std::string::npos);
    EXPECT_EQ(behind, RGB(40, 90, 160));
}

TEST_F(CalendarWindowTest, ALongThinBackgroundIsScaledOnlyAsFarAsTheScreenShowsIt) {
    CustomizationModule& module = Customization();
    module.backgroundImage = FilledPicture(4000, 1, RGB(0, 200, 0));
    module.backgroundImage->SetPixel(0, 0, RGB(200, 0, 0));
    module.yearNumber.assign(10, nullptr);
    module.yearNumber[0] = std::make_shared<Picture>(2, 3);
    CalendarWindow& window = CalendarWindow::Instance();
    // At the background's scale of 876 the digit would take 1752 x 2628 pixels.
    ASSERT_TRUE(window.YearDigitScaled(0));
    EXPECT_LE(window.YearDigitScaled(0)->Width(), 1440);
    EXPECT_LE(window.YearDigitScaled(0)->Height(), 876);
    ASSERT_TRUE(window.backgroundImageScaled);
    EXPECT_EQ(window.backgroundImageScaled->Height(), 876);
    EXPECT_LE(window.backgroundImageScaled->Width(), 1440 + 2 * 876); // two columns at most
    EXPECT_EQ(window.backgroundImageScaled->Pixel(1400, 400), RGB(0, 200, 0));
}

TEST_F(CalendarWindowTest, PaintDrawsTheBackgroundCentredAndTheBorderLines) {
    CustomizationModule& module = Customization();
    module.calendarBackgroundColor = RGB(10, 20, 30);
    module.backgroundImage = FilledPicture(100, 100, RGB(0, 200, 0));
    CalendarWindow& window = CalendarWindow::Instance();
    const PicturePtr shot = Snapshot(window);
    const int t = static_cast<int>(876 * 0.082), c = static_cast<int>(876 * 0.62);
    EXPECT_EQ(shot->Pixel(5, 5), RGB(10, 20, 30)) << "the sides show the back colour";
    EXPECT_EQ(shot->Pixel(720, 5), RGB(0, 200, 0)) << "the picture is centred";
    EXPECT_EQ((std::vector{shot->Pixel(5, t), shot->Pixel(5, t + 1), shot->Pixel(5, t + c - 2),
                           shot->Pixel(5, t + c - 1)}),
              (std::vector{RGB(127, 157, 185), RGB(255, 255, 255), RGB(127, 157, 185),
                           RGB(255, 255, 255)}));
    module.hideTopBorder = module.hideBottomBorder = true;
    const PicturePtr bare = Snapshot(window);
    EXPECT_EQ(std::pair(bare->Pixel(5, t), bare->Pixel(5, t + c - 2)),
              std::pair(RGB(10, 20, 30), RGB(10, 20, 30)));
}

TEST_F(CalendarWindowTest, MovedPullsTheWindowUpButLeavesItParkedAbove) {
    CalendarWindow& window = CalendarWindow::Instance();
    for (const auto& [top, kept] : {std::pair{200, 24}, {-800, -800}, {10, 10}}) {
        Simulate::DesktopPlaces(window, 40, top);
        EXPECT_EQ(std::pair(window.Left(), window.Top()), std::pair(40, kept)) << top;
    }
}

TEST_F(CalendarWindowTest, LinkAreasFollowThePictureScaledToTheScreen) {
    UseScreen(1280, 984, 24); // an available area of 1280 x 960
    CustomizationModule& module = Customization();
    module.backgroundImage = std::make_shared<Picture>(1600, 1200);
    module.floatingLink[1] = "https://example.com/sky";
    module.floatingLinkCoordinates[1] = "400,300,200,20";
    module.floatingLink[2] = "https://example.com/no-place";
    CalendarWindow& window = CalendarWindow::Instance();

    const auto& sky = *window.floatingLinkCanvas[1];
    EXPECT_EQ((std::vector<int>{sky.Left(), sky.Top(), sky.Width(), sky.Height()}),
              (std::vector<int>{320, 240, 160, 16}));
    EXPECT_EQ(sky.HelpTag(), "Goto https://example.com/sky");
    // A link without a rectangle has nowhere to be clicked.
    EXPECT_EQ(window.floatingLinkCanvas[2]->Width(), 0);

    Simulate::Click(window, 330, 250);
    EXPECT_EQ(TestSeams::OpenedURLs(), std::vector<std::string>{"https://example.com/sky"});

    // Numbers far past the picture stand for its size.
    window.Close();
    module.floatingLinkCoordinates[1] = "1e300,-1e300,1e300,99999999999";
    const auto& far = *CalendarWindow::Instance().floatingLinkCanvas[1];
    EXPECT_EQ((std::vector<int>{far.Left(), far.Top(), far.Width(), far.Height()}),
              (std::vector<int>{1280, -960, 1280, 960}));

    // On a wider screen the picture is stretched more across than down.
    CalendarWindow::Instance().Close();
    UseScreen(2000, 984, 24);
    module.floatingLinkCoordinates[1] = "400,300,200,20";
    const auto& wide = *CalendarWindow::Instance().floatingLinkCanvas[1];
    EXPECT_EQ((std::vector<int>{wide.Left(), wide.Top(), wide.Width(), wide.Height()}),
              (std::vector<int>{500, 240, 250, 16}));
}
