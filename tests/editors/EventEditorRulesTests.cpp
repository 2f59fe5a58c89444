// The event editor's rules without its window: the end slider's reach, the labels, the row of an
// end in the week list and what Save and Delete take from their inputs.
#include "editors/EventEditorRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace EventEditor;

namespace {
struct RangeCase {
    const char* what;
    Date start, end;
    std::vector<const char*> storedStarts;
    int maximum, value;
};

Date On5May(int hour, int minute, int second = 0) {
    return Date(2026, 5, 5, hour, minute, second);
}
} // namespace

TEST(EventEditorRulesTest, TheEndReachesTheNextStoredStartOrNineInTheEvening) {
    const std::vector<RangeCase> cases{
        {"new at 8:00, empty day", On5May(8, 0), On5May(8, 30), {}, 26, 1},
        {"new at 20:30, empty day", On5May(20, 30), On5May(21, 0), {}, 1, 1},
        {"10:00-11:00 with the next at 12:00",
         On5May(10, 0),
         On5May(11, 0),
         {"2026-05-05 10:00:00", "2026-05-05 12:00:00", "2026-05-05 14:00:00"},
         4,
         2},
        {"new at 9:00 with the next at 9:30",
         On5May(9, 0),
         On5May(9, 30),
         {"2026-05-05 09:30:00"},
         1,
         1},
        {"ends where the next starts: shorten only",
         On5May(10, 0),
         On5May(11, 0),
         {"2026-05-05 10:00:00", "2026-05-05 11:00:00"},
         2,
         2},
        {"earlier events and the day's holiday do not count",
         On5May(15, 0),
         On5May(15, 30),
         {"2026-05-05 00:00:00", "2026-05-05 09:00:00"},
         12,
         1},
        {"another day's event does not count",
         On5May(15, 0),
         On5May(15, 30),
         {"2026-05-06 16:00:00"},
         12,
         1},
        {"existing day note", On5May(0, 0, 1), On5May(0, 0, 1), {"2026-05-05 00:00:01"}, 0, 0},
        {"new day note", On5May(0, 0, 1), On5May(0, 30, 1), {}, 42, 1},
    };
    for (const RangeCase& c : cases) {
        Dictionary store;
        for (const char* key : c.storedStarts)
            store.Value(key, "x//y");
        const EndRange range = SliderRange(store, c.start, c.end);
        EXPECT_EQ(range.maximum, c.maximum) << c.what;
        EXPECT_EQ(range.value, c.value) << c.what;
    }
}

TEST(EventEditorRulesTest, LabelsAndTheRowOfAnEnd) {
    EXPECT_EQ(DateLabel(On5May(8, 30), true), "5/5/2026 at 8:30 AM");
    EXPECT_EQ(DateLabel(On5May(20, 0), true), "5/5/2026 at 8:00 PM");
    EXPECT_EQ(DateLabel(On5May(8, 30), false), "5/5/2026");

    const std::vector<std::pair<Date, std::optional<int>>> rows{{On5May(8, 0), 0},
                                                                {On5May(8, 30), 1},
                                                                {On5May(20, 30), 25},
                                                                {On5May(21, 0, 1), 26},
                                                                {On5May(21, 30), 27},
                                                                {On5May(22, 0), std::nullopt},
                                                                {On5May(7, 30), std::nullopt},
                                                                {On5May(1, 0, 1), std::nullopt}};
    for (const auto& [end, row] : rows)
        EXPECT_EQ(SlotRow(end, 8, 28), row) << end.SQLDateTime();
}

TEST(EventEditorRulesTest, DayNotesStartOneSecondAfterMidnight) {
    EXPECT_TRUE(IsDayNoteStart(On5May(0, 0, 1)));
    EXPECT_FALSE(IsDayNoteStart(On5May(0, 0, 0))) << "a holiday's start";
    EXPECT_FALSE(IsDayNoteStart(On5May(8, 0, 1)));
    EXPECT_EQ(DayNoteStart(On5May(23, 30)).SQLDateTime(), "2026-05-05 00:00:01");
}

TEST(EventEditorRulesTest, TheStoredTitleAndTheDayMarker) {
    EXPECT_EQ(TitleToStore(""), "New Event");
    EXPECT_EQ(TitleToStore("\r\n"), "New Event") << "nothing left once cleaned";
    EXPECT_EQ(TitleToStore("   "), "   ") << "blanks are stored as typed";
    EXPECT_EQ(TitleToStore("Tea|with//Ann/"), "Tea with/Ann");

    EXPECT_EQ(DayMarker("2026-12-25 00:00:00//Christmas"), "//Christmas|");
    EXPECT_EQ(DayMarker("2026-05-05 11:00:00//Party//Special"), "//Party|Special");
}
