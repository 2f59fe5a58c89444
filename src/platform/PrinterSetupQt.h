#pragma once
// For the platform's own sources: the printer behind a PrinterSetup.
#include "platform/PrinterModule.h"
#include "platform/Printing.h"

#include <memory>

struct PrinterSetup::Impl {
    struct Release {
        void operator()(QPrinter* printer) const { PrinterModule().destroy(printer); }
    };
    std::unique_ptr<QPrinter, Release> printer{PrinterModule().make()};
};
