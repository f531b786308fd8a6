#include "app/qt/printing/PrinterSetup.h"

#include "app/qt/printing/PrintPreviewDialog.h"
#include "app/qt/printing/PrintedPage.h"
#include "app/qt/window/ShellPrompts.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace pict::qt {

PrinterSetup::PrinterSetup() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setDocName(QString::fromUtf8(kPrintJobName));
    const QPrinterInfo system = QPrinterInfo::defaultPrinter();
    configured_ = !system.isNull();
    if (configured_)
        printer_->setPrinterName(system.printerName());
    else
        printer_->setOutputFormat(QPrinter::PdfFormat);
}

PrinterSetup::~PrinterSetup() = default;

bool PrinterSetup::pageSetup(QWidget* parent) {
    QPageSetupDialog dialog(printer_.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    configured_ = true;
    return true;
}

bool PrinterSetup::print(QWidget* parent, Document* document) {
    QPrintDialog dialog(printer_.get(), parent);
    // One page, always the whole picture: there is no range or selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    configured_ = true;
    return runPrintJob(*printer_, document);
}

void PrinterSetup::printWithPreview(QWidget* parent, Document* document, ShellPrompts& prompts) {
    if (!hasPrinter())
        prompts.showInformation(parent, QString::fromUtf8(kNoPrinterMessage));
    PrintPreviewDialog preview(*this, document, parent);
    if (preview.exec() == PrintPreviewDialog::PrintChosen)
        print(parent, document);
}

} // namespace pict::qt
