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

#include <array>
#include <cctype>
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

// Each step's letter is what follows it: H hover colour and inside, P pressed and inside,
// p pressed and outside, R rest colour and outside. The button is 40 x 20.
TEST_F(ButtonControlsTest, TextButtonColoursFollowThePointerAndOnlyAReleaseInsideActs) {
    struct Step {
        char op; // Enter, eXit, Down, drAg, Up
        int x, y;
        char after;
    };
    struct Case {
        std::vector<Step> steps;
        int actions;
    };
    const Case cases[] = {
        {{{'E', 0, 0, 'H'}, {'D', 5, 5, 'P'}, {'U', 5, 5, 'H'}}, 1},
        {{{'E', 0, 0, 'H'}, {'D', 5, 5, 'P'}, {'A', -1, 5, 'R'}, {'U', -1, 5, 'R'}}, 0},
        {{{'E', 0, 0, 'H'},
          {'D', 5, 5, 'P'},
          {'A', 41, 5, 'R'},
          {'A', 20, 9, 'P'},
          {'U', 0, 0, 'H'}},
         1},
        {{{'E', 0, 0, 'H'},
          {'D', 5, 5, 'P'},
          {'A', 40, 5, 'P'},
          {'A', 5, 0, 'P'},
          {'U', 40, 5, 'H'}},
         1},
        {{{'E', 0, 0, 'H'},
          {'D', 5, 5, 'P'},
          {'A', 5, 21, 'R'},
          {'A', 5, 20, 'R'},
          {'U', 5, 20, 'R'}},
         0},
        {{{'D', 5, 5, 'p'}, {'U', 5, 5, 'p'}, {'X', 0, 0, 'R'}}, 0},
    };
    Customization().menuColor = RGB(10, 20, 30);
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index++);
        TextButton button;
        button.SetBounds(0, 0, 40, 20);
        int actions = 0;
        button.OnAction = [&] { ++actions; };
        button.OnMouseDown = [](int, int) -> bool { throw std::logic_error("not the window's"); };
        for (const Step& step : c.steps) {
            if (step.op == 'E') button.Event_MouseEnter();
            if (step.op == 'X') button.Event_MouseExit();
            if (step.op == 'D') {
                EXPECT_TRUE(button.Event_MouseDown(step.x, step.y));
            }
            if (step.op == 'A') button.Event_MouseDrag(step.x, step.y);
            if (step.op == 'U') button.Event_MouseUp(step.x, step.y);
            const char look = static_cast<char>(std::toupper(step.after));
            EXPECT_EQ(button.TextColor(), look == 'H'   ? TextButton::kHoverColor
                                          : look == 'P' ? TextButton::kPressedColor
                                                        : RGB(10, 20, 30));
            EXPECT_EQ(button.MouseIn, step.after == 'H' || step.after == 'P');
        }
        EXPECT_EQ(actions, c.actions);
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
