// The main window's construction: its design values and its controls in creation order.
#include "mainwindow/frame/CalendarWindow.h"
#include "mainwindow/frame/Clock.h"

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
    SetCloseButton(false);
    SetTitle("Calendar");
    HasBackColor = false;
    BackColor = Color{};
}

void CalendarWindow::CreateControls() {
    CreateControls0();
}

// The controls in creation order, which is the order of their Open events.
void CalendarWindow::CreateControls0() {
    CreateBandControls();
    CreateTitleControls();
    CreateWeekControls();
    CreateTimers();
    CreateYearFaceControls();
    CreateLinkAreas();
}

// The top and bottom bands with the links bar and the home button.
void CalendarWindow::CreateBandControls() {
    TopCanvas = &Place<cCanvas>(*this, "TopCanvas", 421, 0, 182, 60, "T");
    HideAtStart(*TopCanvas, true);

    BottomCanvas = &Place<cCanvas>(*this, "BottomCanvas", 0, 527, 1024, 214, "");
    HideAtStart(*BottomCanvas, true);

    ZantriqueLogo = &Place<Canvas>(*this, "ZantriqueLogo", 783, 708, 232, 27, "");
    ZantriqueLogo->SetHelpTag("Goto");
    ZantriqueLogo->SetParent(BottomCanvas);
    ZantriqueLogo->OnOpen = [this] { ZantriqueLogo_Open(); };
    ZantriqueLogo->OnPaint = [this](Graphics& g) { ZantriqueLogo_Paint(g); };
    ZantriqueLogo->OnMouseDown = [this](int x, int y) { return ZantriqueLogo_MouseDown(x, y); };

    wwwLinksList = &Place<listboxButton>(*this, "wwwLinksList", -3, 530, 1030, 21, "LR");
    HideAtStart(*wwwLinksList, true);
    wwwLinksList->SetColumnCount(9);
    wwwLinksList->SetDefaultRowHeight(29);
    SetFont(*wwwLinksList, "Tahoma", 12, true);
    wwwLinksList->OnOpen = [this] { wwwLinksList_Open(); };
    wwwLinksList->OnCellBackgroundPaint = [this](Graphics& g, int row, int column) {
        return wwwLinksList_CellBackgroundPaint(g, row, column);
    };
    wwwLinksList->OnCellTextPaint = [this](Graphics& g, int row, int column, int x, int y) {
        return wwwLinksList_CellTextPaint(g, row, column, x, y);
    };
    wwwLinksList->OnCellClick = [this](int row, int column, int x, int y) {
        return wwwLinksList_CellClick(row, column, x, y);
    };
    wwwLinksList->OnMouseMove = [this](int x, int y) { wwwLinksList_MouseMove(x, y); };
    wwwLinksList->OnMouseExit = [this] { wwwLinksList_MouseExit(); };
    wwwLinksList->OnMouseDown = [this](int x, int y) { return wwwLinksList_MouseDown(x, y); };
    wwwLinksList->OnMouseUp = [this](int x, int y) { wwwLinksList_MouseUp(x, y); };

    HomeButton = &Place<cCanvas>(*this, "HomeButton", 30, 22, 76, 29, "LT");
    HideAtStart(*HomeButton, true);
    HomeButton->SetHelpTag("Goto");
    HomeButton->OnOpen = [this] { HomeButton_Open(); };
    HomeButton->OnPaint = [this](Graphics& g) { HomeButton_Paint(g); };
    HomeButton->OnMouseEnter = [this] { HomeButton_MouseEnter(); };
    HomeButton->OnMouseExit = [this] { HomeButton_MouseExit(); };
    HomeButton->OnMouseDown = [this](int x, int y) { return HomeButton_MouseDown(x, y); };
    HomeButton->OnMouseUp = [this](int x, int y) { HomeButton_MouseUp(x, y); };
}

