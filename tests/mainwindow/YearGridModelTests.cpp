// The year grid's model: geometry, the three years of month blocks, cell keys and day tags.
#include "mainwindow/YearGridFixture.h"

#include "platform/TestSeams.h"

#include <cstdio>
#include <map>

TEST_F(YearGridTest, EveryDayOfTheThreeYearsSitsAtItsKeyInItsMonthBlock) {
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(window.CalDateCell(Date(2010, 7, 4)), "40,17");
    EXPECT_EQ(window.CalDateCell(Date(2011, 1, 1)), "57,7");
    for (Date d(2009, 1, 1); d.Year() <= 2011; d.SetDay(d.Day() + 1))
        ASSERT_EQ(Tag(window, d), d.ShortDate()) << d.SQLDate();

    const TextGrid& cells = window.Calendar->CellTag;
    EXPECT_EQ((std::vector<std::string>{cells(1, 1), cells(2, 1), cells(2, 2), cells(73, 25)}),
              (std::vector<std::string>{"January", "S", "M", "December"}));
    EXPECT_EQ(cells(7, 9), "") << "February 2009 needs four week rows";
    EXPECT_EQ(cells(17, 26), "8/31/2009") << "August 2009 needs six";
    int filled = 0;
    for (int row = 0; row <= 81; ++row)
        for (int column = 0; column <= 32; ++column)
            filled += !cells(row, column).empty() && (row % 9 == 0 || row == 81 || column % 8 == 0);
    EXPECT_EQ(filled, 0) << "block rows +0 and +9, gap columns and row 81 stay empty";
}

