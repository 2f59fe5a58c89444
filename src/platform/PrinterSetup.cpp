// The page set-up: the printer's page, its text form, and the page set-up dialog.
#include "platform/PrinterSetupQt.h"

#include "platform/Exceptions.h"
#include "platform/TestSeams.h"
#include "platform/Toolkit.h"
#include "platform/Widgets_p.h"

#include <QRect>
#include <QSizeF>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace {

constexpr int kMaxResolution = 300;

QString Number(double value) {
    return QString::number(value, 'g', 10);
}

// "210x297" into a size; nullopt when it is not two positive numbers.
std::optional<QSizeF> ReadSize(const QString& text) {
    const QStringList parts = text.split(u'x');
    if (parts.size() != 2) return std::nullopt;
    bool okWidth = false, okHeight = false;
    const QSizeF size(parts[0].toDouble(&okWidth), parts[1].toDouble(&okHeight));
    if (!okWidth || !okHeight || size.width() <= 0 || size.height() <= 0) return std::nullopt;
    return size;
}

// "left,top,right,bottom" into margins; nullopt unless four numbers of 0 or more.
std::optional<QMarginsF> ReadMargins(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 4) return std::nullopt;
    double values[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].toDouble(&ok);
        if (!ok || values[i] < 0) return std::nullopt;
    }
    return QMarginsF(values[0], values[1], values[2], values[3]);
}

} // namespace

PrinterSetup::PrinterSetup() {
    EnsureToolkit();
    impl_ = std::make_shared<Impl>();
    // Under test the page goes to a PDF or a picture, or to the print queue the test names,
    // never to a printer of the machine's own.
    if (!TestSeams::Enabled()) return;
    const PrinterFunctions& module = PrinterModule();
    const std::string& queue = TestSeams::PrintingAnswer().printer;
    if (queue.empty()) {
        module.setPdfOutput(*impl_->printer);
        return;
    }
    module.setPrinterName(*impl_->printer, QString::fromStdString(queue));
    if (module.printerName(*impl_->printer).toStdString() != queue)
        throw IOException("no print queue named " + queue);
}

PrinterSetup::~PrinterSetup() = default;

// "size=210x297mm;orientation=landscape;margins=6.35,6.35,6.35,6.35mm", all in millimetres.
std::string PrinterSetup::SetupString() const {
    const QPageLayout layout = PrinterModule().pageLayout(*impl_->printer);
    const QSizeF size = layout.pageSize().size(QPageSize::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    const QString text =
        QStringLiteral("size=%1x%2mm;orientation=%3;margins=%4,%5,%6,%7mm")
            .arg(Number(size.width()), Number(size.height()),
                 layout.orientation() == QPageLayout::Landscape ? QStringLiteral("landscape")
                                                                : QStringLiteral("portrait"),
                 Number(margins.left()), Number(margins.top()), Number(margins.right()),
                 Number(margins.bottom()));
    return text.toStdString();
}

void PrinterSetup::SetSetupString(const std::string& setup) {
    const PrinterFunctions& module = PrinterModule();
    QPrinter& printer = *impl_->printer;
    for (const QString& field : QString::fromStdString(setup).split(u';', Qt::SkipEmptyParts)) {
        const QString key = field.section(u'=', 0, 0).trimmed();
        QString value = field.section(u'=', 1).trimmed();
        if (value.endsWith(QStringLiteral("mm"))) value.chop(2);
        if (key == QStringLiteral("size")) {
            // A standard size is recognised from its measures, so it keeps its name.
            if (const auto size = ReadSize(value))
                module.setPageSize(printer, QPageSize(*size, QPageSize::Millimeter));
        } else if (key == QStringLiteral("orientation")) {
            module.setPageOrientation(printer, value == QStringLiteral("landscape")
                                                   ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
        } else if (key == QStringLiteral("margins")) {
            if (const auto margins = ReadMargins(value))
                module.setPageMargins(printer, *margins, QPageLayout::Millimeter);
        }
    }
}

bool PrinterSetup::PageSetupDialog() {
    if (TestSeams::Enabled() && !TestSeams::PrintingAnswer().showDialogs) {
        TestSeams::RecordPrintDialog({TestSeams::PrintDialogRecord::PageSetup, SetupString()});
        const TestSeams::PrintAnswer& answer = TestSeams::PrintingAnswer();
        if (!answer.pageSetupOK) return false;
        SetSetupString(answer.pageSetup);
        return true;
    }
    return PrinterModule().pageSetupDialog(*impl_->printer, RunModalDialog);
}

int PrinterSetup::Resolution() const {
    return std::clamp(PrinterModule().resolution(*impl_->printer), 1, kMaxResolution);
}

int PrinterSetup::Width() const {
    return PrinterModule().pageLayout(*impl_->printer).paintRectPixels(Resolution()).width();
}

int PrinterSetup::Height() const {
    return PrinterModule().pageLayout(*impl_->printer).paintRectPixels(Resolution()).height();
}