// The hidden menu buttons and the clock.
void CalendarWindow::CreateTitleControls() {
    MainMenuButton = &Place<TextButton>(*this, "MainMenuButton", 987, 0, 37, 25, "TR");
    HideAtStart(*MainMenuButton, true);
    MainMenuButton->SetText("6");
    MainMenuButton->TextAlign = StaticText::AlignCenter;
    MainMenuButton->SetTextColor(RGB(0x80, 0x80, 0x80));
    MainMenuButton->TextFont = "Webdings";
    MainMenuButton->TextSize = 28;
    MainMenuButton->Bold = true;
    MainMenuButton->OnOpen = [this] { MainMenuButton_Open(); };
    MainMenuButton->OnAction = [this] { MainMenuButton_Action(); };

    menuButton2 = &Place<mouseButton>(*this, "menuButton2", 976, 6, 44, 18, "TR");
    menuButton2->SetBackdrop(menubutton());
    menuButton2->OnPaint = [this](Graphics& g) { menuButton2_Paint(g); };
    menuButton2->OnOpen = [this] { menuButton2_Open(); };
    menuButton2->OnMouseDown = [this](int x, int y) { return menuButton2_MouseDown(x, y); };

    theTimeText = &Place<StaticText>(*this, "theTimeText", 895, 37, 96, 20, "TR");
    theTimeText->SetText("-");
    theTimeText->TextAlign = StaticText::AlignCenter;
    theTimeText->SetTextColor(RGB(0, 0, 0));
    theTimeText->TextFont = "Arial";
    theTimeText->TextSize = 14;
    theTimeText->OnOpen = [this] { theTimeText_Open(); };
}

// The week face: its header, the two small months, the week grid and the to-do list.
void CalendarWindow::CreateWeekControls() {
    GlanceHeader = &Place<calList>(*this, "GlanceHeader", -1, 60, 1025, 60, "LR");
    HideAtStart(*GlanceHeader, false);
    GlanceHeader->SetColumnCount(13);
    GlanceHeader->SetDefaultRowHeight(20);
    SetFont(*GlanceHeader, "Arial", 12, false);
    GlanceHeader->OnOpen = [this] { GlanceHeader_Open(); };
    GlanceHeader->OnCellBackgroundPaint = [this](Graphics& g, int row, int column) {
        return PaintQuietly("week header",
                            [&] { return GlanceHeader_CellBackgroundPaint(g, row, column); });
    };
    GlanceHeader->OnCellClick = [this](int row, int column, int x, int y) {
        return GlanceHeader_CellClick(row, column, x, y);
    };
    GlanceHeader->OnMouseMove = [this](int x, int y) { GlanceHeader_MouseMove(x, y); };
    GlanceHeader->OnMouseExit = [this] { GlanceHeader_MouseExit(); };

    // Member 1 comes first and lies two pixels lower.
    for (int index : {1, 0}) {
        auto& mini = Place<MiniCalListControl>(*this, "MiniCalList", index, 856,
                                               index == 1 ? 121 : 119, 168, 132, "R");
        HideAtStart(mini, false);
        mini.SetColumnCount(7);
        mini.SetDefaultRowHeight(16);
        SetFont(mini, "Arial", 10, false);
        mini.OnOpen = [this, index] { MiniCalList_Open(index); };
        mini.OnKeyDown = [this, index](const std::string& key) {
            return MiniCalList_KeyDown(index, key);
        };
        mini.OnCellBackgroundPaint = [this, index](Graphics& g, int row, int column) {
            return PaintQuietly("small month", [&] {
                return MiniCalList_CellBackgroundPaint(index, g, row, column);
            });
        };
        mini.OnCellClick = [this, index](int row, int column, int x, int y) {
            return MiniCalList_CellClick(index, row, column, x, y);
        };
        MiniCalList[index] = &mini;
    }

    GlanceList = &Place<calList>(*this, "GlanceList", 0, 119, 856, 397, "LR");
    HideAtStart(*GlanceList, false);
    GlanceList->SetColumnCount(8);
    GlanceList->SetColumnWidths("60,*,*,*,*,*,*,*");
    GlanceList->SetDefaultRowHeight(-1);
    SetFont(*GlanceList, "Arial", 12, false);
    GlanceList->OnOpen = [this] { GlanceList_Open(); };
    GlanceList->OnMouseDown = [this](int x, int y) { return GlanceList_MouseDown(x, y); };
    GlanceList->OnKeyDown = [this](const std::string& key) { return GlanceList_KeyDown(key); };
    GlanceList->OnCellBackgroundPaint = [this](Graphics& g, int row, int column) {
        return PaintQuietly("week grid",
                            [&] { return GlanceList_CellBackgroundPaint(g, row, column); });
    };

    TodoList = &Place<ListBox>(*this, "TodoList", 856, 278, 168, 238, "R");
    HideAtStart(*TodoList, false);
    TodoList->SetColumnCount(3);
    TodoList->SetColumnWidths("20,*,20");
    TodoList->SetDefaultRowHeight(19);
    SetFont(*TodoList, "Arial", 10, true);
    TodoList->EnableDragReorder = true;
    TodoList->OnOpen = [this] { TodoList_Open(); };
    TodoList->OnCellBackgroundPaint = [this](Graphics& g, int row, int column) {
        return PaintQuietly("to-do list",
                            [&] { return TodoList_CellBackgroundPaint(g, row, column); });
    };
    TodoList->OnMouseDown = [this](int x, int y) { return TodoList_MouseDown(x, y); };
    TodoList->OnCellClick = [this](int row, int column, int x, int y) {
        return TodoList_CellClick(row, column, x, y);
    };
    TodoList->OnDoubleClick = [this] { TodoList_DoubleClick(); };
    TodoList->OnCellAction = [this](int row, int column) { TodoList_CellAction(row, column); };
    TodoList->OnChange = [this] { TodoList_Change(); };
    TodoList->OnDragReorderRows = [this](int newPosition, int parentRow) {
        return TodoList_DragReorderRows(newPosition, parentRow);
    };

    ToDoListHeader = &Place<Canvas>(*this, "ToDoListHeader", 856, 254, 168, 21, "R");
    HideAtStart(*ToDoListHeader, false);
    ToDoListHeader->OnOpen = [this] { ToDoListHeader_Open(); };
    ToDoListHeader->OnPaint = [this](Graphics& g) {
        PaintQuietly("to-do header", [&] {
            ToDoListHeader_Paint(g);
            return true;
        });
    };
    ToDoListHeader->OnMouseDown = [this](int x, int y) { return ToDoListHeader_MouseDown(x, y); };
}

