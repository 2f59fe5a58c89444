// Menus: look-up, shortcuts and the road a command takes.
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/EditField.h"
#include "platform/MenuBar.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"

#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::string> journal;

class MenuApp : public Application {
  public:
    void Event_EnableMenuItems() override { journal.push_back("app enable"); }
};

class MenuWindow : public Window {
  public:
    void Event_EnableMenuItems() override { journal.push_back("window enable"); }
    bool MenuBandContains(int, int y) const override { return y < 30; }
    bool takes = false;

  protected:
    void AddMenuHandlers() override {
        AddMenuHandler("Save", [this] {
            journal.push_back("window save");
            return takes;
        });
    }
};

struct Bar : MenuBar {
    Bar() {
        MenuItem& file = Append(std::make_unique<MenuItem>("FileMenu", "File", "", true));
        file.Append(std::make_unique<MenuItem>("Save", "Save", "Cmd+S", false));
        file.Append(std::make_unique<MenuItem>("Spacer", "-", "", true));
        file.Append(std::make_unique<QuitMenuItem>("Quit", "Quit", "Cmd+Q", true));
        MenuItem& edit = Append(std::make_unique<MenuItem>("EditMenu", "Edit", "", true));
        edit.Append(std::make_unique<MenuItem>("Spacer", "-", "", true));
        edit.Append(std::make_unique<MenuItem>("Undo", "Undo", "Cmd+Z", false));
        edit.Append(std::make_unique<MenuItem>("Cut", "Cut", "Cmd+X", false));
        edit.Append(std::make_unique<MenuItem>("Paste", "Paste", "Cmd+V", false));
    }
};

class MenuTest : public IsolatedTest {
  protected:
    MenuTest() {
        journal.clear();
        application.SetMenuBar(&bar);
        application.AddMenuHandler("Save", [] {
            journal.push_back("app save");
            return false;
        });
    }
    ~MenuTest() override {
        for (Window* window : OpenWindows())
            window->Close();
    }
    MenuApp application;
    Bar bar;
};
} // namespace

TEST_F(MenuTest, ItemsAreFoundByNameThroughAllMenusAndShortcutsUseControl) {
    EXPECT_EQ(bar.FindItem("save")->Name, "Save") << "names ignore letter case";
    EXPECT_EQ(bar.FindItem("Spacer"), bar.Child("FileMenu")->Child("Spacer"));
    EXPECT_EQ(bar.FindItem("Nothing"), nullptr);
    EXPECT_EQ(bar.ItemForKey("Ctrl+Z"), bar.FindItem("Undo"));
    EXPECT_EQ(bar.ItemForKey("Ctrl+K"), nullptr);
    EXPECT_FALSE(bar.FindItem("Save")->Enabled) << "starts enabled only when it auto-enables";
}

TEST_F(MenuTest, CommandsReachTheFrontWindowFirstAndTheApplicationAfterFalse) {
    MenuWindow& window = OpenWindow<MenuWindow>();
    EXPECT_FALSE(application.DoMenuCommand("Save"));
    EXPECT_EQ(journal, (std::vector<std::string>{"window save", "app save"}));
    journal.clear();
    window.takes = true;
    EXPECT_TRUE(application.DoMenuCommand("Save"));
    EXPECT_EQ(journal, (std::vector<std::string>{"window save"}));
}

TEST_F(MenuTest, ShortcutsUpdateTheMenusAndTitlesFirstAndActOnlyOnEnabledItems) {
    MenuWindow& window = OpenWindow<MenuWindow>();
    window.Show();
    Simulate::Key(window, "Ctrl+S");
    EXPECT_EQ(journal, (std::vector<std::string>{"window enable", "app enable"}))
        << "a disabled item does nothing";
    // A title is enabled while any item besides separators is.
    EXPECT_TRUE(bar.Child("FileMenu")->Enabled);
    EXPECT_FALSE(bar.Child("EditMenu")->Enabled);
    journal.clear();
    bar.FindItem("Save")->Enabled = true;
    Simulate::Key(window, "Ctrl+S");
    EXPECT_EQ(journal,
              (std::vector<std::string>{"window enable", "app enable", "window save", "app save"}));
    Simulate::Key(window, "Ctrl+Q");
    EXPECT_TRUE(application.QuitRequested());
}

