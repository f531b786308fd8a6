// The main window's printing commands: Page Setup, Print and Print with Preview of the active
// document, on the printer kept for the whole run.

#include "app/qt/window/MainWindow.h"

#include "app/qt/printing/PrinterSetup.h"
#include "app/qt/window/DocumentFrame.h"

namespace pict::qt {

PrinterSetup& MainWindow::printerSetup() {
    if (!printerSetup_)
        printerSetup_ = std::make_unique<PrinterSetup>();
    return *printerSetup_;
}

void MainWindow::pageSetup() { printerSetup().pageSetup(this); }

void MainWindow::print() {
    if (DocumentFrame* frame = activeFrame())
        printerSetup().print(this, &frame->document());
}

void MainWindow::printWithPreview() {
    if (DocumentFrame* frame = activeFrame())
        printerSetup().printWithPreview(this, &frame->document(), prompts_);
}

} // namespace pict::qt