// The timers, with the movie player among them.
void CalendarWindow::CreateTimers() {
    TimeTimer = &AddTimer<TimeTimerControl>(*this, "TimeTimer", Timer::ModeMultiple,
                                            MillisecondsToNextMinute(Date()));
    TimeTimer->OnAction = [this] { TimeTimer_Action(); };

    MoviePlayer1 = &Place<MoviePlayer>(*this, "MoviePlayer1", 236, 22, 32, 30, "");
    HideAtStart(*MoviePlayer1, false);
    MoviePlayer1->PlayerType = 1;
    MoviePlayer1->ControllerType = 1;

    PrintTimer = &AddTimer<PrintTimerControl>(*this, "PrintTimer", Timer::ModeOff, 500);
    PrintTimer->OnAction = [this] { PrintTimer_Action(); };

    DisplayScrollTimer =
        &AddTimer<DisplayScrollTimerControl>(*this, "DisplayScrollTimer", Timer::ModeOff, 333);
}

// The year grid and what lies over it: the menu strip, the hover tip, the quick-start help, the
// year arrows and the countdown badge.
void CalendarWindow::CreateYearFaceControls() {
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
    MenuBarCanvas->OnPaint = [this](Graphics& g) { MenuBarCanvas_Paint(g); };
    MenuBarCanvas->OnMouseDown = [this](int x, int y) { return MenuBarCanvas_MouseDown(x, y); };
    MenuBarCanvas->OnOpen = [this] { MenuBarCanvas_Open(); };
    MenuBarCanvas->OnMouseEnter = [this] { MenuBarCanvas_MouseEnter(); };
    MenuBarCanvas->OnMouseExit = [this] { MenuBarCanvas_MouseExit(); };

    tipCanvas = &Place<cCanvas>(*this, "tipCanvas", 283, 34, 89, 16, "");
    HideAtStart(*tipCanvas, false);

    QuickStartHelp = &Place<Canvas>(*this, "QuickStartHelp", 0, 0, 75, 97, "");
    QuickStartHelp->OnOpen = [this] { QuickStartHelp_Open(); };
    QuickStartHelp->OnMouseDown = [this](int x, int y) { return QuickStartHelp_MouseDown(x, y); };
    QuickStartHelp->OnPaint = [this](Graphics& g) { QuickStartHelp_Paint(g); };

    CalendarScrollButton = &Place<UpDownArrows>(*this, "CalendarScrollButton", 997, 30, 13, 23, "");
    CalendarScrollButton->OnUp = [this] { CalendarScrollButton_Up(); };
    CalendarScrollButton->OnOpen = [this] { CalendarScrollButton_Open(); };
    CalendarScrollButton->OnDown = [this] { CalendarScrollButton_Down(); };

    CountdownCanvas = &Place<cCanvas>(*this, "CountdownCanvas", 9, 388, 118, 130, "");
    CountdownCanvas->OnMouseDrag = [this](int x, int y) { CountdownCanvas_MouseDrag(x, y); };
    CountdownCanvas->OnMouseUp = [this](int x, int y) { CountdownCanvas_MouseUp(x, y); };
    CountdownCanvas->OnMouseDown = [this](int x, int y) { return CountdownCanvas_MouseDown(x, y); };
    CountdownCanvas->OnOpen = [this] { CountdownCanvas_Open(); };
    CountdownCanvas->OnPaint = [this](Graphics& g) { CountdownCanvas_Paint(g); };
}

