#pragma once
// The main calendar window: the title band with the clock, the year grid or the week panels,
// and the bottom band, over the edition's background, covering the screen's available area.
#include "platform/Canvas.h"
#include "platform/Date.h"
#include "platform/Dialogs.h"
#include "platform/ListBox.h"
#include "platform/MenuBar.h"
#include "platform/MoviePlayer.h"
#include "platform/Picture.h"
#include "platform/StaticText.h"
#include "platform/Timer.h"
#include "platform/UpDownArrows.h"
#include "platform/Window.h"
#include "platform/Worker.h"

#include "controls/TextButton.h"
#include "controls/cCanvas.h"
#include "controls/calCanvas.h"
#include "controls/calList.h"
#include "controls/listboxButton.h"
#include "controls/mouseButton.h"
#include "mainwindow/eventfile/OutsideChanges.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TabWindow;

class CalendarWindow : public Window {
  public:
    // The classes that only carry the window's array members and timers.
    class MiniCalListControl : public calList {};
    class FloatingLinkCanvasControl : public Canvas {};
    class TimeTimerControl : public Timer {};
    class PrintTimerControl : public Timer {};
    class DisplayScrollTimerControl : public Timer {};

    CalendarWindow();

    // The open main window, or a new one, opened.
    static CalendarWindow& Instance();
    // Watches files that a save replaced and that a program may still write, until they settle.
    void WatchParked(const std::vector<OutsideChanges::ParkedVersion>& parked);

    PicturePtr HomeButtonN;
    PicturePtr HomeButtonMO;
    PicturePtr HomeButtonMD;
    // The edition's picture of a year digit (0 to 9) at the background's scale, made when first
    // asked for: a year shows three or four of the ten. Null when the edition has none.
    const PicturePtr& YearDigitScaled(int digit);
    PicturePtr backgroundImageScaled;

    // The controls, in creation order; the window owns them.
    cCanvas* TopCanvas = nullptr;
    cCanvas* BottomCanvas = nullptr;
    Canvas* ZantriqueLogo = nullptr;
    listboxButton* wwwLinksList = nullptr;
    cCanvas* HomeButton = nullptr;
    TextButton* MainMenuButton = nullptr;
    mouseButton* menuButton2 = nullptr;
    StaticText* theTimeText = nullptr;
    calList* GlanceHeader = nullptr;
    std::array<MiniCalListControl*, 2> MiniCalList{};
    calList* GlanceList = nullptr;
    ListBox* TodoList = nullptr;
    Canvas* ToDoListHeader = nullptr;
    TimeTimerControl* TimeTimer = nullptr;
    MoviePlayer* MoviePlayer1 = nullptr;
    PrintTimerControl* PrintTimer = nullptr;
    DisplayScrollTimerControl* DisplayScrollTimer = nullptr;
    // Writes again after a failed write while something is unsaved; made at the first failure.
    Timer* SaveRetryTimer = nullptr;
    // Looks at another program's files that a save replaced while they held nothing to keep;
    // made when the first is parked.
    Timer* ParkedWatchTimer = nullptr;
    calCanvas* Calendar = nullptr;
    cCanvas* MenuBarCanvas = nullptr;
    cCanvas* tipCanvas = nullptr;
    Canvas* QuickStartHelp = nullptr;
    UpDownArrows* CalendarScrollButton = nullptr;
    cCanvas* CountdownCanvas = nullptr;
    // Members 1 to 5; there is no member 0.
    std::array<FloatingLinkCanvasControl*, 6> floatingLinkCanvas{};

