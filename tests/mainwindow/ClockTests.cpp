// The clock in the title band and what a new calendar day redraws.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/frame/Clock.h"
#include "platform/Date.h"

namespace {
int64_t At(int year, int month, int day, int hour, int minute) {
    return Date(year, month, day, hour, minute).TotalSeconds();
}

class ClockTest : public CalendarWindowTest {
  protected:
    // The window painted once, and the badge's paints counted from here on.
    CalendarWindow& OpenPainted() {
        application.showCoundownCalendar = true;
        CalendarWindow& window = CalendarWindow::Instance();
        // Within the title band (71 pixels high here), clear of the year grid, whose repaints
        // would otherwise repaint the badge too.
        window.CountdownCanvas->SetBounds(135, 5, 118, 60);
        EXPECT_LE(window.CountdownCanvas->Top() + window.CountdownCanvas->Height(),
                  window.Calendar->Top());
        window.CountdownCanvas->OnPaint = [this](Graphics&) { ++badgePaints; };
        window.Calendar->OnPaint = [this](Graphics&) { ++calendarPaints; };
        Settle();
        badgePaints = calendarPaints = 0;
        return window;
    }
    // The clock's tick at that moment, and the repaints it asks for.
    static void Tick(CalendarWindow& window, int64_t moment) {
        Date::FixClock(moment);
        window.TimeTimer_Action();
        Settle();
    }
    // Cycling standard-shaped pictures, told apart by their widths: 201 for the base, then 202...
    static CustomizationModule& Cycling(const std::string& cycle) {
        CustomizationModule& module = Customization() = CustomizationModule{};
        module.cycleImages = true;
        module.imageCycle = cycle;
        module.WideScreen = false;
        module.backgroundImageStandard = std::make_shared<Picture>(201, 100);
        module.backgroundImage2Standard = std::make_shared<Picture>(202, 100);
        module.backgroundImage3Standard = std::make_shared<Picture>(203, 100);
        module.backgroundImage4Standard = std::make_shared<Picture>(204, 100);
        module.backgroundImage = module.backgroundImageStandard;
        return module;
    }
    // The badge laid on the clock's place: a paint of the clock paints the badge too.
    void LayBadgeOnClock(CalendarWindow& window) {
        const StaticText& clock = *window.theTimeText;
        window.CountdownCanvas->SetBounds(clock.Left(), clock.Top(), clock.Width(), clock.Height());
        Settle();
    }
    static void Settle() {
        for (int i = 0; i < 5; ++i)
            DoEvents();
    }
    int badgePaints = 0;
    int calendarPaints = 0;
};
} // namespace

TEST_F(ClockTest, HiddenClockShowsTheShortTimeAndASameDayTickChangesNothingElse) {
    Customization().hideTime = true;
    Date::FixClock(At(2026, 3, 10, 9, 5));
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    EXPECT_FALSE(window.theTimeText->Visible());
    EXPECT_EQ(window.theTimeText->Text(), "9:05 AM");
    Tick(window, At(2026, 3, 10, 23, 59));
    EXPECT_EQ(window.theTimeText->Text(), "11:59 PM");
    EXPECT_EQ(application.currentDate.Hour(), 9);
    EXPECT_EQ(badgePaints, 0);
    EXPECT_EQ(calendarPaints, 0);
}

// A main window opened later in the run, as after a change of calendar, shows the time now.
TEST_F(ClockTest, ANewMainWindowShowsTheTimeNowAtOnce) {
    Date::FixClock(At(2026, 3, 10, 9, 5));
    application.currentDate = Date();
    Date::FixClock(At(2026, 3, 10, 14, 40));
    EXPECT_EQ(CalendarWindow::Instance().theTimeText->Text(), "2:40 PM");
    EXPECT_EQ(application.currentDate.Hour(), 9) << "today is still the one taken at the start";
}

TEST_F(ClockTest, MidnightMovesTodayAndRepaintsTheCalendarAndTheBadge) {
    Date::FixClock(At(2026, 3, 10, 23, 59));
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    const PicturePtr scaled = window.backgroundImageScaled;
    Tick(window, At(2026, 3, 11, 0, 0));
    EXPECT_EQ(application.currentDate.SQLDate(), "2026-03-11");
    EXPECT_GT(calendarPaints, 0);
    EXPECT_GT(badgePaints, 0) << "the badge shows the new count at once";
    EXPECT_EQ(window.backgroundImageScaled, scaled) << "without cycling nothing is reloaded";
}

// The first day of a month or season shows its picture; a new day within it keeps the picture,
// one previewed from the tab too.
TEST_F(ClockTest, CyclingChangesThePictureOnlyWhenTheMonthOrSeasonChanges) {
    const struct {
        const char* cycle;
        int64_t eve, first, next;
    } cases[] = {
        {"monthly", At(2027, 1, 31, 23, 59), At(2027, 2, 1, 0, 0), At(2027, 2, 2, 0, 0)},
        {"Seasonal", At(2027, 6, 20, 23, 59), At(2027, 6, 21, 0, 0), At(2027, 6, 22, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cycle);
        CustomizationModule& module = Cycling(c.cycle);
        Date::FixClock(c.eve);
        application.currentDate = Date();
        CalendarWindow& window = OpenPainted();
        const PicturePtr before = window.backgroundImageScaled;
        Tick(window, c.first);
        EXPECT_EQ(module.backgroundImage->Width(), 202);
        EXPECT_NE(window.backgroundImageScaled, before) << "the new picture is on the window";
        EXPECT_GT(badgePaints, 0);
        module.PreEmptiveCycling = true;
        CustomizationModule::CycleImage();
        Tick(window, c.next);
        EXPECT_EQ(module.backgroundImage->Width(), 203);
        EXPECT_EQ(application.currentDate.TotalSeconds(), c.next);
        window.Close();
        DoEvents();
    }
}

// The clock wakes once a minute, as the minute starts, and its text is painted only when it
// changes.
TEST_F(ClockTest, TheClockTicksAsEachMinuteStartsAndRepaintsOnlyANewTime) {
    Date::FixClock(At(2026, 3, 10, 9, 5) + 20);
    application.currentDate = Date();
    CalendarWindow& window = OpenPainted();
    EXPECT_EQ(window.TimeTimer->Period(), 40000) << "set when the window is made";
    LayBadgeOnClock(window);
    const struct {
        int64_t moment;
        const char* text;
        int period;
        bool repainted;
    } ticks[] = {
        {At(2026, 3, 10, 9, 5) + 59, "9:05 AM", 1000, false},
        {At(2026, 3, 10, 9, 6), "9:06 AM", 60000, true},
        {At(2026, 3, 10, 9, 6) + 1, "9:06 AM", 59000, false},
        {At(2026, 3, 10, 23, 59) + 30, "11:59 PM", 30000, true},
    };
    for (const auto& tick : ticks) {
        SCOPED_TRACE(tick.text);
        badgePaints = 0;
        Tick(window, tick.moment);
        EXPECT_EQ(window.theTimeText->Text(), tick.text);
        EXPECT_EQ(window.TimeTimer->Period(), tick.period);
        EXPECT_EQ(badgePaints > 0, tick.repainted);
    }
}
