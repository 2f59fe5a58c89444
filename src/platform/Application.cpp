#include "platform/Application.h"

#include "platform/DisplayLoss.h"

#include "platform/MenuBar.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"
#include "platform/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {
Application*& Current() {
    static Application* current = nullptr;
    return current;
}

// The signal handler may do little more than write a byte; the event loop reads it at the
// other end and quits there.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[0], &byte, 1);
}
} // namespace

Application::Application() {
    Current() = this;
}

Application::~Application() {
    if (Current() == this) Current() = nullptr;
}

Application* Application::Instance() {
    return Current();
}

std::string Application::ShortVersion() const {
#ifdef CALENDAR_VERSION
    return CALENDAR_VERSION;
#else
    return "1.0";
#endif
}

void Application::InstallSignalHandlers() {
    if (signalPipe[0] >= 0) return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const auto got = ::read(signalPipe[1], &byte, 1);
        if (Application* application = Instance()) {
            application->quitBySignal_ = true;
            if (!application->quitRequested_)
                return Dispatch([application] { application->Quit(0); });
            // A quit under way waits in a loop (its message, another program's write) that
            // nobody is there to end: the loops end, and the quit goes on as a signal's.
            if (QThread::currentThread()->loopLevel() > 0)
                QCoreApplication::exit(application->exitCode_);
        }
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int Application::Run() {
    EnsureToolkit();
    InstallSignalHandlers();
    EndWhenTheDisplayGoes();
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp,
                     [this](Qt::ApplicationState state) {
                         if (state != Qt::ApplicationActive)
                             Dispatch([this] { Event_Deactivate(); });
                     });
    // Open comes before the loop starts. The loop's start waits for the accessibility bridge to
    // reach the session bus, as the first window's controls would anyway; from Open, that wait
    // falls while the work Open began on worker threads (the background picture) goes on. What
    // was queued already runs first, as in the loop, and a quit among it ends the program
    // unopened. A quit inside Open leaves no loop to end.
    QCoreApplication::processEvents();
    if (!quitRequested_) Dispatch([this] { Event_Open(); });
    if (quitRequested_) return exitCode_;
    const int code = QApplication::exec();
    return quitRequested_ ? exitCode_ : code;
}

void Application::Quit(int code) {
    if (quitRequested_) return;
    quitRequested_ = true;
    exitCode_ = code;
    // Closing a window unregisters it, so work on a copy, front-most first.
    toClose_.assign(windows_.rbegin(), windows_.rend());
    GoOnQuitting();
    // Only a running loop is ended: asked with none, the toolkit would end the next loop that
    // starts (a modal dialog's, say) at once.
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(code);
}

void Application::GoOnQuitting() {
    while (!toClose_.empty()) {
        Window* window = toClose_.front();
        toClose_.erase(toClose_.begin());
        if (std::find(windows_.begin(), windows_.end(), window) != windows_.end())
            Dispatch([window] { window->Close(); });
    }
    if (std::exchange(closeBegun_, true)) return;
    Dispatch([this] { Event_Close(); });
}

void Application::EndWithoutDisplay() {
    displayGone_ = true;
    // Nobody is there to answer a message, as after a logout's signal.
    quitBySignal_ = true;
    IfTheDisplayGoes::RunAll();
    if (!quitRequested_) {
        Quit(1);
        return;
    }
    // A step of the quit waited in a loop (a message, another program's write): the steps after it
    // run here, since that loop never returns.
    exitCode_ = 1;
    GoOnQuitting();
}

namespace {
std::vector<IfTheDisplayGoes*>& Owed() {
    static std::vector<IfTheDisplayGoes*> owed;
    return owed;
}
} // namespace

IfTheDisplayGoes::IfTheDisplayGoes(std::function<void()> owed) : owed_(std::move(owed)) {
    Owed().push_back(this);
}

IfTheDisplayGoes::~IfTheDisplayGoes() {
    std::erase(Owed(), this);
}

void IfTheDisplayGoes::RunAll() {
    while (!Owed().empty()) {
        const IfTheDisplayGoes* last = Owed().back();
        Owed().pop_back();
        Application::Dispatch(last->owed_);
    }
}

namespace {
int& HandlersRunning() {
    static int running = 0;
    return running;
}
} // namespace

bool Application::HandlerRunning() {
    return HandlersRunning() > 0;
}

