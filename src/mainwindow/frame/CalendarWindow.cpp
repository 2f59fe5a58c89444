// The main window's construction: its design values and its controls in creation order.
#include "mainwindow/frame/CalendarWindow.h"

#include "app/Menu.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"

#include <memory>

namespace {
template <class T>
T& Place(Window& window, const char* name, int index, int left, int top, int width, int height,
         const char* locks) {
    T& control = window.AddControl(std::make_unique<T>(), name, index);
    control.SetBounds(left, top, width, height);
    for (const char* lock = locks; *lock; ++lock) {
        if (*lock == 'L') control.LockLeft = true;
        if (*lock == 'T') control.LockTop = true;
        if (*lock == 'R') control.LockRight = true;
        if (*lock == 'B') control.LockBottom = true;
    }
    return control;
}

template <class T>
T& Place(Window& window, const char* name, int left, int top, int width, int height,
         const char* locks) {
    return Place<T>(window, name, -1, left, top, width, height, locks);
}

template <class T> T& AddTimer(Window& window, const char* name, int mode, int period) {
    T& timer = window.AddControl(std::make_unique<T>(), name);
    timer.SetPeriod(period);
    timer.SetMode(mode);
    return timer;
}

void HideAtStart(RectControl& control, bool disable) {
    control.SetVisible(false);
    if (disable) control.SetEnabled(false);
}

void SetFont(ListBox& list, const char* font, int size, bool bold) {
    list.TextFont = font;
    list.TextSize = size;
    list.Bold = bold;
}
} // namespace

CalendarWindow& CalendarWindow::Instance() {
    return OpenWindow<CalendarWindow>();
}

CalendarWindow::CalendarWindow() {
    Layout();
    CreateControls();
}

void CalendarWindow::Layout() {
    SetMenuBar(&Menu::Instance());
    SetWidth(1024);
    SetHeight(740);
    const ScreenInfo screen = Screen(0);
    SetLeft(screen.AvailableLeft + (screen.AvailableWidth - Width()) / 2);
    SetTop(screen.AvailableTop + (screen.AvailableHeight - Height()) / 2);
    SetFrame(Document);
    // This desktop draws no frame round the calendar: it covers the available area itself.
    SetDesktopFrame(false);
    SetTitle("Calendar");
    HasBackColor = false;
    BackColor = Color{};
}

void CalendarWindow::CreateControls() {
    _CreateControls0();
}