    // Control handlers.
    void theTimeText_Open();
    void TimeTimer_Action();
    void PrintTimer_Action();
    // The year grid: its model (YearGridModel), clicks, wheel and keys (YearGridInput), its
    // painting (YearGridPainting) and the hover tip (HoverTip).
    bool Calendar_MouseDown(int X, int Y);
    void Calendar_MouseMove(int X, int Y);
    bool Calendar_MouseWheel(int X, int Y, int deltaX, int deltaY);
    void Calendar_Open();
    void Calendar_MouseExit();
    void Calendar_Paint(Graphics& g);
    bool Calendar_KeyDown(const std::string& key);
    void CalendarScrollButton_Up();
    void CalendarScrollButton_Open();
    void CalendarScrollButton_Down();
    // The extras over the window (navigation/): the home button, the links strip, the product
    // caption, the hidden menu buttons with the pop-up main menu, the menu bar strip, the
    // quick-start help and the link areas over the background picture.
    void HomeButton_Open();
    void HomeButton_Paint(Graphics& g);
    void HomeButton_MouseEnter();
    void HomeButton_MouseExit();
    bool HomeButton_MouseDown(int x, int y);
    void HomeButton_MouseUp(int x, int y);
    void wwwLinksList_Open();
    bool wwwLinksList_CellBackgroundPaint(Graphics& g, int row, int column);
    bool wwwLinksList_CellTextPaint(Graphics& g, int row, int column, int x, int y);
    bool wwwLinksList_CellClick(int row, int column, int x, int y);
    void wwwLinksList_MouseMove(int x, int y);
    void wwwLinksList_MouseExit();
    bool wwwLinksList_MouseDown(int x, int y);
    void wwwLinksList_MouseUp(int x, int y);
    void ZantriqueLogo_Open();
    void ZantriqueLogo_Paint(Graphics& g);
    bool ZantriqueLogo_MouseDown(int x, int y);
    void MainMenuButton_Open();
    void MainMenuButton_Action();
    void menuButton2_Open();
    void menuButton2_Paint(Graphics& g);
    bool menuButton2_MouseDown(int x, int y);
    void MenuBarCanvas_Open();
    void MenuBarCanvas_Paint(Graphics& g);
    bool MenuBarCanvas_MouseDown(int x, int y);
    void MenuBarCanvas_MouseEnter();
    void MenuBarCanvas_MouseExit();
    void QuickStartHelp_Open();
    bool QuickStartHelp_MouseDown(int x, int y);
    void QuickStartHelp_Paint(Graphics& g);
    void floatingLinkCanvas_Open(int index);
    bool floatingLinkCanvas_MouseDown(int index, int x, int y);
    // The countdown badge (navigation/CountdownBadge): dragged anywhere, a click opens the
    // countdown editor.
    void CountdownCanvas_MouseDrag(int x, int y);
    void CountdownCanvas_MouseUp(int x, int y);
    bool CountdownCanvas_MouseDown(int x, int y);
    void CountdownCanvas_Open();
    void CountdownCanvas_Paint(Graphics& g);
    // The week face (glance/): its header, the two small months, the week grid and the to-do
    // list with its header.
    void GlanceHeader_Open();
    bool GlanceHeader_CellBackgroundPaint(Graphics& g, int row, int column);
    bool GlanceHeader_CellClick(int row, int column, int x, int y);
    void GlanceHeader_MouseMove(int x, int y);
    void GlanceHeader_MouseExit();
    void MiniCalList_Open(int index);
    bool MiniCalList_KeyDown(int index, const std::string& key);
    bool MiniCalList_CellBackgroundPaint(int index, Graphics& g, int row, int column);
    bool MiniCalList_CellClick(int index, int row, int column, int x, int y);
    void GlanceList_Open();
    bool GlanceList_MouseDown(int x, int y);
    bool GlanceList_KeyDown(const std::string& key);
    bool GlanceList_CellBackgroundPaint(Graphics& g, int row, int column);
    void TodoList_Open();
    bool TodoList_CellBackgroundPaint(Graphics& g, int row, int column);
    bool TodoList_MouseDown(int x, int y);
    bool TodoList_CellClick(int row, int column, int x, int y);
    void TodoList_DoubleClick();
    void TodoList_CellAction(int row, int column);
    void TodoList_Change();
    bool TodoList_DragReorderRows(int newPosition, int parentRow);
    void ToDoListHeader_Open();
    void ToDoListHeader_Paint(Graphics& g);
    bool ToDoListHeader_MouseDown(int x, int y);

    // The items of the window's menu bar, by name; NilObjectException when there is none.
    MenuItem& HelpMenu();
    MenuItem& HelpGotoURL();
    MenuItem& UntitledItem();
    MenuItem& HelpQuickStartHelp();
    MenuItem& HelpHelp();
    MenuItem& EditMenu();
    MenuItem& EditToggleCDCanvas();
    MenuItem& UntitledMenu0();
    PrefsMenuItem& ApplePreferences();
    AppleMenuItem& UntitledMenu6();
    AppleMenuItem& AppleAboutCalendar();
    MenuItem& EditClear();
    MenuItem& EditPaste();
    MenuItem& EditCopy();
    MenuItem& EditCut();
    MenuItem& UntitledMenu1();
    MenuItem& EditUndo();
    MenuItem& FileMenu();
    QuitMenuItem& FileQuit();
    MenuItem& UntitledMenu3();
    MenuItem& FilePrint();
    MenuItem& FileClose();
    MenuItem& UntitledMenu5();

