#include "platform/Toolkit.h"

#include <QApplication>

void EnsureToolkit() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "ombrelline-calendar";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}
