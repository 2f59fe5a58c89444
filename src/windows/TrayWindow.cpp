#include "windows/TrayWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <memory>

namespace {
BevelButton& AddPageButton(Window& window, const char* name, int left, const char* caption) {
    BevelButton& button = window.AddControl(std::make_unique<BevelButton>(), name);
    button.SetBounds(left, -1, 18, 12);
    button.Bevel = BevelButton::NoBevel;
    button.TextFont = "Arial";
    button.TextSize = 12;
    button.SetCaption(caption);
    return button;
}

// The same civil date, whatever the time of day.
bool SameDay(const Date& a, const Date& b) {
    return a.SQLDate() == b.SQLDate();
}
} // namespace

TrayWindow::TrayWindow() {
    Layout();
    CreateControls();
}

TrayWindow& TrayWindow::Instance() {
    return OpenVisibleWindow<TrayWindow>();
}

void TrayWindow::Layout() {
    SetTitle("");
    SetWidth(162);
    SetHeight(148);
    SetFrame(GlobalFloating);
    HasBackColor = true;
    BackColor = RGB(224, 230, 254);
}

void TrayWindow::CreateControls() {
    CreateControls0();
}

// The buttons come after the calendar so that they lie on top of its title row.
void TrayWindow::CreateControls0() {
    Calendar = &AddControl(std::make_unique<calCanvas>(), "Calendar");
    Calendar->SetBounds(0, 0, 162, 148);
    Calendar->LockLeft = Calendar->LockTop = Calendar->LockRight = Calendar->LockBottom = true;
    Calendar->OnOpen = [this] { Calendar_Open(); };
    Calendar->OnPaint = [this](Graphics& g) { Calendar_Paint(g); };

    PreviousMonth = &AddPageButton(*this, "PreviousMonth", 0, "<");
    PreviousMonth->OnAction = [this] { PreviousMonth_Action(); };
    NextMonth = &AddPageButton(*this, "NextMonth", 144, ">");
    NextMonth->LockRight = true;
    NextMonth->OnAction = [this] { NextMonth_Action(); };
}

void TrayWindow::Calendar_Open() {
    const CalendarWindow& main = CalendarWindow::Instance();
    Calendar->DefaultRowHeight = static_cast<int>(main.Height() / 10.0 / 9.0);
    Calendar->ColumnsWidth = static_cast<int>(main.Width() / 10.0 / 7.0);
    // From the first of the month, so that paging never skips a month shorter than today's day.
    trayDate = Date();
    trayDate.SetDay(1);
}

void TrayWindow::Event_Open() {
    const CalendarWindow& main = CalendarWindow::Instance();
    const int width = static_cast<int>(main.Width() / 10.0);
    const int height = static_cast<int>(main.Height() / 10.0);
    SetWidth(width);
    SetHeight(height);
    const ScreenInfo screen = Screen(0);
    SetLeft(screen.AvailableWidth - width - 6);
    SetTop(screen.Height - (screen.Height - screen.AvailableHeight) - height - 6);
    BackColor = RGB(255, 255, 255);

    Backdrop = nullptr;
    if (const PicturePtr& background = Customization().backgroundImage) {
        auto backdrop = std::make_shared<Picture>(width, height, 32);
        backdrop->Graphics().DrawPicture(*background, 0, 0, width, height, 0, 0,
                                         background->Width(), background->Height());
        // A light grey mask lets the white window show through: about 29% of the picture.
        Graphics& mask = backdrop->Mask().Graphics();
        mask.ForeColor = RGB(180, 180, 180);
        mask.FillRect(0, 0, width, height);
        Backdrop = std::move(backdrop);
    }
    App().TrayWindowOpen = true;
}

void TrayWindow::Event_Close() {
    App().TrayWindowOpen = false;
}

void TrayWindow::Event_Paint(Graphics& g) {
    if (Backdrop) g.DrawPicture(*Backdrop, 0, 0);
}

void TrayWindow::PreviousMonth_Action() {
    PageBy(-1);
}

void TrayWindow::NextMonth_Action() {
    PageBy(1);
}

void TrayWindow::PageBy(int months) {
    trayDate.SetMonth(trayDate.Month() + months);
    Calendar->Refresh(true);
}

void TrayWindow::Calendar_Paint(Graphics& g) {
    const CustomizationModule& module = Customization();
    const int rowHeight = Calendar->DefaultRowHeight;
    const int columnWidth = Calendar->ColumnsWidth;
    const Date today;

    g.ForeColor = module.monthNamesColor;
    g.TextSize = 10;
    g.Bold = true;
    const std::string longDate = trayDate.LongDate();
    const std::string title = NthField(longDate, " ", 2) + " " + NthField(longDate, " ", 4);
    g.DrawString(title, static_cast<int>((Calendar->Width() - g.StringWidth(title)) / 2),
                 rowHeight - 1);

    g.ForeColor = module.dayHeaderColor;
    for (int i = 0; i < 7; ++i) {
        const std::string letter = NthField("S,M,T,W,T,F,S", ",", i + 1);
        const int w = static_cast<int>(g.StringWidth(letter));
        g.DrawString(letter, static_cast<int>(i * columnWidth + (columnWidth / 2.0 - w / 2.0)),
                     2 * rowHeight);
    }

    g.ForeColor = module.daysColor;
    trayDate.SetDay(1);
    // The day before the Sunday on or before the first; each cell steps one calendar day.
    Date d = trayDate;
    d.SetDay(1 - trayDate.DayOfWeek());
    for (int row = 2; row <= 7; ++row) {
        for (int column = 0; column <= 6; ++column) {
            d.SetDay(d.Day() + 1);
            std::string s = d.Month() == trayDate.Month() ? NthField(d.ShortDate(), "/", 2) : "";
            g.Bold = SameDay(d, today);
            if (s.size() == 1) s = " " + s;
            const int w = static_cast<int>(g.StringWidth(s));
            const double h = g.StringHeight(s, 99);
            g.DrawString(s, static_cast<int>(column * columnWidth + (columnWidth / 2.0 - w / 2.0)),
                         static_cast<int>(row * rowHeight + (rowHeight / 2.0 + h / 2.0)));
        }
    }
}