// The five link areas over the background picture.
void CalendarWindow::CreateLinkAreas() {
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

namespace {
template <class T> T& As(MenuItem& item) {
    auto* typed = dynamic_cast<T*>(&item);
    if (!typed) throw NilObjectException("menu item " + item.Name + " is of another kind");
    return *typed;
}
} // namespace

MenuItem& CalendarWindow::HelpMenu() {
    return MenuItemNamed(MenuBar(), "HelpMenu");
}
MenuItem& CalendarWindow::HelpGotoURL() {
    return MenuItemNamed(MenuBar(), "HelpGotoURL");
}
MenuItem& CalendarWindow::UntitledItem() {
    return MenuItemNamed(MenuBar(), "UntitledItem");
}
MenuItem& CalendarWindow::HelpQuickStartHelp() {
    return MenuItemNamed(MenuBar(), "HelpQuickStartHelp");
}
MenuItem& CalendarWindow::HelpHelp() {
    return MenuItemNamed(MenuBar(), "HelpHelp");
}
MenuItem& CalendarWindow::EditMenu() {
    return MenuItemNamed(MenuBar(), "EditMenu");
}
MenuItem& CalendarWindow::EditToggleCDCanvas() {
    return MenuItemNamed(MenuBar(), "EditToggleCDCanvas");
}
MenuItem& CalendarWindow::UntitledMenu0() {
    return MenuItemNamed(MenuBar(), "UntitledMenu0");
}
PrefsMenuItem& CalendarWindow::ApplePreferences() {
    return As<PrefsMenuItem>(MenuItemNamed(MenuBar(), "ApplePreferences"));
}
AppleMenuItem& CalendarWindow::UntitledMenu6() {
    return As<AppleMenuItem>(MenuItemNamed(MenuBar(), "UntitledMenu6"));
}
AppleMenuItem& CalendarWindow::AppleAboutCalendar() {
    return As<AppleMenuItem>(MenuItemNamed(MenuBar(), "AppleAboutCalendar"));
}
MenuItem& CalendarWindow::EditClear() {
    return MenuItemNamed(MenuBar(), "EditClear");
}
MenuItem& CalendarWindow::EditPaste() {
    return MenuItemNamed(MenuBar(), "EditPaste");
}
MenuItem& CalendarWindow::EditCopy() {
    return MenuItemNamed(MenuBar(), "EditCopy");
}
MenuItem& CalendarWindow::EditCut() {
    return MenuItemNamed(MenuBar(), "EditCut");
}
MenuItem& CalendarWindow::UntitledMenu1() {
    return MenuItemNamed(MenuBar(), "UntitledMenu1");
}
MenuItem& CalendarWindow::EditUndo() {
    return MenuItemNamed(MenuBar(), "EditUndo");
}
MenuItem& CalendarWindow::FileMenu() {
    return MenuItemNamed(MenuBar(), "FileMenu");
}
QuitMenuItem& CalendarWindow::FileQuit() {
    return As<QuitMenuItem>(MenuItemNamed(MenuBar(), "FileQuit"));
}
MenuItem& CalendarWindow::UntitledMenu3() {
    return MenuItemNamed(MenuBar(), "UntitledMenu3");
}
MenuItem& CalendarWindow::FilePrint() {
    return MenuItemNamed(MenuBar(), "FilePrint");
}
MenuItem& CalendarWindow::FileClose() {
    return MenuItemNamed(MenuBar(), "FileClose");
}
MenuItem& CalendarWindow::UntitledMenu5() {
    return MenuItemNamed(MenuBar(), "UntitledMenu5");
}
