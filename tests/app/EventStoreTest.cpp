#include "AppTestSupport.h"

#include "platform/TestSeams.h"
#include "platform/Text.h"
#include "support/FileSizeLimit.h"

#include <filesystem>
#include <fstream>
#include <functional>

namespace {
class EventStoreTest : public AppTest {
  protected:
    // Holidays for 2025 to 2027, then the event file when there is one.
    void Load(const std::string* text) {
        if (text) TestEnvironment::WriteFile(EventFile(), *text);
        Customization().calendarStartYear = 2025;
        application->LoadHolidays();
        application->LoadUserEvents();
    }
    void Load(const std::string& text) { Load(&text); }
    size_t ProblemMessages() const {
        size_t count = 0;
        for (const auto& dialog : TestSeams::Dialogs())
            count += dialog.message == AppText::kEventDatabaseProblem;
        return count;
    }
};
} // namespace

TEST_F(EventStoreTest, AMixedFileLoadsGoodLinesOfAnyShapeAndEndingAndReportsBadOnesOnce) {
    testing::internal::CaptureStderr();
    Load("1\tBuy milk\n"
         "0\tEvents Data: in a to-do item\r\n"
         "Events Data:\r\n"
         "2025-03-01 10:00:00|2025-03-01 11:00:00//Dentist\n"
         "garbage|2025-03-01 11:00:00//Lost\n"
         "2025-12-25 00:00:00|2025-12-25 00:00:00//Family day\n"
         "2025-13-40 99:00:00|bad date\n"
         "2025-03-02 00:00:01|2025-03-02 00:00:01//Note\r\n"
         "2025-03-01 12:00:00|2025-03-01 13:00:00//A|more text\r"
         "2025-03-05 08:00:00\n"
         "2025-03-06 08:00:00|2025-03-06 08:30:00//First\r\n"
         "2025-03-06 08:00:00|2025-03-06 09:00:00//Second\n"
         "\n"
         "2025-03-07 08:00:00|2025-03-07 08:30:00//After a blank line\n");
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Count(), 24 + 6) << "24 holidays, one replaced, plus six new entries";
    EXPECT_EQ(store.Value("2025-03-01 12:00:00"), "2025-03-01 13:00:00//A");
    EXPECT_EQ(store.Value("2025-03-05 08:00:00"), "");
    EXPECT_EQ(store.Value("2025-03-06 08:00:00"), "2025-03-06 09:00:00//Second");
    EXPECT_EQ(store.Value("2025-03-01 10:00:00"), "2025-03-01 11:00:00//Dentist");
    EXPECT_EQ(store.Value("2025-12-25 00:00:00"), "2025-12-25 00:00:00//Family day");
    EXPECT_EQ(store.Value("2025-03-02 00:00:01"), "2025-03-02 00:00:01//Note");
    EXPECT_EQ(ProblemMessages(), 1u);
    // The log names each skipped line and the file.
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountFields(log, "Calendar.tpc\n"), 3) << log;
    EXPECT_NE(log.find("garbage"), std::string::npos) << log;
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

// A file of many megabytes is checked in pieces on several threads: what it loads, refuses and
// counts down to is what reading it line by line gives, in the file's order.
TEST_F(EventStoreTest, ALargeFileLoadsAsItsLinesReadInOrderDo) {
    testing::internal::CaptureStderr();
    std::string text = "Events Data:\n";
    const int count = 200000; // about 11 MB
    for (int i = 0; i < count; ++i) {
        const Date start(2030, 1, 1, 0, i, 0);
        // The same start early and late in the file: the later line wins.
        const std::string key = i % 50000 == 7 ? "2025-03-06 08:00:00" : start.SQLDateTime();
        text += key + "|" + start.SQLDateTime() + "//Event " + std::to_string(i);
        if (i % 60000 == 11) text += "//Countdown";
        // Lines end in every way a line can, and blank lines come between some.
        text += i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r";
        if (i % 1000 == 999) text += "\n\r\n\r";
        if (i % 70000 == 5) text += "not a date " + std::to_string(i) + "\n";
    }
    Load(text);
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Count(), 24 + count - 3) << "four lines share one start";
    EXPECT_EQ(store.Value("2025-03-06 08:00:00"), "2030-04-15 04:07:00//Event 150007");
    EXPECT_EQ(application->countdownDate.SQLDateTime(), "2030-05-06 00:11:00");
    EXPECT_EQ(ProblemMessages(), 1u);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(CountFields(log, "Calendar.tpc\n"), 4) << log;
    EXPECT_LT(log.find("not a date 70005"), log.find("not a date 140005")) << log;
}

