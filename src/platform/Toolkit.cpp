#include "platform/Toolkit.h"

#include <QApplication>

void EnsureToolkit() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "ombrelline-calendar";
    static char* argv[] = {name, nullptr};
    // Never deleted: the toolkit's own globals (input devices among them) are torn down at exit
    // before a static application object would be, and it would then touch them.
    new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
}
