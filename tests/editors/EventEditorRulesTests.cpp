// The event editor's rules without its window: how far the end slider reaches, the week-list
// row an end falls on, and the title Save stores.
#include "editors/EventEditorRules.h"

#include <gtest/gtest.h>

#include <vector>

using namespace EventEditor;

namespace {
Date On5May(int hour, int minute, int second = 0) {
    return Date(2026, 5, 5, hour, minute, second);
}
} // namespace

TEST(EventEditorRulesTest, TheEndReachesTheNextStoredStartOrNineInTheEvening) {
    const struct {
        const char* what;
        Date start, end;
        std::vector<const char*> storedStarts; // on 5 May unless a day is given
        int maximum, value;
    } cases[] = {
        {"new at 8:00, empty day", On5May(8, 0), On5May(8, 30), {}, 26, 1},
        {"new at 20:30", On5May(20, 30), On5May(21, 0), {}, 1, 1},
        {"next at 12:00", On5May(10, 0), On5May(11, 0), {"10:00:00", "12:00:00", "14:00:00"}, 4, 2},
        {"new at 9:00, next at 9:30", On5May(9, 0), On5May(9, 30), {"09:30:00"}, 1, 1},
        {"next at its end", On5May(10, 0), On5May(11, 0), {"10:00:00", "11:00:00"}, 2, 2},
        {"earlier entries and other days do not count",
         On5May(15, 0),
         On5May(15, 30),
         {"00:00:00", "09:00:00", "2026-05-06 16:00:00"},
         12,
         1},
        {"existing day note", On5May(0, 0, 1), On5May(0, 0, 1), {"00:00:01"}, 0, 0},
        {"new day note", On5May(0, 0, 1), On5May(0, 30, 1), {}, 42, 1},
    };
    for (const auto& c : cases) {
        Dictionary store;
        for (const std::string key : c.storedStarts)
            store.Value(key.size() > 8 ? key : "2026-05-05 " + key, "x//y");
        const EndRange range = SliderRange(store, c.start, c.end);
        EXPECT_EQ((std::pair{range.maximum, range.value}), (std::pair{c.maximum, c.value}))
            << c.what;
    }
}

TEST(EventEditorRulesTest, AnEndFallsOnTheRowOfItsSlotOrOnNone) {
    const std::vector<std::pair<Date, std::optional<int>>> rows{
        {On5May(8, 0), 0},    {On5May(20, 30), 25},          {On5May(21, 0, 1), 26},
        {On5May(21, 30), 27}, {On5May(22, 0), std::nullopt}, {On5May(7, 30), std::nullopt}};
    for (const auto& [end, row] : rows)
        EXPECT_EQ(SlotRow(end, 8, 28), row) << end.SQLDateTime();
}

TEST(EventEditorRulesTest, AnEmptyTitleIsStoredAsNewEventBlanksAsTyped) {
    EXPECT_EQ(TitleToStore(""), "New Event");
    EXPECT_EQ(TitleToStore("\r\n"), "New Event") << "nothing left once cleaned";
    EXPECT_EQ(TitleToStore("   "), "   ");
}
