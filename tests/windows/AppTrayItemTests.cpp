// The tray item, driven through its causes as the desktop would: its icon, the menu with the
// open to-do items taken literally, and what each choice opens.
#include "mainwindow/CalendarWindowFixture.h"

#include "mainwindow/frame/CalendarWindow.h"
#include "platform/TestSeams.h"
#include "windows/AboutWindow.h"
#include "windows/AppTrayItem.h"
#include "windows/PreferencesWindow.h"
#include "windows/TrayWindow.h"

#include <cstdlib>

namespace {
class AppTrayItemTest : public CalendarWindowTest {
  protected:
    // Opens the menu and chooses the item whose text is choice (or nothing); the entries shown.
    std::vector<TestSeams::MenuEntry> RightClick(const std::string& choice = {}) {
        TestSeams::AnswerMenus([&](const std::vector<TestSeams::MenuEntry>& entries) {
            for (const auto& entry : entries)
                if (!choice.empty() && entry.text == choice) return entry.name;
            return std::string();
        });
        item.Event_Action(TrayItem::RightClick);
        return TestSeams::Menus().back();
    }
    static std::vector<std::string> Texts(const std::vector<TestSeams::MenuEntry>& entries) {
        std::vector<std::string> texts;
        for (const auto& entry : entries)
            texts.push_back(std::string(entry.depth, '>') + entry.text);
        return texts;
    }
    void AddToDo(const std::string& text, bool done) {
        ListBox& list = *CalendarWindow::Instance().TodoList;
        list.AddRow();
        list.SetCellCheck(list.LastIndex(), 0, done);
        list.SetCell(list.LastIndex(), 1, text);
    }
    AppTrayItem item;
};
} // namespace

TEST_F(AppTrayItemTest, TheIconShowsTodaysDayCentredOnItsMiddle) {
    for (int day : {1, 31}) {
        Date::FixClock(Date(2026, 1, day, 12, 0).TotalSeconds());
        item.UpdateIcon();
        const Picture& icon = *item.Icon();
        ASSERT_EQ(icon.Width(), 32);
        // The digits' solid ink.
        int left = 32, right = -1;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (icon.Pixel(x, y) == RGB(10, 10, 10)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        ASSERT_GE(right, 0) << day;
        EXPECT_LE(std::abs(left + right + 1 - 32), 2) << day << ": " << left << " to " << right;
    }
}

TEST_F(AppTrayItemTest, TheClockRedrawsTheIconWhenTheDayChanges) {
    Date::FixClock(Date(2026, 1, 1, 23, 59).TotalSeconds());
    application.currentDate = Date();
    application.mAppTrayItem = std::make_unique<AppTrayItem>();
    const PicturePtr first = application.mAppTrayItem->Icon();
    CalendarWindow& calendar = CalendarWindow::Instance();
    calendar.TimeTimer_Action();
    EXPECT_EQ(application.mAppTrayItem->Icon(), first) << "the same day";
    Date::FixClock(Date(2026, 1, 2, 0, 0).TotalSeconds());
    calendar.TimeTimer_Action();
    EXPECT_NE(application.mAppTrayItem->Icon(), first);
}

TEST_F(AppTrayItemTest, TheMenuListsOpenToDoItemsAsTheyAreWritten) {
    AddToDo("Call A & B", false);
    AddToDo("Done already", true);
    AddToDo("-", false);
    AddToDo("Preferences", false);
    EXPECT_EQ(Texts(RightClick()),
              (std::vector<std::string>{"&About Calendar", "-", "To Do Items", ">Call A & B", ">-",
                                        ">Preferences", "Show Mini Calendar", "-", "Preferences"}));

    // The to-do item comes first and, though it reads like a command, does nothing.
    bool modal = false;
    TestSeams::WhenModal([&](Window&) { modal = true; });
    RightClick("Preferences");
    EXPECT_FALSE(modal);
    EXPECT_FALSE(FindOpenWindow<AboutWindow>());
}

TEST_F(AppTrayItemTest, ClicksShowAndHideTheMonthAndTheMenuOpensItsWindows) {
    item.Event_Action(TrayItem::LeftClick);
    EXPECT_TRUE(FindOpenWindow<TrayWindow>());
    EXPECT_EQ(Texts(RightClick())[3], "Hide Mini Calendar") << "after the empty to-do submenu";
    item.Event_Action(TrayItem::LeftClick);
    EXPECT_FALSE(FindOpenWindow<TrayWindow>());
    EXPECT_FALSE(application.TrayWindowOpen);

    item.Event_Action(TrayItem::DoubleClick);
    item.Event_Action(TrayItem::DoubleClick);
    EXPECT_TRUE(application.TrayWindowOpen) << "a double click only shows it";
    RightClick("Hide Mini Calendar");
    EXPECT_FALSE(application.TrayWindowOpen);
    RightClick("Show Mini Calendar");
    EXPECT_TRUE(application.TrayWindowOpen);
    item.Event_Action(999);
    EXPECT_TRUE(application.TrayWindowOpen);

    RightClick("&About Calendar");
    EXPECT_TRUE(FindOpenWindow<AboutWindow>());
    bool preferences = false;
    TestSeams::WhenModal(
        [&](Window& shown) { preferences = dynamic_cast<PreferencesWindow*>(&shown) != nullptr; });
    RightClick("Preferences");
    EXPECT_TRUE(preferences);
}
