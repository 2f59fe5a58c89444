// Loading an event file of 100,000 and of 1,000,000 entries at start-up, writing one, and saving
// one as the calendar does.
#include "BenchMain.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "mainwindow/glance/OutsideChanges.h"
#include "support/TestEnvironment.h"

#include <optional>
#include <string>

static void LoadUserEvents(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TestEnvironment environment;
    std::string text = "0\tA to-do item\nEvents Data:\n";
    Date start(2020, 1, 1, 8, 0, 0);
    text.reserve(static_cast<size_t>(count) * 64);
    for (int i = 0; i < count; ++i) {
        Date end = start;
        end.SetMinute(end.Minute() + 30);
        text += start.SQLDateTime() + "|" + end.SQLDateTime() + "//Event number " +
                std::to_string(i) + "\n";
        start.SetMinute(start.Minute() + 45);
    }
    TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc", text);
    Customization().calendarStartYear = 2025;
    for (auto _ : state) {
        app application;
        application.LoadHolidays();
        application.LoadUserEvents();
        benchmark::DoNotOptimize(application.eventDict.Count());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(LoadUserEvents)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A store of count events of half an hour, 45 minutes apart.
static Dictionary ManyEvents(int count) {
    Dictionary store;
    Date start(2020, 1, 1, 8, 0, 0);
    for (int i = 0; i < count; ++i) {
        Date end = start;
        end.SetMinute(end.Minute() + 30);
        store.Value(start.SQLDateTime(), end.SQLDateTime() + "//Event number " + std::to_string(i));
        start.SetMinute(start.Minute() + 45);
    }
    return store;
}

// Making the file's text from the store and writing it whole (temporary file, flush, rename), as
// the worker thread does after a change and the window's close does when a write is due.
static void WriteEventFile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TestEnvironment environment;
    std::filesystem::create_directories(environment.Documents());
    const FolderItem item(environment.Documents() / "Calendar.tpc");
    const Dictionary store = ManyEvents(count);
    const std::vector<EventFileFormat::TodoItem> todo{{false, "A to-do item"}};
    for (auto _ : state)
        benchmark::DoNotOptimize(EventFileFormat::Write(item, todo, store));
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(WriteEventFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A save as the calendar makes it after a change: the looks for another program's version
// before the text is written and before the rename (none came), the write, and the measure of
// the file written, which the next save compares with.
static void SaveEventFile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TestEnvironment environment;
    std::filesystem::create_directories(environment.Documents());
    const FolderItem item(environment.Documents() / "Calendar.tpc");
    const Dictionary store = ManyEvents(count);
    const std::vector<EventFileFormat::TodoItem> todo{{false, "A to-do item"}};
    std::optional<FileVersion> known;
    const WriteWait wait(OutsideChanges::kLongestWait);
    for (auto _ : state) {
        const OutsideChanges::Written written =
            OutsideChanges::Write(item, known, todo, store.Entries(), {}, wait);
        if (!written.ok || !written.outsideCopies.empty()) state.SkipWithError("not saved alone");
        known = written.version;
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(SaveEventFile)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
