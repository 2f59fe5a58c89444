#include "platform/Toolkit.h"

#include "platform/Exceptions.h"
#include "platform/Window.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

namespace {
// The toolkit keeps references to its arguments for as long as it lives.
int argc = 1;
char programName[] = "ombrelline-calendar";
char* argv[] = {programName, nullptr};
} // namespace

Toolkit::Toolkit() {
    if (QCoreApplication::instance()) return;
    // Reading the system's font configuration takes milliseconds that the first text drawn would
    // wait for; it runs beside the toolkit's own start instead.
    fontSetUp_ = std::jthread([] { FcInit(); });
    application_ = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}

Toolkit::~Toolkit() {
    if (application_) Window::DiscardAll();
}

void EnsureToolkit() {
    if (!QCoreApplication::instance()) throw NilObjectException("no toolkit");
}
