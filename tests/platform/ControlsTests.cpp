// The toolkit-drawn controls: which changes raise their events and which do not, the keys of
// text fields and dialog buttons, pop-up menus at the mouse, the beep and modal windows.
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/CheckBox.h"
#include "platform/EditField.h"
#include "platform/Exceptions.h"
#include "platform/MenuBar.h"
#include "platform/PopupMenu.h"
#include "platform/PushButton.h"
#include "platform/Simulate.h"
#include "platform/Slider.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"

#include <string>
#include <vector>

namespace {
class ControlsTest : public IsolatedTest {
  protected:
    ControlsTest() {
        window.SetWidth(300);
        window.SetHeight(200);
    }
    ~ControlsTest() override { window.Close(); }
    template <class T> T& Add(const std::string& name, int left, int top, int width, int height) {
        T& control = window.AddControl(std::make_unique<T>(), name);
        control.SetBounds(left, top, width, height);
        return control;
    }
    Application application;
    Window window;
};
} // namespace

TEST_F(ControlsTest, EditFieldTakesTypedKeysUnlessRefusedOrLimitedOrReadOnly) {
    auto& field = Add<EditField>("field", 10, 10, 200, 22);
    std::vector<std::string> changes;
    field.OnTextChange = [&] { changes.push_back(field.Text()); };
    field.OnKeyDown = [](const std::string& key) { return key >= "0" && key <= "9"; };
    window.Show();
    field.SetFocus();
    field.SetText("ab");
    EXPECT_EQ(changes, (std::vector<std::string>{"ab"}));
    Simulate::Type(window, "c1D");
    EXPECT_EQ(field.Text(), "abcD") << "the handler refuses digits";

    field.SetLimitText(5);
    Simulate::Type(window, "efg");
    EXPECT_EQ(field.Text(), "abcDe");
    field.SetText("0123456789");
    EXPECT_EQ(field.Text(), "01234");
    field.SetLimitText(0);
    field.SetReadOnly(true);
    Simulate::Type(window, "x");
    EXPECT_EQ(field.Text(), "01234");
}

TEST_F(ControlsTest, ReturnAndEscapeFromAFieldPressTheShownEnabledDefaultAndCancelButtons) {
    auto& field = Add<EditField>("field", 10, 10, 200, 22);
    auto& plain = Add<PushButton>("plain", 10, 40, 60, 20);
    auto& save = Add<PushButton>("save", 80, 40, 60, 20);
    auto& cancel = Add<PushButton>("cancel", 150, 40, 60, 20);
    save.Default = true;
    cancel.Cancel = true;
    std::vector<std::string> pressed;
    for (PushButton* button : {&plain, &save, &cancel})
        button->OnAction = [&pressed, button] { pressed.push_back(button->Name()); };
    window.Show();
    field.SetFocus();
    for (const char* key : {"Return", "Enter", "Esc"})
        Simulate::Key(window, key);
    Simulate::Click(window, 40, 50);
    save.SetEnabled(false);
    cancel.SetVisible(false);
    Simulate::Key(window, "Return");
    Simulate::Key(window, "Esc");
    EXPECT_EQ(pressed, (std::vector<std::string>{"save", "save", "cancel", "plain"}));
}

TEST_F(ControlsTest, FocusLeavingAFieldIsReportedButNotWhenItsWindowIsDestroyed) {
    auto& first = Add<EditField>("first", 10, 10, 200, 22);
    auto& second = Add<EditField>("second", 10, 40, 200, 22);
    int lost = 0;
    first.OnLostFocus = [&] { ++lost; };
    window.Show();
    Simulate::Activate(window);
    first.SetFocus();
    second.SetFocus();
    EXPECT_EQ(lost, 1);
    {
        auto owner = std::make_unique<Window>();
        auto& field = owner->AddControl(std::make_unique<EditField>(), "field");
        field.SetBounds(10, 10, 200, 22);
        field.OnLostFocus = [&] { ++lost; };
        owner->Show();
        Simulate::Activate(*owner);
        field.SetFocus();
        ASSERT_TRUE(field.HasFocus());
    }
    EXPECT_EQ(lost, 1);
}

