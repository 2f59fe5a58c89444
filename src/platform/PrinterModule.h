#pragma once
// For the platform's own sources: the toolkit's printer and its dialogs, in a module of their
// own loaded when printing first asks. The toolkit's printing library is mapped and relocated
// with whatever links it, a third of a megabyte that a run which never prints would carry.
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>

class QDialog;
class QPaintDevice;
class QPrinter;

// What the program does with a printer, each a call into the module.
struct PrinterFunctions {
    QPrinter* (*make)(); // at the printer's high resolution
    void (*destroy)(QPrinter*);
    QPaintDevice* (*device)(QPrinter*);
    QPageLayout (*pageLayout)(const QPrinter&);
    void (*setPageSize)(QPrinter&, const QPageSize&);
    void (*setPageOrientation)(QPrinter&, QPageLayout::Orientation);
    void (*setPageMargins)(QPrinter&, const QMarginsF&, QPageLayout::Unit);
    int (*resolution)(const QPrinter&);
    // Whether the printer writes a file (a PDF, or a file named in the print dialog) rather
    // than handing its jobs to a print queue.
    bool (*writesFile)(const QPrinter&);
    QString (*outputFileName)(const QPrinter&);
    void (*setOutputFileName)(QPrinter&, const QString&);
    void (*setPdfOutput)(QPrinter&);
    QString (*printerName)(const QPrinter&);
    void (*setPrinterName)(QPrinter&, const QString&);
    void (*setDocName)(QPrinter&, const QString&);
    // The dialogs, run by the given function (RunModalDialog); true when the user confirms.
    bool (*pageSetupDialog)(QPrinter&, int (*run)(QDialog&));
    bool (*printDialog)(QPrinter&, int (*run)(QDialog&));
};

// The module's one entry point.
extern "C" const PrinterFunctions* CalendarPrinterFunctions();
using PrinterFunctionsEntry = decltype(&CalendarPrinterFunctions);

// The module's functions, loaded from beside the program the first time; raises IOException
// when it cannot be loaded.
const PrinterFunctions& PrinterModule();
