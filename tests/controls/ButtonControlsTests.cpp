// The three button controls: the links bar's column search, the text button's colours and
// Action, and the hover button's flag and repaints.
#include "controls/TextButton.h"
#include "controls/listboxButton.h"
#include "controls/mouseButton.h"

#include "customisation/CustomizationModule.h"
#include "platform/Application.h"
#include "platform/Simulate.h"
#include "platform/Window.h"

#include "support/TestEnvironment.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

using ButtonControlsTest = IsolatedTest;

// A boundary pixel belongs to the column on its right; the last column takes everything past
// the others and is never marked; columns past the ten states are found but carry none.
TEST_F(ButtonControlsTest, GetColumnFindsTheColumnAndMarksOnlyTheOthers) {
    struct Case {
        int columns, x, column;
        std::array<int, 3> states;
    };
    for (const Case& c :
         {Case{3, 0, 0, {1, 0, 0}}, Case{3, 99, 0, {1, 0, 0}}, Case{3, 100, 1, {0, 1, 0}},
          Case{3, 180, 2, {0, 0, 0}}, Case{3, 500, 2, {0, 0, 0}}, Case{3, -7, 0, {1, 0, 0}},
          Case{1, 50, 0, {0, 0, 0}}, Case{13, 1125, 11, {0, 0, 0}}}) {
        SCOPED_TRACE(std::to_string(c.columns) + " columns, x " + std::to_string(c.x));
        listboxButton bar;
        bar.SetBounds(0, 0, 2000, 29);
        bar.SetColumnCount(c.columns);
        bar.SetColumnWidths("100,80,50,100,100,100,100,100,100,100,100,100");
        bar.AddRow("");
        EXPECT_EQ(bar.getColumn(c.x), c.column);
        EXPECT_EQ((std::array<int, 3>{bar.cellState[0], bar.cellState[1], bar.cellState[2]}),
                  c.states);
    }
}

// Pressed inside a 40 x 20 button, the pointer is dragged to one point, then another, and let
// go there. Only strictly inside or outside counts: on the border the button stays as it was.
TEST_F(ButtonControlsTest, TextButtonDragsDecideWhetherTheReleaseActs) {
    const struct {
        int viaX, viaY, x, y;
        bool inside; // pressed colour and acting on the release, or rest colour and not
    } drags[] = {
        {20, 9, -1, 5, false}, {20, 9, 5, 21, false}, {41, 5, 20, 9, true}, {20, 9, 40, 5, true},
        {20, 9, 5, 0, true},   {41, 5, 5, 20, false}, {41, 5, 0, 5, false}, {-1, 5, 5, 0, false},
    };
    Customization().menuColor = RGB(10, 20, 30);
    for (const auto& d : drags) {
        SCOPED_TRACE(std::to_string(d.x) + "," + std::to_string(d.y));
        TextButton button;
        button.SetBounds(0, 0, 40, 20);
        int actions = 0;
        button.OnAction = [&] { ++actions; };
        button.OnMouseDown = [](int, int) -> bool { throw std::logic_error("not the window's"); };
        button.Event_MouseEnter();
        EXPECT_TRUE(button.Event_MouseDown(5, 5));
        button.Event_MouseDrag(d.viaX, d.viaY);
        button.Event_MouseDrag(d.x, d.y);
        EXPECT_EQ(button.TextColor(), d.inside ? TextButton::kPressedColor : RGB(10, 20, 30));
        button.Event_MouseUp(d.x, d.y);
        EXPECT_EQ(actions, d.inside ? 1 : 0);
        EXPECT_EQ(button.TextColor(), d.inside ? TextButton::kHoverColor : RGB(10, 20, 30));
    }
    Customization() = CustomizationModule{};
}

TEST_F(ButtonControlsTest, HoverButtonRepaintsOnceForEachEnterAndLeaveWithTheNewFlag) {
    Application application;
    Window window;
    window.SetWidth(200);
    window.SetHeight(100);
    auto& button = window.AddControl(std::make_unique<mouseButton>(), "button");
    button.SetBounds(50, 20, 40, 20);
    std::vector<bool> paints;
    button.OnPaint = [&](Graphics&) { paints.push_back(button.mouseIn); };
    window.Show();
    DoEvents();
    paints.clear();
    Simulate::MouseMove(window, 60, 30);
    Simulate::Click(window, 60, 30);
    EXPECT_TRUE(button.mouseIn) << "a click leaves the flag alone";
    Simulate::MouseMove(window, 150, 80);
    EXPECT_EQ(paints, (std::vector<bool>{true, false}));
    window.Close();
}

// Hover and press light a link through its state; the bar repaints that link to show it.
TEST_F(ButtonControlsTest, LinksBarRepaintsALinkWhoseStateChanges) {
    Application application;
    Window window;
    window.SetWidth(300);
    window.SetHeight(100);
    auto& bar = window.AddControl(std::make_unique<listboxButton>(), "bar");
    bar.SetBounds(0, 0, 300, 29);
    bar.SetColumnCount(3);
    bar.SetColumnWidths("100,100,100");
    bar.AddRow("");
    std::vector<std::pair<int, int>> paints; // column, its state
    bar.OnCellBackgroundPaint = [&](Graphics&, int, int column) {
        paints.emplace_back(column, bar.StateOf(column));
        return true;
    };
    window.Show();
    DoEvents();
    for (const int state : {1, 2, 0}) {
        paints.clear();
        bar.SetState(1, state);
        DoEvents();
        EXPECT_TRUE(std::ranges::find(paints, std::pair(1, state)) != paints.end()) << state;
    }
    window.Close();
}
