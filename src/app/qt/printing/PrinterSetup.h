#pragma once
// The printer the editor prints on for the whole run, with its page settings: the system's
// default printer at start, or Qt's PDF output when the system has none, so that printing to
// a file always works. Page Setup changes it; Print and Print with Preview use it.

#include <QString>

#include <memory>

class QImage;
class QPrinter;
class QWidget;

namespace pict {
class Document;
}

namespace pict::qt {

class ShellPrompts;

inline constexpr const char* kNoPrinterMessage =
    "Default printer not found. Please check your settings in the control panel.";

class PrinterSetup {
public:
    PrinterSetup();
    ~PrinterSetup();

    // A system printer was found at start, or the user has confirmed settings since (Page
    // Setup, or a printer or PDF file chosen in the print dialog).
    bool hasPrinter() const { return configured_; }
    QPrinter& printer() { return *printer_; }

    // The page-setup dialog over the current settings; on OK they replace them.
    bool pageSetup(QWidget* parent);
    // The print dialog (no page ranges or selection); on OK the chosen printer and settings
    // become the current ones and the document is printed. False when cancelled or failed.
    bool print(QWidget* parent, Document* document);
    // "Print with Preview": warns first when there is no printer, then shows the page.
    void printWithPreview(QWidget* parent, Document* document, ShellPrompts& prompts);

private:
    std::unique_ptr<QPrinter> printer_;
    bool configured_ = false;
};

} // namespace pict::qt
