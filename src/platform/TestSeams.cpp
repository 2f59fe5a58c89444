#include "platform/TestSeams.h"

#include "platform/GraphicsQt.h"
#include "platform/Window.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

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
// Apart from the other seams too: a writer's thread takes it.
struct RenameSeam {
    std::mutex mutex;
    std::function<void()> then;
};
RenameSeam& BeforeRename() {
    static RenameSeam seam;
    return seam;
}
} // namespace

namespace TestSeams {

void Enable() {
    State() = SeamState{};
    State().enabled = true;
    BeforeNextRename({});
}
void Disable() {
    State() = SeamState{};
    BeforeNextRename({});
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

void BeforeNextRename(std::function<void()> then) {
    const std::lock_guard lock(BeforeRename().mutex);
    BeforeRename().then = std::move(then);
}

std::function<void()> TakeRenameCallback() {
    const std::lock_guard lock(BeforeRename().mutex);
    return std::exchange(BeforeRename().then, nullptr);
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
