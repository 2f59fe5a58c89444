#include "AppTestSupport.h"

#include "platform/TestSeams.h"

namespace {
const char* kProblem = "A problem with the event database was encountered. If events are missing "
                       "from the calendar, replace the Calendar.tpc file in your Documents folder "
                       "from your backup.";

class EventStoreTest : public AppTest {
  protected:
    void Load(const std::string& text) {
        TestEnvironment::WriteFile(EventFile(), text);
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
}

TEST_F(EventStoreTest, OnlyTheMarkerLineItselfStartsTheEvents) {
    Load("0\tremember: Events Data: goes here\n"
         "2025-04-01 09:00:00|2025-04-01 09:30:00//Hidden\n");
    EXPECT_FALSE(application->eventDict.HasKey("2025-04-01 09:00:00"));
    EXPECT_EQ(application->eventDict.Count(), 24);
    EXPECT_EQ(ProblemMessages(), 0u) << "a file without events is not a problem";
}

TEST_F(EventStoreTest, ATitleMentioningCountdownIsNotTheCountdown) {
    application->countdownDate = Date(2024, 1, 1);
    Load("Events Data:\n"
         "2025-06-01 10:00:00|2025-06-01 10:30:00//Countdown party planning\n"
         "2025-06-02 00:00:00|2025-06-02 00:00:00//Launch//countdown\n"
         "2025-06-03 00:00:00|2025-06-03 00:00:00//Big Countdown Day//Special\n");
    EXPECT_EQ(application->countdownDate.SQLDateTime(), "2025-06-02 00:00:00");
}

TEST_F(EventStoreTest, LineShapes) {
    Load("Events Data:\n"
         "2025-03-01 10:00:00|2025-03-01 11:00:00//A|more text\n"
         "2025-03-05 08:00:00\n"
         "2025-03-06 08:00:00|2025-03-06 08:30:00//First\n"
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

TEST_F(EventStoreTest, WindowsAndOldMacLineEndingsLoadAlike) {
    Load("0\ttodo\r\nEvents Data:\r\n2025-03-01 10:00:00|2025-03-01 11:00:00//A\r"
         "2025-03-02 10:00:00|2025-03-02 11:00:00//B\r\n");
    EXPECT_EQ(application->eventDict.Value("2025-03-01 10:00:00"), "2025-03-01 11:00:00//A");
    EXPECT_EQ(application->eventDict.Value("2025-03-02 10:00:00"), "2025-03-02 11:00:00//B");
}

TEST_F(EventStoreTest, ASecondMarkerEndsTheEventsAsAProblem) {
    Load("Events Data:\n2025-03-01 10:00:00|2025-03-01 11:00:00//A\nEvents Data:\n"
         "2025-03-02 10:00:00|2025-03-02 11:00:00//B\n");
    EXPECT_TRUE(application->eventDict.HasKey("2025-03-01 10:00:00"));
    EXPECT_FALSE(application->eventDict.HasKey("2025-03-02 10:00:00"));
    EXPECT_EQ(ProblemMessages(), 1u);
}

TEST_F(EventStoreTest, NoFileLeavesTheHolidays) {
    Customization().calendarStartYear = 2025;
    application->LoadHolidays();
    application->LoadUserEvents();
    EXPECT_EQ(application->eventDict.Count(), 24);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
}

TEST(Holidays, EightPerYearOnTheirDays) {
    TestEnvironment environment;
    Customization() = CustomizationModule{};
    Customization().calendarStartYear = 2025;
    app application;
    application.LoadHolidays();
    const Dictionary& store = application.eventDict;
    EXPECT_EQ(store.Count(), 24);
    const auto holiday = [&](const std::string& date) {
        const std::string value = store.Lookup(date + " 00:00:00");
        return value.size() > 21 ? value.substr(21) : "missing " + date;
    };
    for (const char* date : {"2025-11-27", "2026-11-26", "2027-11-25"})
        EXPECT_EQ(holiday(date), "Thanksgiving");
    for (const char* date : {"2025-02-17", "2026-02-16", "2027-02-15"})
        EXPECT_EQ(holiday(date), "Washington's Day");
    for (const char* date : {"2025-05-26", "2026-05-25", "2027-05-31"})
        EXPECT_EQ(holiday(date), "Memorial Day");
    for (const char* date : {"2025-09-01", "2026-09-07", "2027-09-06"})
        EXPECT_EQ(holiday(date), "Labor Day");
    EXPECT_EQ(store.Value("2026-01-01 00:00:00"), "2026-01-01 00:00:00//New Years");
    EXPECT_EQ(store.Value("2027-07-04 00:00:00"), "2027-07-04 00:00:00//Independence Day");
    EXPECT_EQ(holiday("2026-11-11"), "Veterans Day");
    EXPECT_EQ(holiday("2025-12-25"), "Christmas");

    // Thanksgiving at both ends of its week.
    Customization().calendarStartYear = 2024;
    app other;
    other.LoadHolidays();
    EXPECT_EQ(other.eventDict.Value("2024-11-28 00:00:00"), "2024-11-28 00:00:00//Thanksgiving");
    Customization().calendarStartYear = 2029;
    app later;
    later.LoadHolidays();
    EXPECT_EQ(later.eventDict.Value("2029-11-22 00:00:00"), "2029-11-22 00:00:00//Thanksgiving");
}
