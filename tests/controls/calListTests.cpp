// The month grid, the week grid's tags from the store, and storing and deleting one event.
#include "mainwindow/WeekFaceFixture.h"

TEST_F(WeekFaceTest, AMonthGridStartsOnTheSundayOfItsFirstWeekAndMarksTheSelectedWeek) {
    const struct {
        const char* selected;
        int offset;
        const char* days; // row,column of day 1 and of the month's last day; the selected row
    } cases[] = {
        {"2026-02-11", 0, "2,0 5,6 3"},  // February 2026 starts on a Sunday
        {"2025-11-20", 0, "2,6 7,0 5"},  // a 30-day month starting on Saturday
        {"2026-01-31", 1, "2,0 5,6 -1"}, // the 31st still shows February next
        {"2026-12-31", 1, "2,5 7,0 -1"}, // December's next month is January
    };
    calList& list = *Window().MiniCalList[0];
    for (const auto& c : cases) {
        Select(std::string(c.selected) + " 10:00:00");
        list.loadMonth(c.offset);
        list.loadMonth(c.offset);
        ASSERT_EQ(list.ListCount(), 8);
        std::string first, last;
        for (int row = 2; row <= 7; ++row)
            for (int column = 0; column < 7; ++column) {
                const std::string text = list.Cell(row, column);
                const std::string at = std::to_string(row) + "," + std::to_string(column);
                if (text == " 1") first = at;
                if (!text.empty()) last = at;
            }
        EXPECT_EQ(first + " " + last + " " + std::to_string(list.ListIndex()), c.days);
        EXPECT_EQ(application.selectedDate.SQLDate(), c.selected);
    }
}

