#pragma once
// For the platform's own sources: the printer behind a PrinterSetup.
#include "platform/Printing.h"

#include <QPrinter>

struct PrinterSetup::Impl {
    QPrinter printer{QPrinter::HighResolution};
};