void CalendarWindow::_CreateControls0() {
    TopCanvas = &Place<cCanvas>(*this, "TopCanvas", 421, 0, 182, 60, "T");
    HideAtStart(*TopCanvas, true);

    BottomCanvas = &Place<cCanvas>(*this, "BottomCanvas", 0, 527, 1024, 214, "");
    HideAtStart(*BottomCanvas, true);

    ZantriqueLogo = &Place<Canvas>(*this, "ZantriqueLogo", 783, 708, 232, 27, "");
    ZantriqueLogo->SetHelpTag("Goto");
    ZantriqueLogo->SetParent(BottomCanvas);

    wwwLinksList = &Place<listboxButton>(*this, "wwwLinksList", -3, 530, 1030, 21, "LR");
    HideAtStart(*wwwLinksList, true);
    wwwLinksList->SetColumnCount(9);
    wwwLinksList->SetDefaultRowHeight(29);
    SetFont(*wwwLinksList, "Tahoma", 12, true);

    HomeButton = &Place<cCanvas>(*this, "HomeButton", 30, 22, 76, 29, "LT");
    HideAtStart(*HomeButton, true);
    HomeButton->SetHelpTag("Goto");

    MainMenuButton = &Place<TextButton>(*this, "MainMenuButton", 987, 0, 37, 25, "TR");
    HideAtStart(*MainMenuButton, true);
    MainMenuButton->SetText("6");
    MainMenuButton->TextAlign = StaticText::AlignCenter;
    MainMenuButton->SetTextColor(RGB(0x80, 0x80, 0x80));
    MainMenuButton->TextFont = "Webdings";
    MainMenuButton->TextSize = 28;
    MainMenuButton->Bold = true;
    MainMenuButton->OnOpen = [this] { MainMenuButton_Open(); };

    menuButton2 = &Place<mouseButton>(*this, "menuButton2", 976, 6, 44, 18, "TR");
    menuButton2->SetBackdrop(menubutton());
    menuButton2->OnOpen = [this] { menuButton2_Open(); };

    theTimeText = &Place<StaticText>(*this, "theTimeText", 895, 37, 96, 20, "TR");
    theTimeText->SetText("-");
    theTimeText->TextAlign = StaticText::AlignCenter;
    theTimeText->SetTextColor(RGB(0, 0, 0));
    theTimeText->TextFont = "Arial";
    theTimeText->TextSize = 14;
    theTimeText->OnOpen = [this] { theTimeText_Open(); };

    GlanceHeader = &Place<calList>(*this, "GlanceHeader", -1, 60, 1025, 60, "LR");
    HideAtStart(*GlanceHeader, false);
    GlanceHeader->SetColumnCount(13);
    GlanceHeader->SetDefaultRowHeight(20);
    SetFont(*GlanceHeader, "Arial", 12, false);

    // Member 1 comes first and lies two pixels lower.
    for (int index : {1, 0}) {
        auto& mini = Place<MiniCalListControl>(*this, "MiniCalList", index, 856,
                                               index == 1 ? 121 : 119, 168, 132, "R");
        HideAtStart(mini, false);
        mini.SetColumnCount(7);
        mini.SetDefaultRowHeight(16);
        SetFont(mini, "Arial", 10, false);
        MiniCalList[index] = &mini;
    }

    GlanceList = &Place<calList>(*this, "GlanceList", 0, 119, 856, 397, "LR");
    HideAtStart(*GlanceList, false);
    GlanceList->SetColumnCount(8);
    GlanceList->SetColumnWidths("60,*,*,*,*,*,*,*");
    GlanceList->SetDefaultRowHeight(-1);
    SetFont(*GlanceList, "Arial", 12, false);

    TodoList = &Place<ListBox>(*this, "TodoList", 856, 278, 168, 238, "R");
    HideAtStart(*TodoList, false);
    TodoList->SetColumnCount(3);
    TodoList->SetColumnWidths("20,*,20");
    TodoList->SetDefaultRowHeight(19);
    SetFont(*TodoList, "Arial", 10, true);
    TodoList->EnableDragReorder = true;

    ToDoListHeader = &Place<Canvas>(*this, "ToDoListHeader", 856, 254, 168, 21, "R");
    HideAtStart(*ToDoListHeader, false);

    TimeTimer = &AddTimer<TimeTimerControl>(*this, "TimeTimer", Timer::ModeMultiple, 30000);
    TimeTimer->OnAction = [this] { TimeTimer_Action(); };

    MoviePlayer1 = &Place<MoviePlayer>(*this, "MoviePlayer1", 236, 22, 32, 30, "");
    HideAtStart(*MoviePlayer1, false);
    MoviePlayer1->PlayerType = 1;
    MoviePlayer1->ControllerType = 1;

    PrintTimer = &AddTimer<PrintTimerControl>(*this, "PrintTimer", Timer::ModeOff, 500);
    PrintTimer->OnAction = [this] { PrintTimer_Action(); };

    DisplayScrollTimer =
        &AddTimer<DisplayScrollTimerControl>(*this, "DisplayScrollTimer", Timer::ModeOff, 333);

    Calendar = &Place<calCanvas>(*this, "Calendar", -1, 137, 491, 349, "");
    Calendar->ListCount = 81;
    Calendar->ColumnCount = 33;
    Calendar->TextSize = 12;
    Calendar->ColumnsWidth = 0;
    Calendar->TextFont = "\"Arial\"";
    Calendar->OnMouseDown = [this](int x, int y) { return Calendar_MouseDown(x, y); };
    Calendar->OnMouseMove = [this](int x, int y) { Calendar_MouseMove(x, y); };
    Calendar->OnMouseWheel = [this](int x, int y, int deltaX, int deltaY) {
        return Calendar_MouseWheel(x, y, deltaX, deltaY);
    };
    Calendar->OnOpen = [this] { Calendar_Open(); };
    Calendar->OnMouseExit = [this] { Calendar_MouseExit(); };
    Calendar->OnPaint = [this](Graphics& g) { Calendar_Paint(g); };
    Calendar->OnKeyDown = [this](const std::string& key) { return Calendar_KeyDown(key); };

    MenuBarCanvas = &Place<cCanvas>(*this, "MenuBarCanvas", -1, 0, 97, 15, "LTR");
    MenuBarCanvas->SetBackdrop(menutoggle());
    HideAtStart(*MenuBarCanvas, true);

    tipCanvas = &Place<cCanvas>(*this, "tipCanvas", 283, 34, 89, 16, "");
    HideAtStart(*tipCanvas, false);

    QuickStartHelp = &Place<Canvas>(*this, "QuickStartHelp", 0, 0, 75, 97, "");

    CalendarScrollButton = &Place<UpDownArrows>(*this, "CalendarScrollButton", 997, 30, 13, 23, "");
    CalendarScrollButton->OnUp = [this] { CalendarScrollButton_Up(); };
    CalendarScrollButton->OnOpen = [this] { CalendarScrollButton_Open(); };
    CalendarScrollButton->OnDown = [this] { CalendarScrollButton_Down(); };

    CountdownCanvas = &Place<cCanvas>(*this, "CountdownCanvas", 9, 388, 118, 130, "");

    static constexpr int kLinkTops[] = {137, 157, 174, 193, 213};
    static constexpr int kLinkHeights[] = {14, 13, 14, 14, 14};
    for (int index = 1; index <= 5; ++index) {
        FloatingLinkCanvasControl& area = Place<FloatingLinkCanvasControl>(
            *this, "floatingLinkCanvas", index, 816, kLinkTops[index - 1], 194,
            kLinkHeights[index - 1], "");
        area.OnOpen = [this, index] { floatingLinkCanvas_Open(index); };
        area.OnMouseDown = [this, index](int x, int y) {
            return floatingLinkCanvas_MouseDown(index, x, y);
        };
        floatingLinkCanvas[index] = &area;
    }
}

