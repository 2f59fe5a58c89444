// Multi-line text fields: lines, selection across lines, and Return kept inside the field.
#include "support/TestEnvironment.h"

#include "platform/Application.h"
#include "platform/EditField.h"
#include "platform/PushButton.h"
#include "platform/Simulate.h"
#include "platform/Window.h"

namespace {
class MultilineEditFieldTest : public IsolatedTest {
  protected:
    MultilineEditFieldTest() {
        window.SetWidth(300);
        window.SetHeight(200);
        field = &window.AddControl(std::make_unique<EditField>(true), "page");
        field->SetBounds(10, 10, 200, 120);
    }
    ~MultilineEditFieldTest() override { window.Close(); }
    Application application;
    Window window;
    EditField* field = nullptr;
};
} // namespace

TEST_F(MultilineEditFieldTest, CarriageReturnsBreakLinesAndSelectionsSpanThem) {
    field->SetText("Heading\r\rFirst line\r\nSécond");
    EXPECT_EQ(field->Text(), "Heading\n\nFirst line\nSécond");
    field->SetSelStart(9);
    field->SetSelLength(99);
    EXPECT_EQ(field->SelText(), "First line\nSécond");
    EXPECT_EQ(field->SelLength(), 17) << "in characters";
    field->SetSelStart(500);
    EXPECT_EQ(field->SelStart(), 26);
}

TEST_F(MultilineEditFieldTest, ReturnStartsALineInsteadOfPressingTheDefaultButton) {
    auto& ok = window.AddControl(std::make_unique<PushButton>(), "ok");
    ok.SetBounds(220, 170, 60, 20);
    ok.Default = true;
    int pressed = 0;
    ok.OnAction = [&] { ++pressed; };
    window.Show();
    field->SetFocus();
    Simulate::Type(window, "ab");
    Simulate::Key(window, "Return");
    Simulate::Type(window, "c");
    EXPECT_EQ(field->Text(), "ab\nc");
    EXPECT_EQ(pressed, 0);
}