// Day tags list their day's events in store order. The grid visits only the keys of its three
// years: the first and last second of them are marked, their neighbours outside are not.
TEST_F(YearGridTest, DayTagsListTheEventsOfTheirDayInStoreOrderWithinTheShownYears) {
    AddHoliday("2009-12-25", "Christmas");
    AddEntry("2009-12-25 18:00:00", "2009-12-25 20:00:00", "Dinner");
    AddEntry("2010-02-01 00:00:01", "2010-02-01 00:00:01", "Note");
    AddEntry("2010-03-01 00:00:00", "2010-03-01 00:00:00", "Trip", "Countdown");
    AddEntry("2010-04-01 09:00:00", "2010-04-01 10:00:00", "Fair", "Special");
    AddEntry("2010-05-01 09:00:00", "2010-05-01 08:00:00", "Backwards");
    AddEntry("2008-12-31 23:59:59", "2009-01-01 00:30:00", "Eve");
    AddEntry("2009-01-01 00:00:00", "2009-01-01 01:00:00", "First");
    AddEntry("2011-12-31 23:59:59", "2011-12-31 23:59:59", "Last");
    AddEntry("2012-01-01 00:00:00", "2012-01-01 01:00:00", "After");
    AddEntry("1999-05-05 10:00:00", "1999-05-05 11:00:00", "Long ago");
    AddEntry("2030-05-05 10:00:00", "2030-05-05 11:00:00", "Far ahead");
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(Tag(window, Date(2009, 12, 25)), "12/25/2009//Christmas|//Dinner|");
    EXPECT_EQ(Tag(window, Date(2010, 2, 1)), "2/1/2010//Note|");
    EXPECT_EQ(Tag(window, Date(2010, 3, 1)), "3/1/2010//Trip|Countdown");
    EXPECT_EQ(Tag(window, Date(2010, 4, 1)), "4/1/2010//Fair|Special");
    EXPECT_EQ(Tag(window, Date(2010, 5, 1)), "5/1/2010") << "ends before it starts";
    EXPECT_EQ(Tag(window, Date(2009, 1, 1)), "1/1/2009//First|");
    EXPECT_EQ(Tag(window, Date(2011, 12, 31)), "12/31/2011//Last|");
    int marked = 0;
    for (Date d(2009, 1, 1); d.Year() <= 2011; d.SetDay(d.Day() + 1))
        marked += Tag(window, d).find("//") != std::string::npos;
    EXPECT_EQ(marked, 6);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

// A busy day gathers every marker, in order; a marker holds the title and the kind alone.
TEST_F(YearGridTest, ADayOfManyEventsListsEveryMarkerWithOnlyItsTitleAndKind) {
    std::string busy = "7/7/2010";
    for (int i = 0; i < 600; ++i) {
        const std::string title = "Meeting " + std::to_string(i);
        const std::string kind = i % 150 == 75 ? "Special" : "";
        char start[20], end[20];
        std::snprintf(start, sizeof start, "2010-07-07 %02d:%02d:%02d", i / 60, i % 60, i % 7);
        std::snprintf(end, sizeof end, "2010-07-07 %02d:%02d:59", i / 60, i % 60);
        AddEntry(start, end, title, kind);
        busy += "//" + title + "|" + kind;
    }
    Dictionary& store = application.eventDict;
    store.Value("2010-08-08 09:00:00", "2010-08-08 10:00:00");
    store.Value("2010-08-08 09:30:00", "2010-08-08 10:00:00//Title only");
    store.Value("2010-08-08 10:00:00", "2010-08-08 11:00:00//Walk//Special//and more");
    store.Value("2010-08-08 11:00:00", "2010-08-08 12:00:00////Kind only");
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(Tag(window, Date(2010, 7, 7)), busy);
    EXPECT_EQ(Tag(window, Date(2010, 7, 8)), "7/8/2010");
    EXPECT_EQ(Tag(window, Date(2010, 8, 8)), "8/8/2010//|//Title only|//Walk|Special//|Kind only");
}

// A store of many events is marked in stretches side by side: every day still lists exactly
// its own events, and bad entries in different stretches are logged in order, told once.
TEST_F(YearGridTest, ManyEventsAreMarkedAsFewAreWithBadOnesToldOnce) {
    std::map<std::string, std::string> expected; // short date -> tag
    for (Date start(2008, 12, 31, 22, 0, 0); start.Year() <= 2012;
         start.SetMinute(start.Minute() + 61)) {
        Date end = start;
        end.SetMinute(end.Minute() + 30);
        const std::string title = "E" + std::to_string(start.TotalSeconds() % 100000);
        AddEntry(start.SQLDateTime(), end.SQLDateTime(), title);
        if (start.Year() >= 2009 && start.Year() <= 2011)
            expected[start.ShortDate()] += "//" + title + "|";
    }
    application.eventDict.Value("2010-03-15 garbage", "2010-03-15 10:00:00//Bad key");
    application.eventDict.Value("2011-07-04 99:00:00", "2011-07-04 10:00:00//Bad hour");
    testing::internal::CaptureStderr();
    CalendarWindow& window = CalendarWindow::Instance();
    const std::string log = testing::internal::GetCapturedStderr();
    for (Date d(2009, 1, 1); d.Year() <= 2011; d.SetDay(d.Day() + 1))
        ASSERT_EQ(Tag(window, d), d.ShortDate() + expected[d.ShortDate()]) << d.SQLDate();
    EXPECT_LT(log.find("2010-03-15 garbage"), log.find("2011-07-04 99:00:00")) << log;
    EXPECT_NE(log.find("2011-07-04 99:00:00"), std::string::npos) << log;
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(YearGridTest, BadEntriesAreSkippedTheRestMarkedAndTheProblemReportedOnce) {
    // The bad keys follow a good one of the same day, whose cell is already worked out.
    AddEntry("2009-03-02 09:00:00", "2009-03-02 10:00:00", "Good");
    AddEntry("2009-03-02 25:00:00", "2009-03-02 26:00:00", "Bad hour");
    AddEntry("2009-03-02 garbage", "2009-03-02 11:00:00", "Bad key");
    AddEntry("2009-03-03 10:00:00", "2009-03-03 11:00:00", "After");
    CalendarWindow& window = CalendarWindow::Instance();
    EXPECT_EQ(Tag(window, Date(2009, 3, 2)), "3/2/2009//Good|");
    EXPECT_EQ(Tag(window, Date(2009, 3, 3)), "3/3/2009//After|");
    EXPECT_EQ(Messages(),
              std::vector<std::string>{
                  "An error occurred while loading events - an incorrectly formatted event was "
                  "encountered and will be skipped."});
}

// Any first year the grid can show marks the events of its three years and no others: the
// store's keys pad years below 1000 to four digits and hold none past 9999.
class YearGridYearsTest : public YearGridTest, public testing::WithParamInterface<int> {
  protected:
    YearGridYearsTest() {
        Customization().calendarStartYear = GetParam();
        FixToday(Date(GetParam() + 1, 6, 15, 12, 0));
    }
    static std::string Key(int year, int month, int day, const char* time) {
        return Date(year, month, day).SQLDate() + " " + time;
    }
};

TEST_P(YearGridYearsTest, MarksTheEventsOfTheShownYearsAlone) {
    const int first = GetParam();
    const int last = std::min(first + 2, 9999);
    if (first > 1)
        AddEntry(Key(first - 1, 12, 31, "23:00:00"), Key(first - 1, 12, 31, "23:30:00"), "Before");
    AddEntry(Key(first, 1, 1, "00:00:00"), Key(first, 1, 1, "01:00:00"), "First");
    AddEntry(Key(first, 7, 4, "09:00:00"), Key(first, 7, 4, "10:00:00"), "Summer");
    AddEntry(Key(last, 12, 31, "23:59:59"), Key(last, 12, 31, "23:59:59"), "Last");
    if (first + 3 <= 9999)
        AddEntry(Key(first + 3, 1, 1, "00:00:00"), Key(first + 3, 1, 1, "01:00:00"), "After");
    AddEntry("9999-12-31 22:00:00", "9999-12-31 23:00:00", "End of days");
    CalendarWindow& window = CalendarWindow::Instance();

    EXPECT_EQ(Tag(window, Date(first, 1, 1)), Date(first, 1, 1).ShortDate() + "//First|");
    EXPECT_EQ(Tag(window, Date(first, 7, 4)), Date(first, 7, 4).ShortDate() + "//Summer|");
    const bool endShown = last == 9999;
    EXPECT_EQ(Tag(window, Date(last, 12, 31)),
              Date(last, 12, 31).ShortDate() + (endShown ? "//End of days|" : "") + "//Last|");
    int marked = 0;
    for (Date d(first, 1, 1); d.Year() <= first + 2; d.SetDay(d.Day() + 1))
        marked += Tag(window, d).find("//") != std::string::npos;
    EXPECT_EQ(marked, 3);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(FirstYear, YearGridYearsTest,
                         testing::Values(1, 999, 1000, 2026, 9997, 9999));