// A file whose keys rise in each half but fall where the halves meet, cut there into the two
// pieces that a file of this size is read in (the first line end at or after its middle): the
// store still lists every start once, in order, and of a start held twice the later line wins.
TEST_F(EventStoreTest, KeysThatFallWhereTwoPiecesOfTheFileMeetAreSorted) {
    const int half = 55000; // about 6 MB in all
    const auto line = [](int year, int minute, const std::string& title) {
        const std::string start = Date(year, 1, 1, 0, minute, 0).SQLDateTime();
        return start + "|" + start + "//" + title + "\n";
    };
    const auto title = [](const char* name, int i) { return name + std::to_string(100000 + i); };
    // The first start comes again in the second half.
    std::string early, late = line(2030, 9, "Moved from here");
    for (int i = 0; i < half; ++i) {
        late += line(2031, i, title("Later ", i));
        if (i < half - 1) early += line(2030, i, title("Early ", i));
    }
    // The last line is drawn out until the first half is two bytes longer than the second.
    const std::string last = title("Early ", half - 1);
    const size_t room = late.size() - 2 - early.size() - line(2030, half - 1, last).size();
    early += line(2030, half - 1, last + std::string(room, '!'));
    ASSERT_EQ((late.size() + early.size()) / 2, late.size() - 1);
    Load("Events Data:\n" + late + early);
    const Dictionary& store = application->eventDict;
    EXPECT_EQ(store.Count(), 24 + 2 * half);
    EXPECT_EQ(std::ranges::adjacent_find(
                  store.Entries(), [](const auto& a, const auto& b) { return a.first >= b.first; }),
              store.Entries().end());
    EXPECT_EQ(store.Lookup("2030-01-01 00:09:00"), "2030-01-01 00:09:00//Early 100009");
}

// Markers as editors and older files leave them: every event still loads. A to-do item that
// only mentions the marker starts nothing, and a file without events is no problem.
TEST_F(EventStoreTest, OnlyTheMarkerLineStartsTheEventsWhateverSurroundsIt) {
    const struct {
        const char* name;
        std::string head;   // before the first event
        std::string middle; // between the two events
        bool loads;
        size_t problems;
        size_t todos; // the to-do reader stops where the events start
        bool firstTicked = false;
    } cases[] = {
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "Events Data:\n",
         "", true, 0, 0},
        {"byte-order mark before a ticked item",
         "\xEF\xBB\xBF"
         "1\tdone\nEvents Data:\n",
         "", true, 0, 1, true},
        {"blanks after the marker", "0\ttodo\nEvents Data: \t\n", "", true, 0, 1},
        {"blanks before the marker", "  Events Data:\n", "", true, 0, 0},
        {"the marker in capitals", "0\ttodo\nEVENTS DATA:\n", "", true, 0, 1},
        {"words after the marker", "Events Data: old\n", "", false, 0, 3},
        {"a second marker", "Events Data:\n", "Events Data:\n", true, 1, 0},
        {"a to-do mentioning it", "0\tremember: Events Data: goes here\n", "", false, 0, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestSeams::Enable();
        application->eventDict = Dictionary();
        Load(c.head + "2025-03-01 10:00:00|2025-03-01 11:00:00//A\n" + c.middle +
             "2025-03-02 10:00:00|2025-03-02 11:00:00//B\n");
        EXPECT_EQ(application->eventDict.Lookup("2025-03-01 10:00:00"),
                  c.loads ? "2025-03-01 11:00:00//A" : "");
        EXPECT_EQ(application->eventDict.Lookup("2025-03-02 10:00:00"),
                  c.loads ? "2025-03-02 11:00:00//B" : "");
        EXPECT_EQ(ProblemMessages(), c.problems);
        const auto& todos = application->eventFileTodoItems;
        ASSERT_EQ(todos.size(), c.todos);
        if (!todos.empty()) {
            EXPECT_EQ(todos[0].done, c.firstTicked);
        }
    }
}

