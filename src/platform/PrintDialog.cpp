// The print dialog and the print job: a page surface over the printer, or under test a PDF or
// a picture.
#include "platform/Exceptions.h"
#include "platform/GraphicsQt.h"
#include "platform/PrintQueue.h"
#include "platform/PrinterSetupQt.h"
#include "platform/TestSeams.h"
#include "platform/Widgets_p.h"

#include <QPainter>

#include <string>

namespace {

// Raises what check finds wrong with the print queue that the printer hands its jobs to; a
// printer that writes a file has none.
void RaiseQueueProblem(const QPrinter& printer, std::string (*check)(const std::string&)) {
    const PrinterFunctions& module = PrinterModule();
    if (module.writesFile(printer)) return;
    if (std::string problem = check(module.printerName(printer).toStdString()); !problem.empty())
        throw IOException(problem);
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
        RaiseQueueProblem(*setup->printer, SubmissionProblem);
    }
    ~PrintJob() {
        if (painter.isActive()) painter.end();
    }
};

std::unique_ptr<Graphics> OpenJob(PrinterSetup& setup) {
    const PrinterFunctions& module = PrinterModule();
    QPrinter& printer = *setup.Internals().printer;
    // A job is sent only once the page is drawn: a queue that will not print it is found out
    // before any of that.
    RaiseQueueProblem(printer, QueueProblem);
    auto job = std::make_shared<PrintJob>();
    job->setup = setup.SharedInternals();
    if (!job->painter.begin(module.device(&printer))) {
        const QString file = module.outputFileName(printer);
        const QString target = file.isEmpty() ? module.printerName(printer) : file;
        throw IOException("cannot print to " + target.toStdString());
    }
    // The surface counts in the set-up's page pixels, whatever the printer's own resolution.
    const double scale = static_cast<double>(module.resolution(printer)) / setup.Resolution();
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
        PrinterModule().setOutputFileName(*setup.Internals().printer,
                                          QString::fromStdString(answer.outputFile));
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
    QPrinter& printer = *setup.Internals().printer;
    PrinterModule().setDocName(printer, QString::fromStdString(setup.DocumentName));
    if (TestSeams::Enabled() && !TestSeams::PrintingAnswer().showDialogs) {
        TestSeams::RecordPrintDialog({TestSeams::PrintDialogRecord::Print, setup.SetupString()});
        const TestSeams::PrintAnswer& answer = TestSeams::PrintingAnswer();
        if (!answer.printOK) return nullptr;
        std::unique_ptr<Graphics> page = answer.printer.empty() ? TestPage(setup) : OpenJob(setup);
        if (answer.afterPrintDialog) answer.afterPrintDialog();
        return page;
    }
    if (!PrinterModule().printDialog(printer, RunModalDialog)) return nullptr;
    return OpenJob(setup);
}

void SendPage(std::unique_ptr<Graphics> page) {
    if (page && page->Internals().send) page->Internals().send();
}
