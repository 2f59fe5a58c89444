// The print dialog and the print job: a page surface over the printer, or under test a PDF or
// a picture.
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/PrinterSetupQt.h"
#include "platform/TestSeams.h"

#include <QPrintDialog>

namespace {

// One page on the printer: ending the painter sends it out, before the printer goes.
struct PrintJob {
    std::shared_ptr<PrinterSetup::Impl> setup;
    QPainter painter;
    ~PrintJob() {
        if (painter.isActive()) painter.end();
    }
};

std::unique_ptr<Graphics> OpenJob(PrinterSetup& setup) {
    auto job = std::make_shared<PrintJob>();
    job->setup = setup.SharedInternals();
    QPrinter& printer = setup.Internals().printer;
    if (!job->painter.begin(&printer)) {
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        throw IOException("cannot print to " + target.toStdString());
    }
    // The surface counts in the set-up's page pixels, whatever the printer's own resolution.
    const double scale = static_cast<double>(printer.resolution()) / setup.Resolution();
    job->painter.scale(scale, scale);
    auto surface = std::make_unique<Graphics::Impl>();
    surface->painter = &job->painter;
    surface->area = QRect(0, 0, setup.Width(), setup.Height());
    surface->owned = std::move(job);
    return std::make_unique<Graphics>(std::move(surface));
}

// Under test a page that is not a PDF is drawn into a picture, kept when the surface goes.
struct RecordedPage {
    PicturePtr page;
    ~RecordedPage() { TestSeams::RecordPrintedPage(page); }
};

std::unique_ptr<Graphics> TestPage(PrinterSetup& setup) {
    const TestSeams::PrintAnswer& answer = TestSeams::PrintingAnswer();
    if (answer.outputFile.ends_with(".pdf")) {
        setup.Internals().printer.setOutputFileName(QString::fromStdString(answer.outputFile));
        return OpenJob(setup);
    }
    auto recorded = std::make_shared<RecordedPage>();
    recorded->page = std::make_shared<Picture>(setup.Width(), setup.Height());
    auto surface = std::make_unique<Graphics::Impl>();
    surface->picture = recorded->page.get();
    surface->owned = std::move(recorded);
    return std::make_unique<Graphics>(std::move(surface));
}

} // namespace

std::unique_ptr<Graphics> OpenPrinterDialog(PrinterSetup& setup) {
    QPrinter& printer = setup.Internals().printer;
    printer.setDocName(QString::fromStdString(setup.DocumentName));
    if (TestSeams::Enabled()) {
        TestSeams::RecordPrintDialog({TestSeams::PrintDialogRecord::Print, setup.SetupString()});
        if (!TestSeams::PrintingAnswer().printOK) return nullptr;
        return TestPage(setup);
    }
    QPrintDialog dialog(&printer);
    // One page, no ranges to choose.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return OpenJob(setup);
}
