// The module that holds the toolkit's printing: built apart from the program, which loads it
// when printing first asks (platform/PrinterModule.cpp).
#include "platform/PrinterModule.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {
const PrinterFunctions kFunctions{
    .make = [] { return new QPrinter(QPrinter::HighResolution); },
    .destroy = [](QPrinter* printer) { delete printer; },
    .device = [](QPrinter* printer) -> QPaintDevice* { return printer; },
    .pageLayout = [](const QPrinter& printer) { return printer.pageLayout(); },
    .setPageSize = [](QPrinter& printer, const QPageSize& size) { printer.setPageSize(size); },
    .setPageOrientation =
        [](QPrinter& printer, QPageLayout::Orientation orientation) {
            printer.setPageOrientation(orientation);
        },
    .setPageMargins = [](QPrinter& printer, const QMarginsF& margins,
                         QPageLayout::Unit unit) { printer.setPageMargins(margins, unit); },
    .resolution = [](const QPrinter& printer) { return printer.resolution(); },
    .writesFile =
        [](const QPrinter& printer) {
            return printer.outputFormat() != QPrinter::NativeFormat ||
                   !printer.outputFileName().isEmpty();
        },
    .outputFileName = [](const QPrinter& printer) { return printer.outputFileName(); },
    .setOutputFileName = [](QPrinter& printer,
                            const QString& name) { printer.setOutputFileName(name); },
    .setPdfOutput = [](QPrinter& printer) { printer.setOutputFormat(QPrinter::PdfFormat); },
    .printerName = [](const QPrinter& printer) { return printer.printerName(); },
    .setPrinterName = [](QPrinter& printer, const QString& name) { printer.setPrinterName(name); },
    .setDocName = [](QPrinter& printer, const QString& name) { printer.setDocName(name); },
    .pageSetupDialog =
        [](QPrinter& printer, int (*run)(QDialog&)) {
            QPageSetupDialog dialog(&printer);
            return run(dialog) == QDialog::Accepted;
        },
    .printDialog =
        [](QPrinter& printer, int (*run)(QDialog&)) {
            QPrintDialog dialog(&printer);
            // One page, no ranges to choose.
            dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
            dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
            dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
            dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
            return run(dialog) == QDialog::Accepted;
        },
};
} // namespace

extern "C" __attribute__((visibility("default"))) const PrinterFunctions*
CalendarPrinterFunctions() {
    return &kFunctions;
}
