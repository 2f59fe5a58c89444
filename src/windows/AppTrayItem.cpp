#include "windows/AppTrayItem.h"

#include "app/App.h"
#include "customisation/BuiltInPictures.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Graphics.h"
#include "windows/AboutWindow.h"
#include "windows/PreferencesWindow.h"
#include "windows/TrayWindow.h"

#include <string>

namespace {
// The menu's items are told apart by name, never by caption: a to-do item may read like
// any of the others.
constexpr const char* kAbout = "TrayAbout";
constexpr const char* kShowMonth = "TrayShowMiniCalendar";
constexpr const char* kHideMonth = "TrayHideMiniCalendar";
constexpr const char* kPreferences = "TrayPreferences";

void ShowOrHideMonth(bool show) {
    if (show)
        TrayWindow::Instance().Show();
    else if (TrayWindow* month = FindOpenWindow<TrayWindow>())
        month->Close();
}
} // namespace

AppTrayItem::AppTrayItem() {
    UpdateIcon();
    SetHelpTag("Ombrelline Calendar");
}

void AppTrayItem::UpdateIcon() {
    const Date now;
    auto icon = std::make_shared<Picture>(32, 32, 32);
    Graphics& g = icon->Graphics();
    if (const PicturePtr page = trayIcon48x48())
        g.DrawPicture(*page, 0, 0, 32, 32, 0, 0, page->Width(), page->Height());
    // The whole icon is opaque.
    Graphics& mask = icon->Mask().Graphics();
    mask.ForeColor = RGB(0, 0, 0);
    mask.FillRect(0, 0, 32, 32);
    g.TextSize = 22;
    g.TextFont = "Courier New";
    g.Bold = true;
    g.ForeColor = RGB(10, 10, 10);
    const std::string day = std::to_string(now.Day());
    const int width = static_cast<int>(g.StringWidth(day));
    g.DrawString(day, static_cast<int>(16 - width / 2.0), 28);
    SetIcon(std::move(icon));
}

void AppTrayItem::Event_Action(int cause) {
    switch (cause) {
    case LeftClick:
        ShowOrHideMonth(!App().TrayWindowOpen);
        break;
    case DoubleClick:
        ShowOrHideMonth(true);
        break;
    case RightClick:
        PopUpMenu(BuildMenu(), [this](const MenuItem& item) { Choose(item); });
        break;
    default:
        break;
    }
}

std::unique_ptr<MenuItem> AppTrayItem::BuildMenu() const {
    auto menu = std::make_unique<MenuItem>("TrayMenu", "", "", true);
    menu->Append(std::make_unique<MenuItem>(kAbout, "&About Calendar", "", true));
    menu->Append(std::make_unique<MenuItem>("TraySeparator1", "-", "", true));
    MenuItem& todo =
        menu->Append(std::make_unique<SubmenuItem>("TrayToDoItems", "To Do Items", "", true));
    // Read in one go: letting the event loop run between rows could close the list's window.
    const ListBox& list = *CalendarWindow::Instance().TodoList;
    for (int row = 0; row < list.ListCount(); ++row)
        if (!list.CellCheck(row, 0))
            todo.Append(std::make_unique<LiteralMenuItem>("TrayToDo" + std::to_string(row),
                                                          list.Cell(row, 1), "", true));
    if (App().TrayWindowOpen)
        menu->Append(std::make_unique<MenuItem>(kHideMonth, "Hide Mini Calendar", "", true));
    else
        menu->Append(std::make_unique<MenuItem>(kShowMonth, "Show Mini Calendar", "", true));
    menu->Append(std::make_unique<MenuItem>("TraySeparator2", "-", "", true));
    menu->Append(std::make_unique<MenuItem>(kPreferences, "Preferences", "", true));
    return menu;
}

void AppTrayItem::Choose(const MenuItem& item) {
    const std::string name = item.Name;
    if (name == kAbout)
        AboutWindow::Instance().Show();
    else if (name == kShowMonth)
        ShowOrHideMonth(true);
    else if (name == kHideMonth)
        ShowOrHideMonth(false);
    else if (name == kPreferences)
        PreferencesWindow::Instance().ShowModal();
}