TEST_F(MenuTest, RightClickInTheBandPopsUpTheMenusAfterTheUpdate) {
    MenuWindow& window = OpenWindow<MenuWindow>();
    window.Show();
    bar.FindItem("Save")->Enabled = true;
    TestSeams::AnswerMenus([](const std::vector<TestSeams::MenuEntry>& entries) {
        EXPECT_EQ(entries.front().name, "FileMenu");
        EXPECT_EQ(entries[1].depth, 1);
        return std::string("Save");
    });
    Simulate::MouseDown(window, 100, 10, true);
    Simulate::MouseUp(window, 100, 10);
    ASSERT_EQ(TestSeams::Menus().size(), 1u);
    EXPECT_EQ(journal,
              (std::vector<std::string>{"window enable", "app enable", "window save", "app save"}));
    // A disabled item cannot be chosen.
    journal.clear();
    TestSeams::AnswerMenus([](const auto&) { return std::string("Undo"); });
    Simulate::MouseDown(window, 100, 10, true);
    EXPECT_EQ(journal, (std::vector<std::string>{"window enable", "app enable"}));
}

// While a modal window is open no menu command acts, by its shortcut or from the menus, and the
// editing keys stay with the dialog's text field; afterwards the shortcuts act again.
TEST_F(MenuTest, BehindAModalWindowNoCommandActsAndTheEditingKeysStayWithTheField) {
    MenuWindow& window = OpenWindow<MenuWindow>();
    window.Show();
    for (const char* name : {"Save", "Cut", "Paste"})
        bar.FindItem(name)->Enabled = true;
    TestSeams::AnswerMenus([](const auto&) { return std::string("Save"); });
    Window dialog;
    dialog.SetFrame(Window::MovableModal);
    EditField& field = dialog.AddControl(std::make_unique<EditField>(), "field");
    field.SetBounds(10, 10, 200, 22);
    std::string cut, pasted;
    TestSeams::WhenModal([&](Window& shown) {
        field.SetText("Dentist");
        field.SetFocus();
        for (const char* key : {"Ctrl+S", "Ctrl+Q", "Ctrl+W"})
            Simulate::Key(shown, key);
        bar.PopUp(0, 0);
        Simulate::MouseDown(window, 100, 10, true);
        Simulate::MouseUp(window, 100, 10);
        for (const char* key : {"Ctrl+A", "Ctrl+X"})
            Simulate::Key(shown, key);
        cut = field.Text();
        Simulate::Key(shown, "Ctrl+V");
        pasted = field.Text();
    });
    dialog.ShowModal();
    EXPECT_EQ(journal, std::vector<std::string>{});
    EXPECT_TRUE(TestSeams::Menus().empty());
    EXPECT_FALSE(application.QuitRequested());
    EXPECT_EQ(cut, "");
    EXPECT_EQ(pasted, "Dentist");

    Simulate::Key(window, "Ctrl+S");
    EXPECT_EQ(journal,
              (std::vector<std::string>{"window enable", "app enable", "window save", "app save"}));
}

// Outside modal windows too, a key that names an item nothing would act on (disabled, or with no
// handler) stays with the text field that has the keyboard.
TEST_F(MenuTest, KeysOfItemsThatNothingActsOnStayWithTheField) {
    MenuWindow& window = OpenWindow<MenuWindow>();
    EditField& field = window.AddControl(std::make_unique<EditField>(), "field");
    field.SetBounds(10, 40, 200, 22);
    window.Show();
    bar.FindItem("Cut")->Enabled = true; // but without a handler
    field.SetText("Dentist");
    field.SetFocus();
    for (const char* key : {"Ctrl+A", "Ctrl+X"})
        Simulate::Key(window, key);
    EXPECT_EQ(field.Text(), "");
    Simulate::Key(window, "Ctrl+V");
    EXPECT_EQ(field.Text(), "Dentist");
    Simulate::Key(window, "Ctrl+Z");
    EXPECT_EQ(field.Text(), "");
}