void Application::Dispatch(const std::function<void()>& handler) {
    ++HandlersRunning();
    struct Leave {
        ~Leave() { --HandlersRunning(); }
    } leave;
    try {
        handler();
    } catch (const std::exception& error) {
        Application* application = Instance();
        if (!application || application->inUnhandledException_) throw;
        application->inUnhandledException_ = true;
        bool handled = false;
        try {
            handled = application->Event_UnhandledException(error);
        } catch (...) {
        }
        application->inUnhandledException_ = false;
        if (!handled) application->Quit(1);
    }
}

void Application::RegisterWindow(Window* window) {
    std::erase(windows_, window);
    windows_.push_back(window);
}

void Application::UnregisterWindow(Window* window) {
    std::erase(windows_, window);
    if (AutoQuit && windows_.empty() && !quitRequested_) Quit(0);
}

void Application::AddMenuHandler(const std::string& itemName, std::function<bool()> handler) {
    menuHandlers_.Add(itemName, std::move(handler));
}

bool Application::HandleMenuCommand(const std::string& itemName) {
    return menuHandlers_.Handle(itemName);
}

namespace {
void EnableAutoItems(MenuItem& item) {
    for (int i = 0; i < item.Count(); ++i) {
        MenuItem& child = *item.Item(i);
        if (child.AutoEnable) child.Enabled = true;
        EnableAutoItems(child);
    }
}

// A menu's title is enabled while any of its items is (separators aside), so that no title
// greys out items that may be chosen, and none opens onto nothing.
void EnableMenuTitles(MenuItem& item) {
    for (int i = 0; i < item.Count(); ++i) {
        MenuItem& menu = *item.Item(i);
        if (menu.Count() == 0) continue;
        EnableMenuTitles(menu);
        menu.Enabled = false;
        for (int j = 0; j < menu.Count(); ++j)
            menu.Enabled = menu.Enabled || (menu.Item(j)->Enabled && !menu.Item(j)->IsSeparator());
    }
}
} // namespace

void Application::UpdateMenuItems() {
    if (menuBar_) EnableAutoItems(*menuBar_);
    if (Window* front = FrontWindow()) Dispatch([front] { front->Event_EnableMenuItems(); });
    Dispatch([this] { Event_EnableMenuItems(); });
    if (menuBar_) EnableMenuTitles(*menuBar_);
}

bool Application::DoMenuCommand(const std::string& itemName) {
    if (Window* front = FrontWindow(); front && front->HandleMenuCommand(itemName)) return true;
    if (HandleMenuCommand(itemName)) return true;
    const MenuItem* item = menuBar_ ? menuBar_->FindItem(itemName) : nullptr;
    if (dynamic_cast<const QuitMenuItem*>(item)) Quit(0);
    return false;
}

bool Application::IsQuitKey(const std::string& key) const {
    return menuBar_ && !key.empty() &&
           dynamic_cast<const QuitMenuItem*>(menuBar_->ItemForKey(key)) != nullptr;
}

void Application::QuitAfterTheMessage() {
    QTimer::singleShot(0, qApp, [this] {
        if (!quitRequested_) Dispatch([this] { Quit(0); });
    });
}

bool Application::MenuShortcut(const std::string& key) {
    // Behind a modal window no command acts: the key goes on to the dialog's own fields.
    if (!menuBar_ || key.empty() || ModalWindowOpen()) return false;
    const MenuItem* item = menuBar_->ItemForKey(key);
    if (!item) return false;
    UpdateMenuItems();
    // An item that nothing would act on leaves its key to the text field with the keyboard
    // (Copy in a help page); Quit always has the menus' answer.
    const Window* front = FrontWindow();
    const bool handled =
        menuHandlers_.Has(item->Name) || (front && front->HasMenuHandler(item->Name));
    const bool quit = dynamic_cast<const QuitMenuItem*>(item) != nullptr;
    if (!quit && !(item->Enabled && handled)) return false;
    if (item->Enabled) DoMenuCommand(item->Name);
    return true;
}

bool DisplayLost() {
    const Application* application = Application::Instance();
    return application && application->DisplayGone();
}

void DoEvents() {
    // The toolkit's reading of a lost display's events ends the process.
    if (DisplayLost()) return;
    const NestedEventLoop nested(false);
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
}

bool RunEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds longest) {
    constexpr std::chrono::milliseconds kLookEvery(5);
    if (done()) return true;
    // Without a display to read, the wait only looks: reading a lost one ends the process.
    if (!QCoreApplication::instance() || DisplayLost()) {
        for (auto left = longest; left > kLookEvery.zero() && !done(); left -= kLookEvery)
            std::this_thread::sleep_for(kLookEvery);
        return done();
    }
    const NestedEventLoop nested(false);
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    look.start(kLookEvery);
    QTimer::singleShot(longest, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}
