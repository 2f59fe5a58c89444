#include "platform/Toolkit.h"

#include "platform/Exceptions.h"
#include "platform/Fonts.h"
#include "platform/GraphicsQt.h"
#include "platform/Window.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace {
// The toolkit keeps references to its arguments for as long as it lives.
int argc = 1;
char programName[] = "ombrelline-calendar";
char* argv[] = {programName, nullptr};
} // namespace

Toolkit::Toolkit() {
    if (QCoreApplication::instance()) return;
    // Reading the system's font configuration takes milliseconds that the first text drawn would
    // wait for; it runs beside the toolkit's own start instead. It reads the environment, so it
    // ends before the constructor returns and the caller may change the environment.
    const std::jthread fontSetUp([] { FcInit(); });
    application_ = std::make_unique<QApplication>(argc, argv);
    // The installed families are read beside the start-up's own work.
    fontDatabase_ = std::jthread(LoadFontDatabase);
    QApplication::setQuitOnLastWindowClosed(false);
}

Toolkit::~Toolkit() {
    if (!application_) return;
    Window::DiscardAll();
    // A picture still being made when the program ends uses the toolkit's decoders.
    WaitForPictureWork();
}

void EnsureToolkit() {
    if (!QCoreApplication::instance()) throw NilObjectException("no toolkit");
}
