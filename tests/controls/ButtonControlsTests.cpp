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
#include <memory>
#include <vector>

namespace {
class ButtonControlsTest : public IsolatedTest {
  protected:
    ButtonControlsTest() { Customization() = CustomizationModule{}; }
    ~ButtonControlsTest() override { Customization() = CustomizationModule{}; }
};

listboxButton& LinksBar(std::unique_ptr<listboxButton>& holder, int columns,
                        const std::string& widths) {
    holder = std::make_unique<listboxButton>();
    holder->SetBounds(0, 0, 230, 29);
    holder->SetColumnCount(columns);
    holder->SetColumnWidths(widths);
    holder->AddRow("");
    return *holder;
}
} // namespace

// A boundary pixel belongs to the column on its right; the last column takes everything past
// the others and is never marked.
TEST_F(ButtonControlsTest, GetColumnFindsTheColumnAndMarksOnlyTheOthers) {
    struct Case {
        int x, column;
        std::array<int, 3> states;
    };
    const Case cases[] = {{0, 0, {1, 0, 0}},   {99, 0, {1, 0, 0}},  {100, 1, {0, 1, 0}},
                          {179, 1, {0, 1, 0}}, {180, 2, {0, 0, 0}}, {500, 2, {0, 0, 0}},
                          {-7, 0, {1, 0, 0}}};
    std::unique_ptr<listboxButton> holder;
    for (const Case& c : cases) {
        listboxButton& bar = LinksBar(holder, 3, "100,80,50");
        SCOPED_TRACE(c.x);
        EXPECT_EQ(bar.getColumn(c.x), c.column);
        EXPECT_EQ((std::array<int, 3>{bar.cellState[0], bar.cellState[1], bar.cellState[2]}),
                  c.states);
    }
    listboxButton& single = LinksBar(holder, 1, "");
    for (int x : {-1, 0, 229, 5000})
        EXPECT_EQ(single.getColumn(x), 0);
    EXPECT_EQ(single.cellState[0], 0);
}

// States have room for ten columns; a wider list is searched without writing past them.
TEST_F(ButtonControlsTest, ColumnsPastTheTenStatesAreFoundButCarryNoState) {
    std::unique_ptr<listboxButton> holder;
    listboxButton& bar = LinksBar(holder, 13, "10,10,10,10,10,10,10,10,10,10,10,10");
    EXPECT_EQ(bar.getColumn(115), 11);
    EXPECT_EQ(bar.StateOf(11), 0);
    bar.SetState(11, 2);
    EXPECT_EQ(bar.StateOf(11), 0);
    EXPECT_EQ(bar.getColumn(95), 9);
    EXPECT_EQ(bar.StateOf(9), 1);
}

namespace {
enum class Op { Enter, Exit, Down, Drag, Up };
struct Step {
    Op op;
    int x, y;
    char colour; // r rest, h hover, p pressed
    bool mouseIn;
};
struct Sequence {
    const char* what;
    std::vector<Step> steps;
    int actions;
};
// The button is 40 x 20.
const Sequence kSequences[] = {
    {"press and release in place",
     {{Op::Enter, 0, 0, 'h', true}, {Op::Down, 5, 5, 'p', true}, {Op::Up, 5, 5, 'h', true}},
     1},
    {"drag strictly outside, release outside",
     {{Op::Enter, 0, 0, 'h', true},
      {Op::Down, 5, 5, 'p', true},
      {Op::Drag, -1, 5, 'r', false},
      {Op::Up, -1, 5, 'r', false}},
     0},
    {"out and back in",
     {{Op::Enter, 0, 0, 'h', true},
      {Op::Down, 5, 5, 'p', true},
      {Op::Drag, 41, 5, 'r', false},
      {Op::Drag, 20, 10, 'p', true},
      {Op::Up, 20, 10, 'h', true}},
     1},
    {"onto the border from inside",
     {{Op::Enter, 0, 0, 'h', true},
      {Op::Down, 5, 5, 'p', true},
      {Op::Drag, 40, 5, 'p', true},
      {Op::Drag, 5, 0, 'p', true},
      {Op::Up, 40, 5, 'h', true}},
     1},
    {"onto the border from outside",
     {{Op::Enter, 0, 0, 'h', true},
      {Op::Down, 5, 5, 'p', true},
      {Op::Drag, 5, 21, 'r', false},
      {Op::Drag, 5, 20, 'r', false},
      {Op::Up, 5, 20, 'r', false}},
     0},
    {"a release without a press inside",
     {{Op::Down, 5, 5, 'p', false}, {Op::Up, 5, 5, 'p', false}, {Op::Exit, 0, 0, 'r', false}},
     0},
};
} // namespace

