#pragma once
// "Print with Preview": the page as it would print, with "Print...", "Page Setup...", "Done"
// and "Cancel". Page Setup redraws the preview; Cancel puts back the page settings the dialog
// started with, Done keeps them, Print... ends the dialog so that the caller prints.

#include <QDialog>
#include <QImage>
#include <QPageLayout>

class QPrintPreviewWidget;
class QPrinter;

namespace pict {
class Document;
}

namespace pict::qt {

class PrinterSetup;

class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    // The result exec() gives when the user chose "Print...".
    static constexpr int PrintChosen = 2;

    PrintPreviewDialog(PrinterSetup& setup, Document* document, QWidget* parent = nullptr);

    QPrintPreviewWidget* previewWidget() const { return preview_; }
    void reject() override;

private:
    void paintPreview(QPrinter* printer);
    void pageSetup();

    PrinterSetup& setup_;
    QImage picture_;
    QPageLayout startLayout_;
    QPrintPreviewWidget* preview_ = nullptr;
};

} // namespace pict::qt
