#include "platform/DisplayLoss.h"

#include "platform/Application.h"

#include <QCoreApplication>
#include <QString>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {
QtMessageHandler& Previous() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

// The toolkit's words for both of its ways of finding the connection broken: its own look at the
// connection in the event loop, and the X library's handler of a failed request.
bool TellsOfABrokenConnection(QtMsgType type, const QString& message) {
    return type == QtWarningMsg && message.startsWith(QLatin1String("The X11 connection broke"));
}

void OnMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (const QtMessageHandler previous = Previous()) previous(type, context, message);
    if (!TellsOfABrokenConnection(type, message)) return;
    // The toolkit exits once this returns, tearing down static objects that the program's
    // windows still use. The end runs here instead, on the event loop's thread, where the
    // application's objects live; so does the rest of a quit already under way (Ctrl+Q waiting
    // for another program's write, or showing its message), whose loop below never resumes. A
    // second word while it runs leaves the toolkit's exit to it.
    const QCoreApplication* toolkit = QCoreApplication::instance();
    Application* application = Application::Instance();
    if (!toolkit || !application || application->DisplayGone() ||
        QThread::currentThread() != toolkit->thread())
        return;
    application->EndWithoutDisplay();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // What the end wrote is on disk; the teardown after it would only ask the lost display.
    std::_Exit(1);
}
} // namespace

void EndWhenTheDisplayGoes() {
    if (Previous()) return;
    Previous() = qInstallMessageHandler(OnMessage);
}