TEST_F(ButtonControlsTest, TextButtonColoursFollowThePointerAndReleaseInsideActs) {
    Customization().menuColor = RGB(10, 20, 30);
    for (const Sequence& sequence : kSequences) {
        SCOPED_TRACE(sequence.what);
        TextButton button;
        button.SetBounds(0, 0, 40, 20);
        int actions = 0;
        button.OnAction = [&] { ++actions; };
        for (const Step& step : sequence.steps) {
            switch (step.op) {
            case Op::Enter:
                button.Event_MouseEnter();
                break;
            case Op::Exit:
                button.Event_MouseExit();
                break;
            case Op::Down:
                EXPECT_TRUE(button.Event_MouseDown(step.x, step.y));
                break;
            case Op::Drag:
                button.Event_MouseDrag(step.x, step.y);
                break;
            case Op::Up:
                button.Event_MouseUp(step.x, step.y);
                break;
            }
            const Color expected = step.colour == 'h'   ? TextButton::kHoverColor
                                   : step.colour == 'p' ? TextButton::kPressedColor
                                                        : RGB(10, 20, 30);
            EXPECT_EQ(button.TextColor(), expected);
            EXPECT_EQ(button.MouseIn, step.mouseIn);
        }
        EXPECT_EQ(actions, sequence.actions);
    }
}

// The rest colour is the edition's at the moment it is shown; the window sees no mouse events.
TEST_F(ButtonControlsTest, TextButtonKeepsItsMouseEventsAndReadsTheMenuColourLate) {
    TextButton button;
    button.SetBounds(0, 0, 40, 20);
    int windowEvents = 0;
    button.OnMouseDown = [&](int, int) { return ++windowEvents, true; };
    button.OnMouseEnter = [&] { ++windowEvents; };
    button.OnMouseUp = [&](int, int) { ++windowEvents; };
    button.Event_MouseEnter();
    Customization().menuColor = RGB(1, 2, 3);
    button.Event_MouseDown(5, 5);
    button.Event_MouseUp(5, 5); // no Action handler: only the colour changes
    EXPECT_EQ(button.TextColor(), TextButton::kHoverColor);
    button.Event_MouseExit();
    EXPECT_EQ(button.TextColor(), RGB(1, 2, 3));
    EXPECT_EQ(windowEvents, 0);
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
    int clicks = 0;
    button.OnMouseDown = [&](int, int) { return ++clicks, false; };
    window.Show();
    DoEvents();
    EXPECT_FALSE(button.mouseIn);
    ASSERT_FALSE(paints.empty()) << "shown and painted once in the normal look";
    EXPECT_FALSE(paints.back());

    paints.clear();
    Simulate::MouseMove(window, 60, 30);
    Simulate::MouseDown(window, 60, 30);
    Simulate::MouseUp(window, 60, 30);
    EXPECT_TRUE(button.mouseIn) << "a click leaves the flag alone";
    Simulate::MouseMove(window, 150, 80);
    EXPECT_EQ(paints, (std::vector<bool>{true, false}));
    EXPECT_FALSE(button.mouseIn);
    EXPECT_EQ(clicks, 1) << "the press still reaches the window";
    window.Close();
}