MenuItem& CalendarWindow::ItemNamed(const char* name) {
    MenuItem* item = MenuBar() ? MenuBar()->FindItem(name) : nullptr;
    if (!item) throw NilObjectException(std::string("no menu item ") + name);
    return *item;
}

namespace {
template <class T> T& As(MenuItem& item) {
    auto* typed = dynamic_cast<T*>(&item);
    if (!typed) throw NilObjectException("menu item " + item.Name + " is of another kind");
    return *typed;
}
} // namespace

MenuItem& CalendarWindow::HelpMenu() {
    return ItemNamed("HelpMenu");
}
MenuItem& CalendarWindow::HelpGotoURL() {
    return ItemNamed("HelpGotoURL");
}
MenuItem& CalendarWindow::UntitledItem() {
    return ItemNamed("UntitledItem");
}
MenuItem& CalendarWindow::HelpQuickStartHelp() {
    return ItemNamed("HelpQuickStartHelp");
}
MenuItem& CalendarWindow::HelpHelp() {
    return ItemNamed("HelpHelp");
}
MenuItem& CalendarWindow::EditMenu() {
    return ItemNamed("EditMenu");
}
MenuItem& CalendarWindow::EditToggleCDCanvas() {
    return ItemNamed("EditToggleCDCanvas");
}
MenuItem& CalendarWindow::UntitledMenu0() {
    return ItemNamed("UntitledMenu0");
}
PrefsMenuItem& CalendarWindow::ApplePreferences() {
    return As<PrefsMenuItem>(ItemNamed("ApplePreferences"));
}
AppleMenuItem& CalendarWindow::UntitledMenu6() {
    return As<AppleMenuItem>(ItemNamed("UntitledMenu6"));
}
AppleMenuItem& CalendarWindow::AppleAboutCalendar() {
    return As<AppleMenuItem>(ItemNamed("AppleAboutCalendar"));
}
MenuItem& CalendarWindow::EditClear() {
    return ItemNamed("EditClear");
}
MenuItem& CalendarWindow::EditPaste() {
    return ItemNamed("EditPaste");
}
MenuItem& CalendarWindow::EditCopy() {
    return ItemNamed("EditCopy");
}
MenuItem& CalendarWindow::EditCut() {
    return ItemNamed("EditCut");
}
MenuItem& CalendarWindow::UntitledMenu1() {
    return ItemNamed("UntitledMenu1");
}
MenuItem& CalendarWindow::EditUndo() {
    return ItemNamed("EditUndo");
}
MenuItem& CalendarWindow::FileMenu() {
    return ItemNamed("FileMenu");
}
QuitMenuItem& CalendarWindow::FileQuit() {
    return As<QuitMenuItem>(ItemNamed("FileQuit"));
}
MenuItem& CalendarWindow::UntitledMenu3() {
    return ItemNamed("UntitledMenu3");
}
MenuItem& CalendarWindow::FilePrint() {
    return ItemNamed("FilePrint");
}
MenuItem& CalendarWindow::FileClose() {
    return ItemNamed("FileClose");
}
MenuItem& CalendarWindow::UntitledMenu5() {
    return ItemNamed("UntitledMenu5");
}
