#include "platform/Beep.h"

#include "platform/TestSeams.h"
#include "platform/Toolkit.h"

#include <QApplication>

void Beep() {
    if (TestSeams::Enabled()) {
        TestSeams::RecordBeep();
        return;
    }
    EnsureToolkit();
    QApplication::beep();
}
