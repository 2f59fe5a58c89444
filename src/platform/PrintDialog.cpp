// The print dialog and the print job: a page surface over the printer, or under test a PDF or
// a picture.
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/PrintQueue.h"
#include "platform/PrinterSetupQt.h"
#include "platform/TestSeams.h"

#include <QPrintDialog>

#include <optional>
#include <string>

namespace {

// The print queue that the printer hands its jobs to; none when it writes a file.
std::optional<std::string> Queue(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return std::nullopt;
    return printer.printerName().toStdString();
}

// One page on the printer: ending the painter sends it out, before the printer goes.
struct PrintJob {
    std::shared_ptr<PrinterSetup::Impl> setup;
    QPainter painter;
    // The toolkit hands the job to the print server without a word on how that went; the
    // server's client library still holds its answer.
    void Send() {
        if (!painter.isActive()) return;
        painter.end();
        if (const auto queue = Queue(setup->printer))
            if (std::string problem = SubmissionProblem(*queue); !problem.empty())
                throw IOException(problem);
    }
    ~PrintJob() {
        if (painter.isActive()) painter.end();
    }
};

std::unique_ptr<Graphics> OpenJob(PrinterSetup& setup) {
    QPrinter& printer = setup.Internals().printer;
    // A job is sent only once the page is drawn: a queue that will not print it is found out
    // before any of that.
    if (const auto queue = Queue(printer))
        if (std::string problem = QueueProblem(*queue); !problem.empty())
            throw IOException(problem);
    auto job = std::make_shared<PrintJob>();
    job->setup = setup.SharedInternals();
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
    surface->send = [job = job.get()] { job->Send(); };
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
    if (TestSeams::Enabled() && !TestSeams::PrintingAnswer().showDialogs) {
        TestSeams::RecordPrintDialog({TestSeams::PrintDialogRecord::Print, setup.SetupString()});
        const TestSeams::PrintAnswer& answer = TestSeams::PrintingAnswer();
        if (!answer.printOK) return nullptr;
        std::unique_ptr<Graphics> page = answer.printer.empty() ? TestPage(setup) : OpenJob(setup);
        if (answer.afterPrintDialog) answer.afterPrintDialog();
        return page;
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

void SendPage(std::unique_ptr<Graphics> page) {
    if (page && page->Internals().send) page->Internals().send();
}
