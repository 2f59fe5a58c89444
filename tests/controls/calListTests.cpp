// The month grid, the week grid's tags from the store, and storing and deleting one event.
#include "mainwindow/WeekFaceFixture.h"

namespace {
struct MonthCase {
    const char* selected;
    int offset;
    const char* firstDay; // row,column of day 1
    const char* lastDay;  // row,column of the month's last day
    const char* days;     // the text of day 1 and day 9
    int selectedRow;
};
} // namespace

TEST_F(WeekFaceTest, AMonthGridStartsOnTheSundayOfItsFirstWeekAndMarksTheSelectedWeek) {
    const MonthCase cases[] = {
        {"2026-02-11", 0, "2,0", "5,6", " 1, 9", 3},  // February 2026 starts on a Sunday
        {"2025-11-20", 0, "2,6", "7,0", " 1, 9", 5},  // a 30-day month starting on Saturday
        {"2026-01-31", 1, "2,0", "5,6", " 1, 9", -1}, // the 31st still shows February next
        {"2026-12-31", 1, "2,5", "7,0", " 1, 9", -1}, // December's next month is January
    };
    CalendarWindow& window = Window();
    calList& list = *window.MiniCalList[0];
    for (const MonthCase& c : cases) {
        application.selectedDate.SetSQLDateTime(std::string(c.selected) + " 10:00:00");
        list.loadMonth(c.offset);
        list.loadMonth(c.offset);
        ASSERT_EQ(list.ListCount(), 8);
        std::string first, last, days;
        for (int row = 2; row <= 7; ++row)
            for (int column = 0; column < 7; ++column) {
                const std::string text = list.Cell(row, column);
                const std::string at = std::to_string(row) + "," + std::to_string(column);
                if (text == " 1") first = at;
                if (!text.empty()) last = at;
                if (text == " 1" || text == " 9") days += (days.empty() ? "" : ",") + text;
                Date day(2000, 1, 1);
                EXPECT_EQ(ParseDate(list.CellTag(row, column), day), !text.empty()) << at;
            }
        EXPECT_EQ(first, c.firstDay) << c.selected;
        EXPECT_EQ(last, c.lastDay) << c.selected;
        EXPECT_EQ(days, c.days) << c.selected;
        EXPECT_EQ(list.ListIndex(), c.selectedRow) << c.selected;
        EXPECT_EQ(list.Cell(1, 3), "W");
        EXPECT_EQ(application.selectedDate.SQLDateTime(), std::string(c.selected) + " 10:00:00");
    }
}

TEST_F(WeekFaceTest, TheWeekGridTagsEveryEventThatStartsOnASlot) {
    // The week of Tuesday 3 March 2026: Sunday 1 March is column 1.
    AddEntry("2026-03-01 08:00:00", "2026-03-01 08:30:00", "Half hour"); // column 1
    AddEntry("2026-03-01 09:00:00", "2026-03-01 11:00:00", "Two hours");
    AddEntry("2026-03-01 10:00:00", "2026-03-01 11:00:00", "Inside"); // hidden
    AddEntry("2026-03-01 20:30:00", "2026-03-01 21:00:00", "Late");
    AddEntry("2026-03-02 08:15:00", "2026-03-02 09:00:00", "Off slot"); // column 2
    AddEntry("2026-03-02 09:00:00", "2026-03-02 09:00:00", "No length");
    AddEntry("2026-03-02 00:00:01", "2026-03-02 00:00:01", "Note");
    AddEntry("2026-03-03 20:00:00", "2026-03-03 22:00:00", "Into the bottom rows"); // column 3
    AddEntry("2026-03-07 08:00:00", "2026-03-07 09:30:00", "Saturday");             // column 7
    AddEntry("2026-03-08 08:00:00", "2026-03-08 09:00:00", "Next week");
    CalendarWindow& window = Window();
    EXPECT_EQ(Codes(1, 0, 1), "4-");
    EXPECT_EQ(Codes(1, 2, 6, "2026-03-01 09:00:00"), "1223-") << "the 10:00 event stays hidden";
    EXPECT_EQ(Codes(1, 25, 25), "4");
    EXPECT_EQ(Codes(2, 0, 27), std::string(28, '-'));
    EXPECT_EQ(Codes(3, 23, 27, "2026-03-03 20:00:00"), "-1223");
    EXPECT_EQ(Codes(7, 0, 3), "123-");
    EXPECT_EQ(window.GlanceList->RowHeight(), window.GlanceList->Height() / 28);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(WeekFaceTest, ABadEntryIsHandledAndTheRestOfTheWeekStillLoads) {
    AddEntry("2026-03-01 20:00:00", "2026-03-01 23:00:00", "Too long", "Special");
    AddEntry("2026-03-01 20:30:00", "2026-03-01 21:00:00", "After it");
    AddEntry("2026-03-02 09:00:00", "garbage", "Broken");
    AddEntry("2026-03-02 10:00:00", "also garbage", "Broken too");
    AddEntry("2026-03-02 14:00:00", "2026-03-02 14:30:00", "Monday afternoon");
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Thursday");
    Window();
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "The event Too long has an invalid ending time - resetting. "
                              "Please check this event's end time.",
                              "an error"}));
    EXPECT_EQ(application.eventDict.Value("2026-03-01 20:00:00"),
              "2026-03-01 20:30:00//Too long//Special");
    EXPECT_EQ(Codes(1, 24, 25), "44");
    EXPECT_EQ(Codes(2, 12, 12), "4") << "the rest of the day after a bad entry is still shown";
    EXPECT_EQ(Codes(5, 2, 3), "13") << "and the rest of the week";
}