    // Window events.
    void Event_Open() override;
    void Event_Close() override;
    void Event_Activate() override;
    void Event_Paint(Graphics& g) override;
    bool PaintCoversWindow() const override;
    void Event_Moved() override;
    void Event_EnableMenuItems() override;
    bool Event_KeyDown(const std::string& key) override;
    bool Event_MouseWheel(int x, int y, int deltaX, int deltaY) override;
    // The desktop's close (Alt+F4) is File > Close: the calendar slides away, the tab brings
    // it back.
    void Event_DesktopClose() override;

    // Menu handlers; each returns false.
    bool EditToggleCDCanvas_Action();
    bool FileClose_Action();
    bool FilePrint_Action();
    bool HelpQuickStartHelp_Action();

    // Methods that the rest of the program calls.
    // Slide the window off the top of the screen and hide it, or show it and slide it back.
    void ScrollUp();
    void ScrollDown();
    bool Sliding() const { return sliding_; }
    // The space bar's and the tab's click: slides the window back when it is away, brings it to
    // the front when the program was (deactivated) in the background, and otherwise slides it
    // away.
    void SlideAwayOrBack(bool deactivated);
    // The year cell key ("row,column") of the day cell that holds d.
    std::string CalDateCell(const Date& d) const;
    void ReloadCalLists();
    // Readies the week panels' first paint, unseen (glance/Faces).
    void PrepareWeekFace();
    void GlanceOn();
    void GlanceOff();
    void PageNextYear();
    void PagePreviousYear();
    void LoadBackgroundImage();
    // Writes the event file now, once a write under way has ended, when the store or the to-do
    // list changed; an open to-do edit is ended (and kept) first.
    void SaveEvents();
    // The program ends: the last try to write what no main window wrote (to-do items a closed
    // window could not write, what the store holds that the file lacks), else the rescue file.
    static void SaveAtTheEnd();
    // Writes the event file on a worker thread when the store or the to-do list changed: after
    // each change the user confirms. A failure is told on the event loop's thread.
    void StartSavingEvents();
    // Whether a write has started whose end has not been taken yet.
    bool SavingEvents() const;
    // Waits for the write under way and takes its end now, which may start the next write.
    void FinishWrite();
    void SaveRetryTimer_Action();
    void ParkedWatchTimer_Action();
    // The year grid's markers of the selected day: rebuilt from the store after a save, one
    // marker ("//" title "|" kind) removed before a delete.
    void AddEvent(bool existed);
    void RemoveEvent(const std::string& marker);
    // Rebuilds the year grid's markers of day from the store, as a fresh load marks it; a day
    // outside the grid's years is left alone.
    void RemarkDay(const Date& day);
    // Shows the event editor modally on the start in app.selectedDate.
    void OpenEventEditor();
    // Brings the week grid on the screen up to date with the store and the selected day, as a
    // fresh load of the week paints it: cells whose tags stay (a renamed event's first cell)
    // and the shading of the day selected before are painted anew.
    void ShowStoreChanges();
    void KeyBoardControl(const std::string& key);
    // Where a print command was chosen: the menu bar (or its shortcut) or the pop-up main menu.
    enum class PrintCommand { MenuBar, PopUpMenu };
    // Printing (yearview/Printing, which says what each command keeps off paper): hides the
    // tab window, the hover tip and the command's controls, remembering which were shown,
    // repaints and arms PrintTimer, whose action prints the window and shows again what was
    // shown. While a print is armed a second one is refused (false) and nothing changes.
    bool ArmPrint(PrintCommand command);
    // The window as it goes on paper: drawn into a picture, today's ring taken out on the
    // year face, framed in grey; nullptr when the window has no area.
    PicturePtr PrintPicture();

  protected:
    void AddMenuHandlers() override;
    // The title band takes the right click that opens the menus.
    bool MenuBandContains(int x, int y) const override;

  private:
    // Runs a painter of the week face; a failure is logged once and what was drawn stays, as
    // painting must never stop for a message.
    bool PaintQuietly(const char* what, const std::function<bool()>& paint);
    // Moves the shown year by step (1 on, -1 back) within the three years; whether the year face
    // moved, for the caller to repaint it. While the week face is up, which keeps its week, the
    // year is kept for the year face's return instead.
    bool PageYear(int step);
    // The week header's second-month toggle: moves the to-do panel below or back up.
    void ToggleSecondMonth();
    // Hides the year grid's hover tip and forgets its text, so the next hover over the same
    // day shows it afresh.
    void HideTip();
    // Shows items as a pop-up menu at the mouse; the chosen item's text, empty for none.
    std::string ChooseFromPopUp(const std::vector<std::string>& items);
    void Layout();
    void CreateControls();
    void CreateControls0();
    void CreateBandControls();
    void CreateTitleControls();
    void CreateWeekControls();
    void CreateTimers();
    void CreateYearFaceControls();
    void CreateLinkAreas();