TEST_F(WeekFaceTest, TheWeekGridTagsEventsOnSlotsAndABadEntryLeavesTheRestOfTheWeekLoaded) {
    // The week of Tuesday 3 March 2026: Sunday 1 March is column 1.
    AddEntry("2026-03-01 08:00:00", "2026-03-01 08:30:00", "Half hour");
    AddEntry("2026-03-01 09:00:00", "2026-03-01 11:00:00", "Two hours");
    AddEntry("2026-03-01 10:00:00", "2026-03-01 11:00:00", "Inside"); // hidden
    AddEntry("2026-03-01 20:30:00", "2026-03-01 21:00:00", "Late");
    AddEntry("2026-03-02 00:00:01", "2026-03-02 00:00:01", "Note");
    AddEntry("2026-03-02 08:15:00", "2026-03-02 09:00:00", "Off slot");
    AddEntry("2026-03-02 09:00:00", "2026-03-02 09:00:00", "No length");
    AddEntry("2026-03-02 10:00:00", "garbage", "Broken");
    AddEntry("2026-03-02 11:00:00", "also garbage", "Broken too");
    AddEntry("2026-03-02 14:00:00", "2026-03-02 14:30:00", "After the bad ones");
    AddEntry("2026-03-03 20:00:00", "2026-03-03 22:00:00", "Into the bottom rows");
    AddEntry("2026-03-04 20:00:00", "2026-03-04 23:00:00", "Too long", "Special");
    AddEntry("2026-03-04 20:30:00", "2026-03-04 21:00:00", "After it");
    AddEntry("2026-03-05 09:00:00", "2026-03-05 10:00:00", "Thursday");
    AddEntry("2026-03-05 11:00:00", "2026-03-05 11:31:00", "Past a half hour");
    AddEntry("2026-03-05 12:00:00", "2026-03-05 12:59:00", "Short of an hour");
    AddEntry("2026-03-06 08:00:00", "2026-03-06 09:15:00", "Part of a half hour");
    AddEntry("2026-03-06 20:00:00", "2026-03-06 22:15:00", "Fits the bottom rows");
    AddEntry("2026-03-07 08:00:00", "2026-03-07 09:30:00", "Saturday");
    AddEntry("2026-03-08 08:00:00", "2026-03-08 09:00:00", "Next week");
    Window();
    EXPECT_EQ(Codes(1, 0, 1), "4-");
    EXPECT_EQ(Codes(1, 2, 6, "2026-03-01 09:00:00"), "1223-") << "the 10:00 event stays hidden";
    EXPECT_EQ(Codes(1, 25, 25), "4");
    EXPECT_EQ(Codes(2, 0, 27), std::string(12, '-') + "4" + std::string(15, '-'));
    EXPECT_EQ(Codes(3, 23, 27, "2026-03-03 20:00:00"), "-1223");
    EXPECT_EQ(Codes(4, 24, 25), "44") << "cut to half an hour";
    EXPECT_EQ(Codes(5, 2, 3) + Codes(7, 0, 3), "13123-");
    EXPECT_EQ(Codes(5, 6, 10), "1313-") << "under an hour, past a half: two cells";
    EXPECT_EQ(Codes(6, 0, 27), "13" + std::string(22, '-') + "1223") << "a quarter hour drops";
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "an error", "The event Too long has an invalid ending time - "
                                          "resetting. Please check this event's end time."}));
    EXPECT_EQ(application.eventDict.Value("2026-03-04 20:00:00"),
              "2026-03-04 20:30:00//Too long//Special");
    EXPECT_EQ(application.eventDict.Value("2026-03-06 20:00:00"),
              "2026-03-06 22:15:00//Fits the bottom rows");

    // Saving and deleting beside the broken entries retags their day without telling of them
    // again.
    Save("2026-03-02 15:00:00", "2026-03-02 16:00:00", "Beside the bad ones");
    Select("2026-03-02 14:00:00");
    Window().GlanceList->RemoveEvent();
    EXPECT_EQ(Codes(2, 12, 15), "--13");
    EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(WeekFaceTest, SavingRetagsTheDayAndRefusesOnlyAnEventWhoseOwnRowsDoNotFit) {
    const struct {
        const char* existing; // end of an entry already stored at 9:00, or ""
        const char* start;
        const char* end;
        const char* codes;   // rows 2 to 7 of Tuesday's column afterwards
        const char* refusal; // words of the message when it is not stored
    } cases[] = {
        {"", "09:00", "2026-03-03 10:30", "123---", ""},
        {"", "09:00", "2026-03-03 09:45", "13----", ""},
        {"2026-03-03 11:00", "09:00", "2026-03-03 09:30", "4-----", ""},
        // Left over from a file: far past the grid. Saving it shorter clears only real rows.
        {"2026-03-03 23:30", "09:00", "2026-03-03 09:30", "4-----", ""},
        {"", "20:00", "2026-03-03 22:00", "------", ""},
        {"", "09:00", "2026-03-04 09:30", "------", "different day than the end"},
        {"", "09:00", "2026-04-03 09:30", "------", "different day than the end"},
        {"", "21:00", "2026-03-03 21:30", "------", "ending time is out of bounds"},
        {"", "07:00", "2026-03-03 07:30", "------", "incorrect event time format"},
        {"", "20:00", "2026-03-03 22:30", "------", "incorrect event time format"},
        {"", "20:30", "2026-03-03 22:30", "------", "incorrect event time format"},
    };
    CalendarWindow& window = Window();
    for (const auto& c : cases) {
        const std::string start = std::string("2026-03-03 ") + c.start + ":00", end = c.end;
        application.eventDict.Clear();
        const auto old = [&] {
            if (*c.existing)
                AddEntry("2026-03-03 09:00:00", c.existing + std::string(":00"), "Old");
        };
        old();
        window.GlanceList->LoadEvents(*window.GlanceList);
        old(); // as the file had it, even when loading cut it short
        const size_t before = Messages().size();
        Save(start, end + ":00", "Meeting");
        EXPECT_EQ(Codes(3, 2, 7), c.codes) << start << " to " << end;
        const bool stored = !*c.refusal;
        EXPECT_EQ(application.eventDict.Lookup(start) == end + ":00//Meeting", stored) << end;
        ASSERT_EQ(Messages().size(), before + (stored ? 0 : 1)) << start << " to " << end;
        if (!stored) {
            EXPECT_NE(Messages().back().find(c.refusal), std::string::npos) << end;
        }
    }
}

TEST_F(WeekFaceTest, DeletingClearsTheEventsCellsAndADayNoteIsStoredWithoutCells) {
    AddEntry("2026-03-06 14:00:00", "2026-03-06 15:00:00", "Friday");
    AddEntry("2026-03-06 15:00:00", "2026-03-06 15:30:00", "After");
    calList& grid = *Window().GlanceList;
    Select("2026-03-06 14:00:00");
    grid.RemoveEvent();
    EXPECT_FALSE(application.eventDict.HasKey("2026-03-06 14:00:00"));
    EXPECT_EQ(Codes(6, 12, 14), "--4");

    Save("2026-03-06 00:00:01", "2026-03-06 00:00:01", "Birthday");
    EXPECT_EQ(application.eventDict.Value("2026-03-06 00:00:01"), "2026-03-06 00:00:01//Birthday");
    EXPECT_EQ(Codes(6, 0, 27), std::string(14, '-') + "4" + std::string(13, '-'));
    grid.RemoveEvent();
    EXPECT_EQ(application.eventDict.Count(), 1);
}