namespace {
struct SaveCase {
    const char* existing; // start|end of an entry already stored, or ""
    const char* start;
    const char* end;
    const char* codes; // rows 2 to 7 of Tuesday's column afterwards
    bool stored;
    const char* refusal = ""; // words of the message when it is not stored
};
} // namespace

TEST_F(WeekFaceTest, SavingRetagsTheDayAndRefusesWhatTheGridCannotHold) {
    const SaveCase cases[] = {
        {"", "2026-03-03 09:00:00", "2026-03-03 10:30:00", "123---", true},
        {"", "2026-03-03 09:00:00", "2026-03-03 09:30:00", "4-----", true},
        {"2026-03-03 11:00:00", "2026-03-03 09:00:00", "2026-03-03 09:30:00", "4-----", true},
        {"2026-03-03 09:30:00", "2026-03-03 09:00:00", "2026-03-03 11:00:00", "1223--", true},
        // Left over from a file: far past the grid. Saving it shorter clears only real rows.
        {"2026-03-03 23:30:00", "2026-03-03 09:00:00", "2026-03-03 09:30:00", "4-----", true},
        {"", "2026-03-03 09:00:00", "2026-03-04 09:30:00", "------", false, "different day"},
        {"", "2026-03-03 09:00:00", "2026-04-03 09:30:00", "------", false, "different day"},
        {"", "2026-03-03 21:00:00", "2026-03-03 21:30:00", "------", false, "out of bounds"},
        {"", "2026-03-03 07:00:00", "2026-03-03 07:30:00", "------", false, "incorrect event time"},
        {"", "2026-03-03 20:00:00", "2026-03-03 22:30:00", "------", false, "incorrect event time"},
    };
    CalendarWindow& window = Window();
    for (const SaveCase& c : cases) {
        application.eventDict.Clear();
        if (*c.existing) AddEntry("2026-03-03 09:00:00", c.existing, "Old", "Special");
        window.GlanceList->LoadEvents(*window.GlanceList);
        const size_t before = Messages().size();
        Select(c.start);
        Date end;
        end.SetSQLDateTime(c.end);
        window.GlanceList->AddEvent(end, "Meeting");
        EXPECT_EQ(Codes(3, 2, 7), c.codes) << c.start << " to " << c.end;
        EXPECT_EQ(application.eventDict.Lookup(c.start) == std::string(c.end) + "//Meeting",
                  c.stored)
            << c.start << " to " << c.end;
        ASSERT_EQ(Messages().size(), before + (c.stored ? 0 : 1)) << c.start << " to " << c.end;
        if (!c.stored) EXPECT_NE(Messages().back().find(c.refusal), std::string::npos) << c.end;
        if (!c.stored && *c.existing)
            EXPECT_EQ(WeekGrid::ValueField(application.eventDict.Value("2026-03-03 09:00:00"), 2),
                      "Old");
    }
}

TEST_F(WeekFaceTest, DeletingClearsTheEventsCellsAndADayNoteIsStoredWithoutCells) {
    AddEntry("2026-03-06 14:00:00", "2026-03-06 15:00:00", "Friday");
    AddEntry("2026-03-06 15:00:00", "2026-03-06 15:30:00", "After");
    CalendarWindow& window = Window();
    calList& grid = *window.GlanceList;
    Select("2026-03-06 14:00:00");
    grid.RemoveEvent();
    EXPECT_FALSE(application.eventDict.HasKey("2026-03-06 14:00:00"));
    EXPECT_EQ(Codes(6, 12, 14), "--4");
    grid.RemoveEvent(); // nothing left at that start
    EXPECT_EQ(application.eventDict.Count(), 1);

    Select("2026-03-06 00:00:01");
    Date note;
    note.SetSQLDateTime("2026-03-06 00:00:01");
    grid.AddEvent(note, "Birthday");
    EXPECT_EQ(application.eventDict.Value("2026-03-06 00:00:01"), "2026-03-06 00:00:01//Birthday");
    EXPECT_EQ(Codes(6, 0, 27), std::string(14, '-') + "4" + std::string(13, '-'));
    grid.RemoveEvent();
    EXPECT_FALSE(application.eventDict.HasKey("2026-03-06 00:00:01"));
}
