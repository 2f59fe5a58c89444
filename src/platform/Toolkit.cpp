#include "platform/Toolkit.h"

#include "platform/DisplayPlatform.h"
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmapCache>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <mutex>
#include <thread>
#include <utility>

namespace {
// The toolkit keeps references to its arguments for as long as it lives.
int argc = 1;
char programName[] = "ombrelline-calendar";
char platformOption[] = "-platform";
char x11Platform[] = "xcb";
char* argv[] = {programName, nullptr, nullptr, nullptr};

// A double click counts only on what its first click went to. When the first click changed what
// lies under the pointer (a click on a day puts the week grid in the year grid's place), the
// second would land on something the user never aimed at, so it is dropped with its release.
class SecondClickFilter : public QObject {
  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            // A press a widget ignores goes on to its parent: the last one noted took it.
            firstClick_ = widget;
            return false;
        case QEvent::MouseButtonDblClick:
            if (firstClick_ && (firstClick_ == widget || firstClick_->isAncestorOf(widget)))
                return false;
            dropRelease_ = true;
            return true;
        case QEvent::MouseButtonRelease:
            return std::exchange(dropRelease_, false);
        default:
            return false;
        }
    }

  private:
    QPointer<QWidget> firstClick_;
    bool dropRelease_ = false;
};
std::mutex& FontSetUpLock() {
    static std::mutex lock;
    return lock;
}
std::jthread& FontSetUp() {
    static std::jthread thread; // joined at the latest when the program ends
    return thread;
}
} // namespace

Toolkit::Toolkit() {
    if (QCoreApplication::instance()) return;
    // Reading the system's font configuration takes milliseconds that the first text drawn would
    // wait for; it runs beside the toolkit's own start and the program's, until the first font is
    // asked for. It reads the environment, which the program leaves alone from here on.
    {
        const std::lock_guard lock(FontSetUpLock());
        FontSetUp() = std::jthread([] { FcInit(); });
    }
    // Chosen by argument rather than by QT_QPA_PLATFORM, so that a program the calendar starts
    // (the browser of a link) still runs on the session's own platform.
    if (ChooseDisplayPlatform(CurrentSessionVariables()) == DisplayPlatform::X11) {
        argv[1] = platformOption;
        argv[2] = x11Platform;
        argc = 3;
    }
    application_ = std::make_unique<QApplication>(argc, argv);
    LetGoOfTheOpenedDisplay();
    // The toolkit scales large pictures on its pool of threads, which would otherwise stay for
    // thirty seconds after the start and each wake up once to end. They are kept only across
    // the bursts of the start and of a new day's picture.
    QThreadPool::globalInstance()->setExpiryTimeout(1000);
    // The style keeps the little pictures it draws (arrows, frames) in a cache that wakes the
    // program every ten to thirty seconds to age them; they are cheaper to draw again.
    QPixmapCache::setCacheLimit(0);
    QApplication::setQuitOnLastWindowClosed(false);
    secondClicks_ = std::make_unique<SecondClickFilter>();
    application_->installEventFilter(secondClicks_.get());
}

Toolkit::~Toolkit() {
    WaitForFontSetUp();
    if (!application_) return;
    Window::DiscardAll();
    // A picture still being made when the program ends uses the toolkit's decoders.
    WaitForPictureWork();
}

void Toolkit::WaitForFontSetUp() {
    const std::lock_guard lock(FontSetUpLock());
    if (FontSetUp().joinable()) FontSetUp().join();
}

void EnsureToolkit() {
    if (!QCoreApplication::instance()) throw NilObjectException("no toolkit");
}
