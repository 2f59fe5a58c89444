// A window closed while a modal dialog runs lives on until the dialog has ended: its own
// handler may be waiting further down the stack for the dialog to return.
#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include "platform/Application.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"

#include <chrono>
#include <thread>

namespace {
class WatchedWindow : public Window {
  public:
    ~WatchedWindow() override {
        if (gone) *gone = true;
    }
    bool* gone = nullptr;
};
} // namespace

TEST(WindowLifetimeTest, AWindowClosedUnderAModalDialogIsDeletedAfterIt) {
    TestEnvironment environment;
    Application application;
    bool gone = false;
    OpenWindow<WatchedWindow>().gone = &gone;
    Window dialog;
    TestSeams::WhenModal([&](Window&) {
        FindOpenWindow<WatchedWindow>()->Close();
        for (int i = 0; i < 10; ++i) {
            DoEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(gone) << "still alive while the dialog runs";
    });
    dialog.ShowModal();
    WaitUntil([&] { return gone; });
    EXPECT_TRUE(gone) << "deleted once the dialog has ended";
}