// The moving holidays at both ends of the days they can fall on.
TEST_F(EventStoreTest, WithoutAFileTheStoreHoldsEightHolidaysAYear) {
    Load(nullptr);
    EXPECT_EQ(application->eventDict.Count(), 24);
    EXPECT_TRUE(TestSeams::Dialogs().empty());
    for (const std::string day : {"2025-11-27", "2027-11-25", "2025-02-17", "2027-02-15",
                                  "2025-05-26", "2027-05-31", "2025-09-01", "2026-09-07"})
        EXPECT_TRUE(application->eventDict.HasKey(day + " 00:00:00")) << day;
}

// A skipped line is told once: it moves to a file of its own beside the event file, which keeps
// what earlier starts put there, and the event file loses only those lines. Where either file
// cannot be written whole, the lines stay where they were and every save puts them back.
TEST_F(EventStoreTest, SkippedLinesAreToldOnceAndMovedToAFileOfTheirOwn) {
    namespace fs = std::filesystem;
    const std::string head = "0\tTodo\r\nA to-do line without a tab\nEvents Data:\r\n"
                             "2025-03-01 10:00:00|2025-03-01 11:00:00//A|more text\r\n";
    const std::string middle = "\n2025-03-02 10:00:00|2025-03-02 11:00:00//B\r";
    const std::string text = head + "garbage|x\r\nEvents Data:\n" + middle + "3/5/2026|no date";
    const std::vector<std::string> skipped = {"garbage|x", "Events Data:", "3/5/2026|no date"};
    const fs::path kept = environment.Documents() / "Calendar.tpc.skipped";
    const struct {
        const char* name;
        std::function<void()> make;
        bool moved;
        rlim_t fullDiskAt = RLIM_INFINITY; // the size no file can grow past
    } cases[] = {
        {"beside lines kept before", [&] { TestEnvironment::WriteFile(kept, "older|line"); }, true},
        {"beside a private event file, their file readable by all",
         [&] {
             TestEnvironment::WriteFile(kept, "older|line");
             fs::permissions(kept, fs::perms::all, fs::perm_options::add);
             fs::permissions(EventFile(), fs::perms::owner_read | fs::perms::owner_write);
         },
         true},
        {"no room left for their file",
         [&] { TestEnvironment::WriteFile(kept, std::string(8192, 'o')); }, false, 8192},
        {"a folder in their file's place", [&] { fs::create_directories(kept); }, false},
        {"their file read-only",
         [&] {
             TestEnvironment::WriteFile(kept, "older|line");
             fs::permissions(kept, fs::perms::owner_read);
         },
         false},
        {"the event file read-only", [&] { fs::permissions(EventFile(), fs::perms::owner_read); },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestSeams::Enable();
        fs::remove_all(kept);
        fs::remove(EventFile());
        TestEnvironment::WriteFile(EventFile(), text);
        c.make();
        const std::string keptBefore =
            fs::is_regular_file(kept) ? TestEnvironment::ReadFile(kept) : "";
        application = std::make_unique<app>();
        testing::internal::CaptureStderr();
        const FileSizeLimit fullDisk(c.fullDiskAt);
        Load(nullptr);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(application->eventDict.Value("2025-03-02 10:00:00"), "2025-03-02 11:00:00//B");
        ASSERT_EQ(ProblemMessages(), 1u);
        const std::string explanation = TestSeams::Dialogs()[0].explanation;
        if (!c.moved) {
            EXPECT_EQ(TestEnvironment::ReadFile(EventFile()), text);
            EXPECT_EQ(fs::is_regular_file(kept) ? TestEnvironment::ReadFile(kept) : "", keptBefore);
            ASSERT_TRUE(application->skippedEventLines);
            EXPECT_EQ(*application->skippedEventLines, skipped);
            EXPECT_EQ(explanation, "");
            EXPECT_NE(log.find("stay in the event file"), std::string::npos) << log;
            continue;
        }
        EXPECT_EQ(TestEnvironment::ReadFile(EventFile()), head + middle);
        EXPECT_EQ(TestEnvironment::ReadFile(kept),
                  "older|line\ngarbage|x\nEvents Data:\n3/5/2026|no date\n");
        EXPECT_EQ(fs::status(kept).permissions() & ~fs::status(EventFile()).permissions(),
                  fs::perms::none);
        EXPECT_FALSE(application->skippedEventLines) << "nothing to write back";
        EXPECT_NE(explanation.find("Calendar.tpc.skipped"), std::string::npos) << explanation;
        EXPECT_NE(log.find(": " + kept.string() + "\n"), std::string::npos) << log;
        // The next start finds a clean file, and the lines are not added again.
        application = std::make_unique<app>();
        Load(nullptr);
        EXPECT_EQ(ProblemMessages(), 1u);
        EXPECT_EQ(TestEnvironment::ReadFile(EventFile()), head + middle);
        EXPECT_EQ(CountFields(TestEnvironment::ReadFile(kept), "garbage"), 2);
    }
}

// A move of the skipped lines stopped between the two files (a full disk, another program's
// change) leaves them in the event file, perhaps in their own file already; the next start leaves
// each once in their file (a line that stood twice, twice) and none in the event file. A change
// another program made after the file was read is never written over.
TEST_F(EventStoreTest, SkippedLinesEndUpOnceInTheirFileWhateverStoppedAMove) {
    namespace fs = std::filesystem;
    const std::string rest = "0\t" + std::string(8000, 'x') + "\nEvents Data:\n";
    const std::string skipped = "garbage|x\na note\ngarbage|x\n";
    const std::string theirs = "2025-03-02 10:00:00|2025-03-02 11:00:00//Theirs\n";
    const fs::path kept = environment.Documents() / "Calendar.tpc.skipped";
    const auto addTheirs = [&] { std::ofstream(EventFile(), std::ios::app) << theirs; };
    const struct {
        const char* name;
        std::function<void()> firstStart;
        std::string added, keptFirst, told, toldNext;
    } cases[] = {
        {"the event file cannot be rewritten (a full disk), three starts",
         [&] {
             const FileSizeLimit fullDisk(4096);
             for (int start = 0; start < 3; ++start, application = std::make_unique<app>())
                 Load(nullptr);
         },
         "", skipped, "could not be moved", "had already put them in"},
        {"another program changes the event file after it is read",
         [&] {
             application->userEventsReading = StartReadingEventFile(false);
             application->userEventsReading.wait();
             addTheirs();
             Load(nullptr);
         },
         theirs, "", "which another program changed", "moved to a file of their own"},
        {"another program changes the event file while the lines move",
         [&] {
             TestSeams::AtNextWriteMoment(TestSeams::WriteMoment::BeforeTheLateLook, addTheirs);
             Load(nullptr);
         },
         theirs, skipped, "which another program changed", "had already put them in"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(environment.Documents());
        TestEnvironment::WriteFile(EventFile(), rest + skipped);
        for (const bool first : {true, false}) {
            application = std::make_unique<app>();
            testing::internal::CaptureStderr();
            first ? c.firstStart() : Load(nullptr);
            const std::string log = testing::internal::GetCapturedStderr();
            EXPECT_NE(log.find(first ? c.told : c.toldNext), std::string::npos) << log;
            EXPECT_TRUE(TestEnvironment::ReadFile(EventFile()) ==
                        (first ? rest + skipped : rest) + c.added);
            EXPECT_EQ(fs::exists(kept) ? TestEnvironment::ReadFile(kept) : "",
                      first ? c.keptFirst : skipped);
        }
    }
}
