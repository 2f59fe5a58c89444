// The clock in the title band and what a new calendar day redraws.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Date.h"

namespace {
int64_t At(int year, int month, int day, int hour, int minute) {
    return Date(year, month, day, hour, minute).TotalSeconds();
}

class ClockTest : public CalendarWindowTest {
  protected:
    // The window painted once, and the badge's paints counted from here on.
    CalendarWindow& OpenPainted() {
        CalendarWindow& window = CalendarWindow::Instance();
        // Where the badge stands in the title band, clear of the year grid.
        window.CountdownCanvas->SetBounds(135, 15, 118, 130);
        window.CountdownCanvas->OnPaint = [this](Graphics&) { ++badgePaints; };
        window.Calendar->OnPaint = [this](Graphics&) { ++calendarPaints; };
        for (int i = 0; i < 5; ++i)
            DoEvents();
        badgePaints = calendarPaints = 0;
        return window;
    }
    int badgePaints = 0;
    int calendarPaints = 0;
};
} // namespace

TEST_F(ClockTest, ClockShowsTheShortTimeAndASameDayTickChangesNothingElse) {
    Date::FixClock(At(2026, 3, 10, 9, 5));
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    EXPECT_EQ(window.theTimeText->Text(), "9:05 AM");
    Date::FixClock(At(2026, 3, 10, 23, 59));
    window.TimeTimer_Action();
    for (int i = 0; i < 5; ++i)
        DoEvents();
    EXPECT_EQ(window.theTimeText->Text(), "11:59 PM");
    EXPECT_EQ(application.currentDate.Hour(), 9);
    EXPECT_EQ(badgePaints, 0);
    EXPECT_EQ(calendarPaints, 0);
}

TEST_F(ClockTest, HiddenClockStillKeepsTime) {
    Customization().hideTime = true;
    Date::FixClock(At(2026, 3, 10, 9, 5));
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_FALSE(window.theTimeText->Visible());
    Date::FixClock(At(2026, 3, 10, 9, 35));
    window.TimeTimer_Action();
    EXPECT_EQ(window.theTimeText->Text(), "9:35 AM");
}

TEST_F(ClockTest, MidnightMovesTodayAndRepaintsTheCalendarAndTheBadge) {
    Date::FixClock(At(2026, 3, 10, 23, 59));
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    const PicturePtr scaled = window.backgroundImageScaled;
    Date::FixClock(At(2026, 3, 11, 0, 0));
    window.TimeTimer_Action();
    for (int i = 0; i < 5; ++i)
        DoEvents();
    EXPECT_EQ(application.currentDate.SQLDate(), "2026-03-11");
    EXPECT_GT(calendarPaints, 0);
    EXPECT_GT(badgePaints, 0) << "the badge shows the new count at once";
    EXPECT_EQ(window.backgroundImageScaled, scaled) << "without cycling nothing is reloaded";
}

TEST_F(ClockTest, WithCyclingEveryNewDayReloadsTheBackground) {
    CustomizationModule& module = Customization();
    module.cycleImages = true;
    module.imageCycle = "monthly";
    module.backgroundImage = std::make_shared<Picture>(200, 100);
    // The pictures the cycle composes from.
    module.backgroundImageWide = module.backgroundImageStandard = module.backgroundImage;
    Date::FixClock(At(2026, 12, 31, 23, 59));
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    const PicturePtr before = window.backgroundImageScaled;
    Date::FixClock(At(2027, 1, 1, 0, 0));
    window.TimeTimer_Action();
    for (int i = 0; i < 5; ++i)
        DoEvents();
    EXPECT_NE(window.backgroundImageScaled, before);
    EXPECT_EQ(application.currentDate.Year(), 2027);
    EXPECT_GT(badgePaints, 0);
    // Setting the clock back a day is a new day too.
    Date::FixClock(At(2026, 12, 31, 12, 0));
    window.TimeTimer_Action();
    EXPECT_EQ(application.currentDate.Year(), 2026);
}
