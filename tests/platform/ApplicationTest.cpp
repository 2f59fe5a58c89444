#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Simulate.h"
#include "platform/TestSeams.h"
#include "platform/Window.h"
#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

class LoggingWindow : public Window {
  public:
    std::function<void()> onClose;

  protected:
    void Event_Close() override {
        Log().push_back("window close");
        if (onClose) onClose();
    }
};

class ProbeApp : public Application {
  public:
    std::function<void()> onOpen;
    bool handleExceptions = true;
    void Event_Open() override {
        Log().push_back("open");
        if (onOpen) onOpen();
        Log().push_back("open returns");
    }
    void Event_Close() override { Log().push_back("close"); }
    bool Event_UnhandledException(const std::exception& error) override {
        Log().push_back(std::string("unhandled: ") + error.what());
        return handleExceptions;
    }
};

class ApplicationTest : public IsolatedTest {
  protected:
    void SetUp() override { Log().clear(); }
};

} // namespace

TEST_F(ApplicationTest, QuitInsideOpenClosesEverythingBeforeItReturns) {
    ProbeApp application;
    LoggingWindow window;
    application.onOpen = [&] {
        window.Show();
        application.Quit(3);
        Log().push_back("after quit");
    };
    EXPECT_EQ(RunBeforeDeadline([&] { return application.Run(); }), 3);
    EXPECT_EQ(Log(), (std::vector<std::string>{"open", "window close", "close", "after quit",
                                               "open returns"}));
    application.Quit(5); // a second quit does nothing
    EXPECT_EQ(application.ExitCode(), 3);
}

// The display's end while a quit's step waits in a loop (a window's message) does what that
// loop's caller owes, then the steps not begun, before it returns: the loop never resumes.
TEST_F(ApplicationTest, TheDisplaysEndGoesOnWithAQuitUnderWay) {
    ProbeApp application;
    LoggingWindow back, front;
    front.onClose = [&] {
        const IfTheDisplayGoes owed([] { Log().push_back("owed"); });
        application.EndWithoutDisplay();
        Log().push_back("display gone");
    };
    application.onOpen = [&] {
        back.Show();
        front.Show();
        application.Quit(0);
    };
    EXPECT_EQ(RunBeforeDeadline([&] { return application.Run(); }), 1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"open", "window close", "owed", "window close",
                                               "close", "display gone", "open returns"}));
    EXPECT_TRUE(application.QuitBySignal());
}

// Open runs ahead of the loop, so that the loop's own start does not delay the first window;
// what was queued before Run still comes first, as it would in the loop.
TEST_F(ApplicationTest, OpenComesAfterWhatWasQueuedAndBeforeTheLoopRuns) {
    ProbeApp application;
    QTimer::singleShot(0, [] { Log().push_back("queued"); });
    application.onOpen = [&] {
        Log().push_back("loop level " + std::to_string(QThread::currentThread()->loopLevel()));
        QTimer::singleShot(0, [&] { application.Quit(0); });
    };
    EXPECT_EQ(RunBeforeDeadline([&] { return application.Run(); }), 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"queued", "open", "loop level 0", "open returns",
                                               "close"}));

    // A quit queued before (a signal at start-up, say) ends it unopened.
    Log().clear();
    ProbeApp quitting;
    QTimer::singleShot(0, [&] { quitting.Quit(4); });
    EXPECT_EQ(RunBeforeDeadline([&] { return quitting.Run(); }), 4);
    EXPECT_EQ(Log(), std::vector<std::string>{"close"});
}

TEST_F(ApplicationTest, AnExceptionLeavingAHandlerReachesUnhandledException) {
    ProbeApp application;
    Window window;
    auto& canvas = window.AddControl(std::make_unique<Canvas>(), "thrower");
    canvas.SetBounds(0, 0, 50, 50);
    canvas.OnMouseDown = [](int, int) -> bool { throw std::runtime_error("boom"); };
    window.Show();
    Simulate::Click(window, 5, 5);
    window.Close();
    EXPECT_EQ(Log(), std::vector<std::string>{"unhandled: boom"});
    EXPECT_FALSE(application.QuitRequested()) << "handled: the program goes on";

    application.handleExceptions = false;
    Application::Dispatch([] { throw std::runtime_error("again"); });
    EXPECT_TRUE(application.QuitRequested()) << "not handled: the program quits";
}

TEST_F(ApplicationTest, SignalsAndTheLastWindowWithAutoQuitEndThroughTheNormalPath) {
    for (int signal : {SIGTERM, SIGINT, SIGHUP, 0}) {
        Log().clear();
        ProbeApp application;
        application.AutoQuit = signal == 0;
        LoggingWindow window;
        application.onOpen = [&, signal] {
            window.Show();
            QTimer::singleShot(10,
                               [&, signal] { signal ? (void)std::raise(signal) : window.Close(); });
        };
        EXPECT_EQ(RunBeforeDeadline([&] { return application.Run(); }), 0);
        EXPECT_EQ(Log().back(), "close") << signal;
    }
}

TEST_F(ApplicationTest, AQuitOutsideTheLoopDoesNotEndTheNextLoop) {
    {
        ProbeApp application;
        application.Quit(0); // as a handler run straight from a test or a script would
    }
    // A later loop (a modal window's, say) runs until it is ended, not at once.
    bool fired = false;
    QEventLoop loop;
    QTimer::singleShot(20, [&] {
        fired = true;
        loop.quit();
    });
    loop.exec();
    EXPECT_TRUE(fired);
}
