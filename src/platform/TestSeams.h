#pragma once
// Hooks that let tests drive what would otherwise need a person or the desktop: dialogs are
// recorded and answered, URLs recorded instead of opened. Production code never enables them.
#include "platform/Picture.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MenuItem;
class Window;

namespace TestSeams {

struct DialogRecord {
    std::string message;
    std::string explanation;
    std::vector<std::string> buttons; // captions of the visible buttons: action, alternate, cancel
    bool closedByProgram = false;     // closed from code (MessageCloser) before it was answered
};

// Which button a test presses: 0 action, 1 alternate, 2 cancel.
using DialogAnswer = std::function<int(const DialogRecord&)>;

// One item of a pop-up menu as it was shown: depth 0 for the top items (the menus of a menu
// bar), 1 for theirs, and so on.
struct MenuEntry {
    std::string name;
    std::string text;
    bool enabled;
    int depth;
};

// Which item a test chooses from a pop-up menu, by name or else by its text; empty chooses
// nothing, as dismissing the menu does. Only an enabled item can be chosen.
using MenuAnswer = std::function<std::string(const std::vector<MenuEntry>&)>;

// How a test answers the page set-up and print dialogs, and where the page goes.
struct PrintAnswer {
    bool pageSetupOK = true;
    std::string pageSetup = {}; // the set-up the user picks, as a set-up string; empty keeps it
    bool printOK = true;
    // A file ending in ".pdf" receives a real PDF; otherwise the page is kept as a picture in
    // PrintedPages().
    std::string outputFile = {};
    // The print queue chosen in both dialogs, which then prints the page; empty for none.
    std::string printer = {};
    // Runs once the print dialog is answered and the page opened, before it is drawn and sent.
    std::function<void()> afterPrintDialog = {};
    // The platform's own dialogs are shown instead of answered; the test closes them.
    bool showDialogs = false;
};

// A page set-up or print dialog as it was shown, with the set-up string it was given.
struct PrintDialogRecord {
    enum Kind { PageSetup, Print } kind;
    std::string setup;
};

// Turns the seams on with empty records; every dialog is answered with its action button.
void Enable();
void Disable();
bool Enabled();

void AnswerDialogs(DialogAnswer answer);
const std::vector<DialogRecord>& Dialogs();
const std::vector<std::string>& OpenedURLs();
void AnswerMenus(MenuAnswer answer);
// The pop-up menus shown so far, each as its entries.
const std::vector<std::vector<MenuEntry>>& Menus();

void AnswerPrinting(PrintAnswer answer);
const PrintAnswer& PrintingAnswer();
const std::vector<PrintDialogRecord>& PrintDialogs();
const std::vector<PicturePtr>& PrintedPages();
// The printing module is looked for at path alone, instead of beside the program and in the
// build; empty for those.
void UsePrintingModule(std::string path);
const std::string& PrintingModule();
// The next window shown modally runs then once its modal loop has started; the window is
// closed afterwards if then left it shown, so a test never waits for a person.
void WhenModal(std::function<void(Window&)> then);
// How often the system beep sounded.
int Beeps();

// What the program asks of the desktop for a window.
struct DesktopRequest {
    bool titleBar = false;
    bool closeButton = false;
    bool minimiseButton = false;
    bool userResizable = false; // resized or maximised by the user
    bool staysAbove = false;    // above the windows of every application
    // The window it is kept in front of; nullptr for none.
    const Window* inFrontOf = nullptr;
};
DesktopRequest AskedOfDesktop(const Window& window);
// Whether the window is the active one, which has the keyboard; whether it is minimised.
bool HasKeyboard(const Window& window);
bool Minimised(const Window& window);
// The shown windows in the order they were last brought to the front, front-most last.
std::vector<const Window*> FrontOrder();
// Runs then once, from the event loop, after the first window the program opened has painted
// its first frame; the start-up benchmarks end or quit the process there. It needs no Enable.
void WhenFirstPainted(std::function<void()> then);

// The moments of a whole write of a file that another program may share, at which a test plays
// that program: once the text is on disk, before the late look for another version; once the
// first piece of a copy of that other version is copied; after the last look, just before the
// rename; where the file system cannot exchange two files, once the file there has its parked
// name, before the rename takes its place; right after the rename, before the file written is
// measured.
enum class WriteMoment {
    BeforeTheLateLook,
    DuringACopy,
    AfterTheLastLook,
    AfterTheParkedName,
    AfterTheRename,
    BeforeACopysLink, // another program's version about to be kept by a second name
    WhileLeased,      // a look at who writes a file holds its lease
    Count
};
// Runs then once, on the writing thread, at the next such moment. Enable and Disable drop it.
void AtNextWriteMoment(WriteMoment moment, std::function<void()> then);

// The file system's clock made as coarse as a kernel's that keeps change times in timer ticks:
// the times of files and the clock that stamps them are cut to ticks of that many nanoseconds
// (0: as the system has them). Enable and Disable set it back to 0.
void MakeFileTimesCoarse(int64_t tickNanoseconds);
int64_t CoarseFileTimes();
// A file system that keeps times in whole seconds, or in two (FAT): the times of files are cut to
// that many seconds, while the clock goes on as the system has it (0: as the file system has
// them). Enable and Disable set it back to 0.
void KeepFileTimesInWholeSeconds(int seconds);
int FileTimesInWholeSeconds();

// SteadyNow (platform/SteadyNow.h) moved on by that much more, as if that while had passed.
// Enable and Disable set it back.
void MoveClockOn(std::chrono::steady_clock::duration by);

// The system calls of a write that a test can make fail, as a failing disk or file system would:
// flushing a written file to the disk, closing it, measuring it, flushing its folder; and those a
// narrow file system lacks (EINVAL, EPERM): the rename that exchanges two files, the one that
// never replaces, a second link; the question whether a file or its folder may be written, which
// a read-only disk (EROFS) or another user's file (EACCES) answers; and a lease (which tells
// whether a file is open for writing).
enum class FileCall {
    SyncFile,
    CloseFile,
    MeasureFile,
    SyncFolder,
    ExchangeFiles,
    RenameWithoutReplacing,
    LinkFile,
    MayWrite,
    TakeLease
};
// The next count calls of that kind fail with error. Enable and Disable drop what is left.
void FailFileCalls(FileCall call, int count = 1, int error = EIO);
// How many calls of that kind were made since Enable; counted only while the seams are enabled.
int FileCallsMade(FileCall call);

// The letters that the next draws of unguessable letters give, a string a draw, so that a test can
// take a name before the program draws it. Enable and Disable drop what is left.
void DrawUnguessableLetters(std::vector<std::string> letters);

// The window as the screen shows it: its pending repaints done, and whatever was not repainted
// since it was last drawn left as it was, so a control that misses a repaint shows stale pixels
// here (Window::DrawInto draws everything afresh). None when the window is not shown.
PicturePtr ScreenPicture(Window& window);

// Used by the framework layer itself.
int RecordDialog(const DialogRecord& record);
void RecordDialogClosed(size_t index);
void RecordURL(std::string url);
std::string RecordMenu(std::vector<MenuEntry> entries);
void RecordPrintDialog(PrintDialogRecord record);
void RecordPrintedPage(PicturePtr page);
// Records the items below menu, at every depth, and returns the test's answer.
std::string RecordMenu(const MenuItem& menu);
void RecordBeep();
// The test's code for a window that has just started its modal loop; empty when none waits.
std::function<void(Window&)> TakeModalCallback();
// Runs what waits for that moment of a write, once.
void ReachWriteMoment(WriteMoment moment);
// Counts a call of that kind; true (with errno set) when the test made it fail.
bool FileCallFails(FileCall call);
// The next letters a test gave to be drawn; empty when none are left.
std::string TakeUnguessableLetters();
// The code waiting for the first frame, once; empty afterwards and when none waits.
std::function<void()> TakeFirstPaintCallback();
// How far MoveClockOn moved SteadyNow.
std::chrono::steady_clock::duration ClockMovedOnBy();

} // namespace TestSeams
