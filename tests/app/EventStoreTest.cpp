#include "AppTestSupport.h"

#include "platform/TestSeams.h"
#include "platform/Text.h"

namespace {
const char* kProblem = "A problem with the event database was encountered. If events are missing "
                       "from the calendar, replace the Calendar.tpc file in your Documents folder "
                       "from your backup.";

class EventStoreTest : public AppTest {
  protected:
    // Holidays for 2025 to 2027, then the event file when there is one.
    void Load(const char* text) {
        if (text) TestEnvironment::WriteFile(EventFile(), text);
        Customization().calendarStartYear = 2025;
        application->LoadHolidays();
        application->LoadUserEvents();
    }
    size_t ProblemMessages() const {
        size_t count = 0;
        for (const auto& dialog : TestSeams::Dialogs())
            count += dialog.message == kProblem;
        return count;
    }
};
} // namespace

TEST_F(EventStoreTest, AMixedFileLoadsGoodLinesAndReportsBadOnesOnce) {
    testing::internal::CaptureStderr();
    Load("1\tBuy milk\n"
         "0\tEvents Data: in a to-do item\n"
         "Events Data:\n"
         "2025-03-01 10:00:00|2025-03-01 11:00:00//Dentist\n"
         "garbage|2025-03-01 11:00:00//Lost\n"
         "2025-12-25 00:00:00|2025-12-25 00:00:00//Family day\n"
         "2026-05-10 00:00:00|2026-05-10 00:00:00//Trip//Countdown\n"
         "2025-13-40 99:00:00|bad date\n"
         "2025-03-02 00:00:01|2025-03-02 00:00:01//Note\n");
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Count(), 24 + 3) << "24 holidays, one replaced, plus three new entries";
    EXPECT_EQ(store.Value("2025-03-01 10:00:00"), "2025-03-01 11:00:00//Dentist");
    EXPECT_EQ(store.Value("2025-12-25 00:00:00"), "2025-12-25 00:00:00//Family day");
    EXPECT_EQ(store.Value("2025-03-02 00:00:01"), "2025-03-02 00:00:01//Note");
    EXPECT_EQ(application->countdownDate.SQLDateTime(), "2026-05-10 00:00:00");
    EXPECT_EQ(ProblemMessages(), 1u);
    // The log names each skipped line and the file.
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountFields(log, "Calendar.tpc\n"), 3) << log;
    EXPECT_NE(log.find("garbage"), std::string::npos) << log;
}

TEST_F(EventStoreTest, OnlyTheMarkerLineItselfStartsTheEvents) {
    Load("0\tremember: Events Data: goes here\n"
         "2025-04-01 09:00:00|2025-04-01 09:30:00//Hidden\n");
    EXPECT_FALSE(application->eventDict.HasKey("2025-04-01 09:00:00"));
    EXPECT_EQ(application->eventDict.Count(), 24);
    EXPECT_EQ(ProblemMessages(), 0u) << "a file without events is not a problem";
}

// Of several countdown lines (an older file), the last one read is the countdown.
TEST_F(EventStoreTest, TheLastCountdownLineWinsAndATitleMentioningItDoesNotCount) {
    application->countdownDate = Date(2024, 1, 1);
    Load("Events Data:\n"
         "2025-06-01 00:00:00|2025-06-01 00:00:00//Earlier//Countdown\n"
         "2025-06-02 00:00:00|2025-06-02 00:00:00//Launch//countdown\n"
         "2025-06-03 10:00:00|2025-06-03 10:30:00//Countdown party planning\n"
         "2025-06-04 00:00:00|2025-06-04 00:00:00//Big Countdown Day//Special\n");
    EXPECT_EQ(application->countdownDate.SQLDateTime(), "2025-06-02 00:00:00");
}

TEST_F(EventStoreTest, LineShapesAndEndings) {
    Load("0\ttodo\r\nEvents Data:\r\n"
         "2025-03-01 10:00:00|2025-03-01 11:00:00//A|more text\r"
         "2025-03-05 08:00:00\n"
         "2025-03-06 08:00:00|2025-03-06 08:30:00//First\r\n"
         "2025-03-06 08:00:00|2025-03-06 09:00:00//Second\n"
         "\n"
         "2025-03-07 08:00:00|2025-03-07 08:30:00//After a blank line\n");
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Value("2025-03-01 10:00:00"), "2025-03-01 11:00:00//A");
    EXPECT_EQ(store.Value("2025-03-05 08:00:00"), "");
    EXPECT_EQ(store.Value("2025-03-06 08:00:00"), "2025-03-06 09:00:00//Second");
    EXPECT_TRUE(store.HasKey("2025-03-07 08:00:00"));
    EXPECT_EQ(ProblemMessages(), 0u);
}

// Markers as editors and older files leave them: every event still loads.
TEST_F(EventStoreTest, EveryEventLoadsWhateverSurroundsTheMarker) {
    const struct {
        const char* name;
        std::string head;   // before the first event
        std::string middle; // between the two events
        size_t problems;
    } cases[] = {
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "Events Data:\n",
         "", 0},
        {"blanks after the marker", "0\ttodo\nEvents Data: \t\n", "", 0},
        {"blanks before the marker", "  Events Data:\n", "", 0},
        {"a second marker", "Events Data:\n", "Events Data:\n", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestSeams::Enable();
        application->eventDict = Dictionary();
        Load((c.head + "2025-03-01 10:00:00|2025-03-01 11:00:00//A\n" + c.middle +
              "2025-03-02 10:00:00|2025-03-02 11:00:00//B\n")
                 .c_str());
        EXPECT_EQ(application->eventDict.Value("2025-03-01 10:00:00"), "2025-03-01 11:00:00//A");
        EXPECT_EQ(application->eventDict.Value("2025-03-02 10:00:00"), "2025-03-02 11:00:00//B");
        EXPECT_EQ(ProblemMessages(), c.problems);
    }
}

// The moving holidays at both ends of the days they can fall on.
TEST_F(EventStoreTest, WithoutAFileTheStoreHoldsEightHolidaysAYear) {
    Load(nullptr);
    EXPECT_EQ(application->eventDict.Count(), 24);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
    const std::pair<std::string, std::string> holidays[] = {
        {"2026-01-01", "New Years"},        {"2027-07-04", "Independence Day"},
        {"2026-11-11", "Veterans Day"},     {"2025-12-25", "Christmas"},
        {"2025-11-27", "Thanksgiving"},     {"2027-11-25", "Thanksgiving"},
        {"2025-02-17", "Washington's Day"}, {"2027-02-15", "Washington's Day"},
        {"2025-05-26", "Memorial Day"},     {"2027-05-31", "Memorial Day"},
        {"2025-09-01", "Labor Day"},        {"2026-09-07", "Labor Day"}};
    for (const auto& [day, name] : holidays)
        EXPECT_EQ(application->eventDict.Lookup(day + " 00:00:00"), day + " 00:00:00//" + name);
}
