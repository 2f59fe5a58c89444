// A 50 MB title, as any large file without line breaks becomes when it is read as the event
// file: the hover tip over its day, and a paint of the to-do list that holds it as an item.
#include "BenchMain.h"
#include "YearGridSetup.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Application.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "support/TestEnvironment.h"

#include <string>
#include <utility>

namespace {
constexpr size_t kHugeSize = 50u << 20;

// Words of a few letters, without a line break, as a text file's would be.
std::string HugeTitle() {
    std::string title;
    title.reserve(kHugeSize + 16);
    while (title.size() < kHugeSize)
        title += "Lorem ipsum dolor sit amet ";
    return title;
}

struct Setup : YearGridSetup {
    Setup() {
        application.eventDict.Value("2010-06-09 08:00:00", "2010-06-09 09:00:00//" + HugeTitle());
        application.eventDict.Value("2010-06-10 08:00:00", "2010-06-10 09:00:00//Dentist");
    }
};
} // namespace

// Each iteration moves the pointer onto the day of the huge title, from a day of a short one,
// so that its tip is built anew every time; only the move onto the huge one is timed.
static void HoverOverAHugeTitle(benchmark::State& state) {
    Setup setup;
    CalendarWindow window;
    window.Calendar_Open();
    const auto huge = PointOf(window, Date(2010, 6, 9));
    const auto plain = PointOf(window, Date(2010, 6, 10));
    for (auto _ : state) {
        state.PauseTiming();
        window.Calendar_MouseMove(plain.first, plain.second);
        state.ResumeTiming();
        window.Calendar_MouseMove(huge.first, huge.second);
    }
    if (window.tipCanvas->currentText.size() < kHugeSize) state.SkipWithError("no huge tip");
}
BENCHMARK(HoverOverAHugeTitle)->Unit(benchmark::kMillisecond);

// A repaint of the to-do list, its first item the huge title; ticked (1) it is struck through
// as far as it shows.
static void PaintATodoListOfAHugeItem(benchmark::State& state) {
    Setup setup;
    CalendarWindow& window = CalendarWindow::Instance();
    ListBox& list = *window.TodoList;
    list.AddRow();
    list.SetCell(list.LastIndex(), 1, HugeTitle());
    list.SetCellCheck(list.LastIndex(), 0, state.range(0) != 0);
    window.GlanceOn();
    window.Show();
    DoEvents();
    for (auto _ : state)
        list.Refresh();
    window.Close();
}
BENCHMARK(PaintATodoListOfAHugeItem)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A repaint of the week grid that shows the huge title's event, and its day note.
static void PaintAWeekOfAHugeTitle(benchmark::State& state) {
    Setup setup;
    setup.application.eventDict.Value("2010-06-09 00:00:01", "2010-06-09 00:00:01//" + HugeTitle());
    setup.application.selectedDate = Date(2010, 6, 9);
    CalendarWindow& window = CalendarWindow::Instance();
    window.GlanceOn();
    window.Show();
    DoEvents();
    for (auto _ : state)
        window.GlanceList->Refresh();
    window.Close();
}
BENCHMARK(PaintAWeekOfAHugeTitle)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunInProcessBenchmarks(argc, argv);
}
