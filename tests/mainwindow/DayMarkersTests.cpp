// The year grid's markers of a day after the editor saves or deletes one of its events.
#include "mainwindow/WeekFaceFixture.h"

TEST_F(WeekFaceTest, SavingRebuildsTheDaysMarkersFromEveryEntryOfTheDay) {
    AddHoliday("2025-12-25", "Christmas");
    AddEntry("2025-12-25 00:00:01", "2025-12-25 00:00:01", "Note");
    AddEntry("2025-12-25 14:00:00", "2025-12-25 15:00:00", "Late");
    AddEntry("2025-12-25 16:00:00", "2025-12-25 15:00:00", "Backwards");
    AddEntry("2025-12-26 09:00:00", "2025-12-26 10:00:00", "Next day");
    CalendarWindow& window = Window();
    Save("2025-12-25 09:30:00", "2025-12-25 10:00:00", "Meeting");
    window.AddEvent(false);
    EXPECT_EQ(Tag(window, Date(2025, 12, 25)), "12/25/2025//Christmas|//Note|//Meeting|//Late|");
    EXPECT_EQ(Tag(window, Date(2025, 12, 26)), "12/26/2025//Next day|");
    // A day past the grid's years leaves the grid alone, quietly.
    Save("2030-05-05 09:00:00", "2030-05-05 09:30:00", "Far away");
    EXPECT_NO_THROW(window.AddEvent(false));
    EXPECT_NO_THROW(window.RemoveEvent("//Far away|"));
    EXPECT_TRUE(application.eventDict.HasKey("2030-05-05 09:00:00") && Messages().empty());
}

TEST_F(WeekFaceTest, DeletingRemovesOneWholeMarker) {
    CalendarWindow& window = Window();
    const GridCell cell = Cell(window, Date(2026, 3, 3));
    std::string& tag = window.Calendar->CellTag(cell.row, cell.column);
    const struct {
        const char *before, *marker, *after;
    } cases[] = {
        {"3/3/2026//Party|Special//Party|", "//Party|", "3/3/2026//Party|Special"},
        {"3/3/2026//Party|//Party|", "//Party|", "3/3/2026//Party|"},
        {"3/3/2026//A|//Party|Special", "//Party|Special", "3/3/2026//A|"},
        {"3/3/2026//Partying|", "//Party|", "3/3/2026//Partying|"},
    };
    Select("2026-03-03 09:00:00");
    for (const auto& c : cases) {
        tag = c.before;
        window.RemoveEvent(c.marker);
        EXPECT_EQ(tag, c.after) << c.before;
    }
}