    // The pop-up main menu of the two menu buttons, and its commands by caption.
    void RunMainMenu();
    void DoMainMenuCommand(const std::string& caption);
    // The home button shows a prepared picture at once.
    void ShowHomeButtonPicture(const PicturePtr& picture);
    void ComposeLitHomePictures();
    // Redraws the menu bar strip's toggle from an artwork and makes it the strip's backdrop.
    void RedrawMenuBarToggle(const PicturePtr& artwork);
    std::vector<RectControl*> OffPaper(PrintCommand command) const;
    void RestoreAfterPrint();
    // Hands the keyboard to the tab and runs events until it has it, for a while at most; false
    // when the window closed meanwhile.
    bool GiveTheTabTheKeyboard(const TabWindow& tab);

    // The year digits scaled so far, and the scale LoadBackgroundImage found for them.
    std::array<PicturePtr, 10> yearDigitsScaled_{};
    float yearDigitScaleX_ = 0;
    float yearDigitScaleY_ = 0;
    // A slide lets the event loop run between its steps; this keeps a second one out.
    bool sliding_ = false;
    // While a print is armed: whether the tab window was shown, and the controls hidden for
    // the print with whether each was shown.
    struct ArmedPrint {
        bool tabWasVisible = false;
        std::vector<std::pair<RectControl*, bool>> hidden;
    };
    std::optional<ArmedPrint> armedPrint_;
    // The year paged to while the week face was up, which the year face shows when it comes back.
    std::optional<int> yearOnReturn_;
    // The week grid's click waits in the modal editor; a second click must not open another.
    bool editingEvent_ = false;
    // The to-do list's height while the second small month pushes it down (it may be cut to 0
    // on a short screen), so hiding the month gives the real height back.
    int todoHeightBeforeMonth_ = 0;
    // A cell that cannot be painted is logged once, never shown as a message.
    bool paintProblemLogged_ = false;
    // The to-do list's revision that the event file holds.
    uint64_t savedTodoRevision_ = 0;
    // What a write in the background took its copies at.
    struct FileRevisions {
        uint64_t store = 0;
        uint64_t todo = 0;
    };
    bool EventFileIsCurrent() const;
    // Whether something the user made is not in the event file, so that a write that fails
    // loses it unless it goes somewhere else.
    bool UserWorkUnsaved() const;
    // error: the system's reason when the write failed; todo: the to-do items the write took.
    void EventFileWritten(FileRevisions written, bool ok, int error,
                          const std::vector<TodoItem>& todo);
    // The to-do list shows items that a closed window could not write.
    bool todoFromClosedWindow_ = false;
    // The message that something could not be saved, closed when a later write saves it.
    MessageCloser unsavedMessage_;
    // SaveEvents runs: no write starts in the background until it has ended (its messages run the
    // event loop, and the retry's timer with it), and it tells of a write it waited for itself.
    bool savingNow_ = false;
    // A failed write after a change has been told, and no write has succeeded since.
    bool unsavedTold_ = false;
    // After a failed write, the next retry comes after this wait (milliseconds), which grows
    // with each failed retry; 0 while nothing failed since the last write that succeeded.
    int saveRetryWait_ = 0;
    // The write under way is a retry, whose failure is not told again.
    bool retryingSave_ = false;
    // again: the write that failed was a retry of nothing new, so the wait grows; a failed write
    // of a new change starts the waits afresh.
    void RetrySavingLater(bool again);
    void StopRetryingSave();
    // Notes what a write of the event file left (glance/OutsideChanges): the version written,
    // and the copy of another program's version made before it, told by TellOutsideCopies.
    void TakeWrite(const OutsideChanges::Written& written);
    void TellOutsideCopies();
    struct OutsideCopy {
        std::filesystem::path path;
        bool saved = false; // the calendar's text took the file's place after it
    };
    std::vector<OutsideCopy> outsideCopies_;
    // Files that a save replaced and that a program may still write (eventfile/ParkedVersions):
    // settled at each look (OutsideChanges::SettleParked), one written since named as a copy and
    // told; a closing window notes the rest for the next start.
    void LookAtParked(bool closing);
    struct WatchedFile {
        OutsideChanges::ParkedVersion parked;
        std::chrono::steady_clock::time_point since;
    };
    std::vector<WatchedFile> parked_;
    // How long the background writes wait for another program's version; a quit cuts it short.
    std::shared_ptr<WriteWait> writeWait_ =
        std::make_shared<WriteWait>(OutsideChanges::kLongestWait);
    bool tellingOutsideCopies_ = false;
    // Last, so that it is destroyed first: it waits for its thread, which reads the to-do copy.
    Worker eventFileWriter_;
};