TEST_F(ControlsTest, CheckBoxActsOnClicksOnly) {
    auto& box = Add<CheckBox>("box", 10, 10, 16, 14);
    int actions = 0;
    box.OnAction = [&] { ++actions; };
    window.Show();
    box.SetValue(true);
    EXPECT_EQ(actions, 0);
    Simulate::Click(window, 17, 17);
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(box.Value());
}

TEST_F(ControlsTest, PopupMenuChangesOnTheUsersChoiceOnly) {
    auto& menu = Add<PopupMenu>("month", 10, 10, 100, 20);
    int changes = 0;
    menu.OnChange = [&] { ++changes; };
    window.Show();
    for (const char* month : {"January", "February", "March"})
        menu.AddRow(month);
    menu.SetListIndex(1);
    Simulate::Choose(menu, 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(menu.Text(), "March");
    menu.SetListIndex(7);
    EXPECT_EQ(menu.ListIndex(), -1);
    EXPECT_THROW(menu.RemoveRow(-1), OutOfBoundsException);
    menu.RemoveRow(0);
    menu.DeleteAllRows();
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlsTest, SliderReportsTheUserOnlyAndKeepsItsValueInRange) {
    auto& slider = Add<Slider>("slider", 10, 10, 108, 20);
    std::vector<int> values;
    slider.OnValueChanged = [&] { values.push_back(slider.Value()); };
    window.Show();
    slider.SetMinimum(1);
    slider.SetMaximum(24);
    slider.SetValue(30);
    EXPECT_EQ(slider.Value(), 24);
    slider.SetMaximum(10);
    EXPECT_EQ(slider.Value(), 10);
    slider.SetValue(0);
    EXPECT_EQ(slider.Value(), 1);
    EXPECT_TRUE(values.empty());
    Simulate::Slide(slider, 5);
    slider.SetLiveScroll(false);
    Simulate::Slide(slider, 7);
    EXPECT_EQ(values, (std::vector<int>{5, 7}));
    // A maximum below the minimum leaves a range of one value.
    slider.SetMaximum(0);
    EXPECT_EQ(slider.Value(), 0);
    EXPECT_EQ(slider.Minimum(), 0);
}

TEST_F(ControlsTest, PopUpMenuReturnsTheChosenEnabledItemOrNothing) {
    MenuItem menu("");
    for (const char* text : {"January", "-", "February", "March"})
        menu.Append(std::make_unique<MenuItem>(text)).Tag = std::string("tag ") + text;
    menu.Item(3)->Enabled = false;
    std::string answer;
    TestSeams::AnswerMenus([&](const auto&) { return answer; });
    struct Case {
        std::string answer, chosenTag; // empty: nothing chosen
    };
    for (const Case& test : {Case{"February", "tag February"}, Case{"", ""}, Case{"March", ""},
                             Case{"-", ""}, Case{"May", ""}}) {
        answer = test.answer;
        const MenuItem* chosen = menu.PopUp(window, 20, 20);
        EXPECT_EQ(chosen ? chosen->Tag : "", test.chosenTag) << test.answer;
    }
    EXPECT_FALSE(TestSeams::Menus().at(0).at(3).enabled);
}

TEST_F(ControlsTest, ModalWindowTakesKeysAndClosesFromItsOwnButton) {
    auto& field = Add<EditField>("title", 10, 10, 200, 22);
    auto& save = Add<PushButton>("save", 80, 40, 60, 20);
    save.Default = true;
    std::string saved;
    save.OnAction = [&] {
        saved = field.Text();
        window.Close();
    };
    bool ran = false;
    TestSeams::WhenModal([&](Window& shown) {
        ran = &shown == &window;
        field.SetFocus();
        Simulate::Type(shown, "Lunch");
        Simulate::Key(shown, "Return");
    });
    window.ShowModal();
    EXPECT_TRUE(ran);
    EXPECT_EQ(saved, "Lunch");
    EXPECT_FALSE(window.IsOpen());
}
