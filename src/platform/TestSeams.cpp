#include "platform/TestSeams.h"

#include "platform/GraphicsQt.h"
#include "platform/Window.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <array>
#include <atomic>
#include <cerrno>
#include <deque>
#include <mutex>
#include <utility>

namespace {
struct SeamState {
    bool enabled = false;
    TestSeams::DialogAnswer answer;
    std::vector<TestSeams::DialogRecord> dialogs;
    std::vector<std::string> urls;
    TestSeams::MenuAnswer menuAnswer;
    std::vector<std::vector<TestSeams::MenuEntry>> menus;
    TestSeams::PrintAnswer printAnswer;
    std::vector<TestSeams::PrintDialogRecord> printDialogs;
    std::vector<PicturePtr> printedPages;
    std::string printingModule;
    std::vector<std::function<void(Window&)>> modal;
    int beeps = 0;
};
SeamState& State() {
    static SeamState state;
    return state;
}
// Apart from the other seams: a benchmark sets it in a real start, with dialogs shown.
std::function<void()>& FirstPaint() {
    static std::function<void()> then;
    return then;
}
// Apart from the other seams too: code a writing thread runs once at a moment of its write.
struct WriteMomentSeam {
    std::mutex mutex;
    std::array<std::function<void()>, static_cast<size_t>(TestSeams::WriteMoment::Count)> then;
};
WriteMomentSeam& WriteMoments() {
    static WriteMomentSeam seam;
    return seam;
}
void DropWriteMoments() {
    const std::lock_guard lock(WriteMoments().mutex);
    WriteMoments().then = {};
}
// Taken on writing threads too.
struct FileCallSeam {
    static constexpr size_t kCalls = static_cast<size_t>(TestSeams::FileCall::TakeLease) + 1;
    std::mutex mutex;
    bool counting = false;
    std::array<int, kCalls> made{};
    std::array<int, kCalls> failing{};
    std::array<int, kCalls> error{};
    std::deque<std::string> letters;
};
FileCallSeam& FileCalls() {
    static FileCallSeam seam;
    return seam;
}
// Read on writing threads.
std::atomic<int64_t>& FileTimeTick() {
    static std::atomic<int64_t> tick{0};
    return tick;
}
std::atomic<int>& WholeSeconds() {
    static std::atomic<int> seconds{0};
    return seconds;
}
std::atomic<std::chrono::steady_clock::duration>& ClockMovedOn() {
    static std::atomic<std::chrono::steady_clock::duration> by{};
    return by;
}
void ResetFileCalls(bool counting) {
    FileTimeTick() = 0;
    WholeSeconds() = 0;
    ClockMovedOn() = std::chrono::steady_clock::duration::zero();
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    seam.counting = counting;
    seam.made = {};
    seam.failing = {};
    seam.letters.clear();
}
} // namespace

namespace TestSeams {

void Enable() {
    State() = SeamState{};
    State().enabled = true;
    DropWriteMoments();
    ResetFileCalls(true);
}
void Disable() {
    State() = SeamState{};
    DropWriteMoments();
    ResetFileCalls(false);
}
bool Enabled() {
    return State().enabled;
}
void AnswerDialogs(DialogAnswer answer) {
    State().answer = std::move(answer);
}
const std::vector<DialogRecord>& Dialogs() {
    return State().dialogs;
}
const std::vector<std::string>& OpenedURLs() {
    return State().urls;
}
void AnswerMenus(MenuAnswer answer) {
    State().menuAnswer = std::move(answer);
}
const std::vector<std::vector<MenuEntry>>& Menus() {
    return State().menus;
}

void AnswerPrinting(PrintAnswer answer) {
    State().printAnswer = std::move(answer);
}
const PrintAnswer& PrintingAnswer() {
    return State().printAnswer;
}
const std::vector<PrintDialogRecord>& PrintDialogs() {
    return State().printDialogs;
}
const std::vector<PicturePtr>& PrintedPages() {
    return State().printedPages;
}
void UsePrintingModule(std::string path) {
    State().printingModule = std::move(path);
}
const std::string& PrintingModule() {
    return State().printingModule;
}

int RecordDialog(const DialogRecord& record) {
    State().dialogs.push_back(record);
    return State().answer ? State().answer(record) : 0;
}

void RecordDialogClosed(size_t index) {
    if (index < State().dialogs.size()) State().dialogs[index].closedByProgram = true;
}

void RecordURL(std::string url) {
    State().urls.push_back(std::move(url));
}

std::string RecordMenu(std::vector<MenuEntry> entries) {
    State().menus.push_back(std::move(entries));
    return State().menuAnswer ? State().menuAnswer(State().menus.back()) : std::string();
}

void RecordPrintDialog(PrintDialogRecord record) {
    State().printDialogs.push_back(std::move(record));
}

void RecordPrintedPage(PicturePtr page) {
    State().printedPages.push_back(std::move(page));
}

} // namespace TestSeams

