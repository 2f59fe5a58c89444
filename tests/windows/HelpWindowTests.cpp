// The help window: the topic chosen decides the page shown, by click or key; a cleared choice
// keeps a page; the first page takes typing until the window closes.
#include "mainwindow/CalendarWindowFixture.h"

#include "app/Menu.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "windows/HelpText.h"
#include "windows/HelpWindow.h"

#include <string>

namespace {
class HelpWindowTest : public CalendarWindowTest {
  protected:
    // The page fields in topic order.
    static std::vector<EditField*> Pages(const HelpWindow& help) {
        return {help.HelpEdit[0], help.HelpEdit[1], help.HelpEdit[4],
                help.HelpEdit[2], help.EditField1,  help.HelpEdit[3]};
    }
    // The topics whose pages are shown.
    static std::vector<int> Shown(const HelpWindow& help) {
        std::vector<int> shown;
        const std::vector<EditField*> pages = Pages(help);
        for (int i = 0; i < static_cast<int>(pages.size()); ++i)
            if (pages[static_cast<std::size_t>(i)]->Shown()) shown.push_back(i);
        return shown;
    }
    static bool StartsWith(const std::string& text, const std::string& start) {
        return text.compare(0, start.size(), start) == 0;
    }
};
} // namespace

TEST_F(HelpWindowTest, OpensOnTheFirstTopicAndAClickOnATopicShowsItsOwnPage) {
    application.DoMenuCommand("HelpHelp");
    HelpWindow* help = FindOpenWindow<HelpWindow>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->Visible());
    EXPECT_EQ(help->ContentsList->ListIndex(), 0);
    EXPECT_EQ(Shown(*help), std::vector<int>{0});
    // Each page: its heading, an empty line and its first sentence, then what else it must tell.
    const struct {
        int topic;
        const char* start;
        std::vector<const char*> inside;
    } cases[] = {
        {1,
         "Using the Main Calendar\n\nMain or 3 Year Calendar\n\nThe main calendar displays when "
         "Lumaret Calendar application is opened, however once Lumaret Calendar has been started "
         "the calendar window can be hidden or quickly dispayed using the Quick Access Display "
         "Tab at the top of the computer screen.\n",
         {"change the year shown", "web"}},
        {2,
         "Using the Countdown Calendar\n\nThe countdown calendar is used to show the number of "
         "days remaining for a specified event.\n",
         {"\"Show Countdown Event\"", "title and the date", "Preferences"}},
        {3,
         "Week-At-A-Glance\n\nOpen the week-at-a-glance window by clicking on any date on the "
         "main calendar.\n",
         {"Click the cell of a day and hour to create an event.", "delete"}},
        {4,
         "To-Do\n\nThe to-do is located at the right of the week-at-a-glance window.\n",
         {"click the empty area below the items", "Click the \"X\" of an item to delete it."}},
        {5,
         "Lumaret Calendar Symbols\n\nThe current date is noted with a red circle around the "
         "date.\n\nDates with events or holidays are underlined",
         {}},
        {0,
         "Introduction to Lumaret Calendar\n\n",
         {"\nQuick Access Calendar\n", "\nThree Year Calendar\n", "\nCountdown Event\n",
          "\nWeek-at-a-glance Events\n", "\nTo Do List\n", "quick access to the information"}},
    };
    for (const auto& c : cases) {
        // A click in the middle of the topic's row.
        Simulate::Click(*help, 60, 35 + c.topic * 20 + 10);
        EXPECT_EQ(Shown(*help), std::vector<int>{c.topic});
        const std::string text = Pages(*help)[static_cast<std::size_t>(c.topic)]->Text();
        EXPECT_TRUE(StartsWith(text, c.start)) << text;
        for (const char* words : c.inside)
            EXPECT_NE(text.find(words), std::string::npos) << c.topic << ": " << words;
    }
}

