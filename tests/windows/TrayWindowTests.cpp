// The tray's month window: its size and place from the main window and the screen, the month
// drawn in its cells, paging, today in bold and the faded background.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/TestSeams.h"
#include "windows/TrayWindow.h"

#include "support/PictureTestSupport.h"

namespace {
constexpr Color kDays = RGB(0, 0, 200);

class TrayWindowTest : public CalendarWindowTest {
  protected:
    // A main window of 1400 x 900: a tenth is 140 x 90, rows 10 and columns 20 pixels.
    TrayWindowTest() {
        UseScreen(1400, 924, 24);
        Customization().daysColor = kDays;
        Customization().monthNamesColor = RGB(200, 0, 0);
        Customization().dayHeaderColor = RGB(0, 200, 0);
    }
    TrayWindow& OpenOn(const Date& today) {
        Date::FixClock(today.TotalSeconds());
        return TrayWindow::Instance();
    }
    PicturePtr Paint(TrayWindow& window) {
        auto shot = std::make_shared<Picture>(window.Calendar->Width(), window.Calendar->Height());
        window.Calendar_Paint(shot->Graphics());
        return shot;
    }
    // Bluish (day-coloured, smoothed) pixels in a cell of the week rows (2 to 7), between the
    // top of its digits and their baseline.
    static int Ink(const Picture& shot, int row, int column) {
        int count = 0;
        for (int y = row * 10 + 4; y < row * 10 + 12; ++y)
            for (int x = column * 20; x < column * 20 + 20; ++x)
                count += shot.Pixel(x, y).b > shot.Pixel(x, y).g + 60;
        return count;
    }
};
} // namespace

TEST_F(TrayWindowTest, ATenthOfTheMainWindowAboveTheBottomRightCorner) {
    TrayWindow& window = OpenOn(Date(2026, 3, 10, 12, 0));
    EXPECT_EQ((std::vector<int>{window.Left(), window.Top(), window.Width(), window.Height()}),
              (std::vector<int>{1400 - 146, 900 - 96, 140, 90}));
    EXPECT_TRUE(application.TrayWindowOpen);
    EXPECT_TRUE(TestSeams::AskedOfDesktop(window).staysAbove) << "above every program's windows";
    window.Close();
    EXPECT_FALSE(application.TrayWindowOpen);
}

TEST_F(TrayWindowTest, DaysStandInTheirWeekdayColumnsAndNeighbouringMonthsStayBlank) {
    struct Case {
        Date first;
        int firstColumn, lastRow, lastColumn;
    };
    // August 2026 starts on a Saturday and runs into row 7; February 2026 starts on a Sunday
    // and fills rows 2 to 5 exactly.
    for (const Case& c : {Case{Date(2026, 8, 1), 6, 7, 1}, Case{Date(2026, 2, 1), 0, 5, 6}}) {
        const PicturePtr shot = Paint(OpenOn(c.first));
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(Ink(*shot, 2, column) > 0, column >= c.firstColumn) << column;
        for (int row = 3; row <= 7; ++row)
            for (int column = 0; column < 7; ++column)
                EXPECT_EQ(Ink(*shot, row, column) > 0,
                          row < c.lastRow || (row == c.lastRow && column <= c.lastColumn))
                    << c.first.ShortDate() << " " << row << "," << column;
        TrayWindow::Instance().Close();
        DoEvents();
    }
}

TEST_F(TrayWindowTest, PagesByWholeMonthsAcrossTheYearAlsoFromTheLastDayOfAMonth) {
    TrayWindow& window = OpenOn(Date(2026, 1, 31, 12, 0));
    window.PreviousMonth_Action();
    EXPECT_EQ((std::pair{window.trayDate.Month(), window.trayDate.Year()}), (std::pair{12, 2025}));
    window.NextMonth_Action();
    window.NextMonth_Action();
    EXPECT_EQ((std::pair{window.trayDate.Month(), window.trayDate.Year()}), (std::pair{2, 2026}));
    for (int i = 0; i < 11; ++i)
        window.NextMonth_Action();
    EXPECT_EQ((std::pair{window.trayDate.Month(), window.trayDate.Year()}), (std::pair{1, 2027}));
}

TEST_F(TrayWindowTest, TodayIsBoldOnlyInTodaysMonth) {
    // 10 March 2026 is a Tuesday in the second week: row 3, column 2.
    TrayWindow& window = OpenOn(Date(2026, 3, 10, 12, 0));
    const int today = Ink(*Paint(window), 3, 2);
    Date::FixClock(Date(2026, 3, 11, 12, 0).TotalSeconds());
    EXPECT_GT(today, Ink(*Paint(window), 3, 2)) << "the 10th in bold, then plain";

    // April 2026: the 10th is a Friday in the second week. Paging away and back.
    Date::FixClock(Date(2026, 3, 10, 12, 0).TotalSeconds());
    window.NextMonth_Action();
    const int away = Ink(*Paint(window), 3, 5);
    Date::FixClock(Date(2026, 5, 11, 12, 0).TotalSeconds());
    EXPECT_EQ(away, Ink(*Paint(window), 3, 5)) << "no bold cell in another month";
    Date::FixClock(Date(2026, 3, 10, 12, 0).TotalSeconds());
    window.PreviousMonth_Action();
    EXPECT_EQ(Ink(*Paint(window), 3, 2), today);
}

TEST_F(TrayWindowTest, TheBackgroundShowsFaintlyOverWhite) {
    Customization().backgroundImage = FilledPicture(300, 200, RGB(0, 0, 0));
    TrayWindow& window = OpenOn(Date(2026, 3, 10, 12, 0));
    Picture shot(window.Width(), window.Height());
    window.Event_Paint(shot.Graphics());
    const Color faded = shot.Pixel(70, 45);
    EXPECT_NEAR(faded.r, 180, 3) << "about 29% black over white";
    EXPECT_EQ(shot.Pixel(139, 89), faded) << "stretched over the whole window";
    window.Close();
    DoEvents();

    Customization().backgroundImage = nullptr;
    EXPECT_FALSE(TrayWindow::Instance().Backdrop);
}

// Days 1 to 9 take a blank before them, so their digit stands where the units of 10 to 31 do.
TEST_F(TrayWindowTest, OneDigitDaysStandWhereTheUnitsOfTwoDigitDaysDo) {
    // February 2026 starts on a Sunday: days 1 to 7 in row 2, 15 to 21 in row 4.
    const PicturePtr shot = Paint(OpenOn(Date(2026, 2, 1)));
    const auto inkRight = [&](int row, int column) {
        int right = -1;
        for (int y = row * 10 + 2; y < row * 10 + 12; ++y)
            for (int x = column * 20; x < column * 20 + 20; ++x)
                if (shot->Pixel(x, y).b > shot->Pixel(x, y).g + 60) right = std::max(right, x);
        return right;
    };
    for (int column = 0; column < 7; ++column)
        EXPECT_NEAR(inkRight(2, column), inkRight(4, column), 1) << column;
}