namespace TestSeams {

void WhenModal(std::function<void(Window&)> then) {
    State().modal.push_back(std::move(then));
}

int Beeps() {
    return State().beeps;
}

void RecordBeep() {
    ++State().beeps;
}

std::function<void(Window&)> TakeModalCallback() {
    auto& modal = State().modal;
    if (!State().enabled || modal.empty()) return {};
    auto then = std::move(modal.front());
    modal.erase(modal.begin());
    return then;
}

void WhenFirstPainted(std::function<void()> then) {
    FirstPaint() = std::move(then);
}

void AtNextWriteMoment(WriteMoment moment, std::function<void()> then) {
    const std::lock_guard lock(WriteMoments().mutex);
    WriteMoments().then.at(static_cast<size_t>(moment)) = std::move(then);
}

void ReachWriteMoment(WriteMoment moment) {
    std::function<void()> then;
    {
        const std::lock_guard lock(WriteMoments().mutex);
        then = std::exchange(WriteMoments().then.at(static_cast<size_t>(moment)), nullptr);
    }
    if (then) then();
}

void MakeFileTimesCoarse(int64_t tickNanoseconds) {
    FileTimeTick() = tickNanoseconds;
}

int64_t CoarseFileTimes() {
    return FileTimeTick();
}

void KeepFileTimesInWholeSeconds(int seconds) {
    WholeSeconds() = seconds;
}

int FileTimesInWholeSeconds() {
    return WholeSeconds();
}

void MoveClockOn(std::chrono::steady_clock::duration by) {
    ClockMovedOn() = ClockMovedOn().load() + by;
}

std::chrono::steady_clock::duration ClockMovedOnBy() {
    return ClockMovedOn();
}

void FailFileCalls(FileCall call, int count, int error) {
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    seam.failing[static_cast<size_t>(call)] = count;
    seam.error[static_cast<size_t>(call)] = error;
}

int FileCallsMade(FileCall call) {
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    return seam.made[static_cast<size_t>(call)];
}

bool FileCallFails(FileCall call) {
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    if (!seam.counting) return false;
    const auto at = static_cast<size_t>(call);
    ++seam.made[at];
    if (seam.failing[at] == 0) return false;
    --seam.failing[at];
    errno = seam.error[at];
    return true;
}

void DrawUnguessableLetters(std::vector<std::string> letters) {
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    seam.letters.assign(letters.begin(), letters.end());
}

std::string TakeUnguessableLetters() {
    FileCallSeam& seam = FileCalls();
    const std::lock_guard lock(seam.mutex);
    if (seam.letters.empty()) return {};
    std::string letters = std::move(seam.letters.front());
    seam.letters.pop_front();
    return letters;
}

std::function<void()> TakeFirstPaintCallback() {
    return std::exchange(FirstPaint(), nullptr);
}

PicturePtr ScreenPicture(Window& window) {
    QWidget* widget = window.Widget();
    if (!widget || !widget->isVisible()) return nullptr;
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    // The desktop's copy of the window: on the headless platform, what the window last drew.
    const QPixmap shown = widget->screen()->grabWindow(widget->winId());
    if (shown.isNull()) return nullptr;
    return PictureFromImage(shown.toImage());
}

} // namespace TestSeams