TEST_F(HelpWindowTest, KeysMoveThroughTheTopicsAndAClearedChoiceKeepsAPage) {
    HelpWindow& help = HelpWindow::Instance();
    Simulate::Click(help, 60, 45);
    Simulate::Key(help, "Down");
    Simulate::Key(help, "Down");
    EXPECT_EQ(Shown(help), std::vector<int>{2});
    Simulate::Key(help, "Up");
    EXPECT_EQ(Shown(help), std::vector<int>{1});

    // Below the six rows.
    Simulate::Click(help, 60, 300);
    EXPECT_EQ(help.ContentsList->ListIndex(), -1);
    EXPECT_EQ(Shown(help), std::vector<int>{1});
}

TEST_F(HelpWindowTest, OnlyTheFirstPageTakesTypingAndOnlyWhileTheWindowLasts) {
    HelpWindow& help = HelpWindow::Instance();
    EXPECT_FALSE(help.HelpEdit[0]->ReadOnly());
    EXPECT_TRUE(help.HelpEdit[1]->ReadOnly());
    help.HelpEdit[0]->SetText("my notes");
    EXPECT_EQ(&HelpWindow::Instance(), &help) << "showing it again keeps it";
    EXPECT_EQ(help.HelpEdit[0]->Text(), "my notes");
    help.Close();
    DoEvents();
    EXPECT_TRUE(StartsWith(HelpWindow::Instance().HelpEdit[0]->Text(), "Introduction"));
}

// Minimising the help leaves the calendar alone, as the help is not linked to it; the Help
// command brings it back in front where the user left it; Escape closes it as its close box
// does, and the calendar has the keyboard again.
TEST_F(HelpWindowTest, MinimisedTheHelpCommandBringsItBackAndEscapeClosesIt) {
    CalendarWindow& calendar = CalendarWindow::Instance();
    ASSERT_TRUE(KeyboardAfterTheFirstFrame(calendar));
    application.DoMenuCommand("HelpHelp");
    HelpWindow& help = HelpWindow::Instance();
    EXPECT_EQ(TestSeams::AskedOfDesktop(help).inFrontOf, nullptr);
    EXPECT_TRUE(TestSeams::AskedOfDesktop(help).minimiseButton);
    Simulate::Click(help, 60, 35 + 3 * 20 + 10);
    Simulate::Minimise(help);
    application.DoMenuCommand("HelpHelp");
    EXPECT_FALSE(TestSeams::Minimised(help));
    EXPECT_FALSE(TestSeams::Minimised(calendar));
    EXPECT_EQ(TestSeams::FrontOrder().back(), &help);
    EXPECT_EQ(Shown(help), std::vector<int>{3});

    ASSERT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(help); }));
    Simulate::Key(help, "Esc");
    EXPECT_FALSE(help.IsOpen());
    EXPECT_TRUE(EventsUntil([&] { return TestSeams::HasKeyboard(calendar); }));
}

// What the help says of a shortcut holds: the key is the shortcut of the item that does it, and
// every key the help names is a shortcut of the menus.
TEST_F(HelpWindowTest, TheShortcutsTheHelpNamesAreTheMenus) {
    std::string help;
    for (const std::string& page : HelpText::kPages)
        help += page;
    const struct {
        const char* saying;
        const char* item;
    } shortcuts[] = {{"Ctrl+W slides the calendar away", "FileClose"},
                     {"Ctrl+P prints it", "FilePrint"},
                     {"Ctrl+Q quits", "FileQuit"}};
    for (const auto& shortcut : shortcuts) {
        SCOPED_TRACE(shortcut.saying);
        EXPECT_NE(help.find(shortcut.saying), std::string::npos);
        const MenuItem* item = Menu::Instance().ItemForKey(std::string(shortcut.saying, 6));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->Name, shortcut.item);
    }
    for (std::size_t at = help.find("Ctrl+"); at != std::string::npos;
         at = help.find("Ctrl+", at + 1))
        EXPECT_NE(Menu::Instance().ItemForKey(help.substr(at, 6)), nullptr) << help.substr(at, 30);
}
