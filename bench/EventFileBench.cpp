// Loading an event file of 100,000 and of 1,000,000 entries at start-up, writing one, saving
// one as the calendar does, and quitting with 200,000 loaded.
#include "BenchMain.h"

#include "app/App.h"
#include "app/Menu.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "mainwindow/eventfile/OutsideChanges.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "platform/TestSeams.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

// An event file of count events of half an hour, 45 minutes apart, and one to-do item.
static std::string ManyEventsText(int count) {
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
    return text;
}

static void LoadUserEvents(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    TestEnvironment environment;
    const std::string text = ManyEventsText(count);
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

// A quit (Ctrl+Q, SIGTERM) with the event file of 200,000 events loaded and its main window
// open: with nothing pending; with a change to write; and with a change whose save is put off
// because another program appends to the file every 50 ms, where what is unsaved goes to a
// rescue file first and the quit then waits for the file. Counters: the whole quit (ms) and, for
// the put-off save, when the rescue file was there (ms after the quit began).
enum class AtTheQuit { NothingPending, AChange, APutOffSave };

static void QuitWith(benchmark::State& state, AtTheQuit pending) {
    namespace fs = std::filesystem;
    TestEnvironment environment;
    TestSeams::Enable(); // the message of a put-off save is answered
    SetScreenForTesting(ScreenInfo{0, 0, 1440, 900, 0, 24, 1440, 876});
    const fs::path file = environment.Documents() / "Calendar.tpc";
    const std::string text = ManyEventsText(200000);
    double rescuedMs = 0;
    for (auto _ : state) {
        TestEnvironment::WriteFile(file, text);
        for (const auto& entry : fs::directory_iterator(environment.Config()))
            fs::remove(entry.path());
        auto application = std::make_unique<app>();
        application->SetMenuBar(&Menu::Instance());
        application->LoadHolidays();
        application->LoadUserEvents();
        CalendarWindow& window = CalendarWindow::Instance();
        std::atomic<bool> stop = false;
        std::thread appender;
        // A change the quit writes; a put-off save's began in the background.
        if (pending == AtTheQuit::AChange)
            application->eventDict.Value("2026-03-05 09:00:00", "2026-03-05 10:00:00//Added");
        if (pending == AtTheQuit::APutOffSave) {
            window.TodoList->AddRow();
            window.TodoList_Change();
            appender = std::thread([&] {
                for (int line = 0; !stop; ++line) {
                    std::ofstream(file, std::ios::app)
                        << "2030-06-01 12:00:00|2030-06-01 12:30:00//Appended " << line << "\n";
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                }
            });
            // The write after the change waits for the file to settle when the quit comes.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
        const auto start = std::chrono::steady_clock::now();
        std::atomic<int64_t> rescuedAt = -1;
        std::thread watch([&] {
            while (!stop && rescuedAt < 0) {
                for (const auto& entry : fs::directory_iterator(environment.Config()))
                    if (entry.path().filename().string().starts_with("Calendar rescued "))
                        rescuedAt = std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        testing::internal::CaptureStderr();
        application->Quit(0);
        const auto took = std::chrono::steady_clock::now() - start;
        testing::internal::GetCapturedStderr();
        stop = true;
        watch.join();
        if (appender.joinable()) appender.join();
        state.SetIterationTime(std::chrono::duration<double>(took).count());
        if (rescuedAt >= 0) rescuedMs += static_cast<double>(rescuedAt) / 1000;
        DoEvents(); // the closed window goes
    }
    if (pending == AtTheQuit::APutOffSave)
        state.counters["rescued_ms"] = rescuedMs / static_cast<double>(state.iterations());
    SetScreenForTesting(std::nullopt);
    TestSeams::Disable();
}
BENCHMARK_CAPTURE(QuitWith, NothingPending200k, AtTheQuit::NothingPending)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QuitWith, AChange200k, AtTheQuit::AChange)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QuitWith, APutOffSave200k, AtTheQuit::APutOffSave)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
