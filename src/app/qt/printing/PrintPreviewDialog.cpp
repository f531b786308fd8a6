#include "app/qt/printing/PrintPreviewDialog.h"

#include "app/qt/printing/PrintedPage.h"
#include "app/qt/printing/PrinterSetup.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace pict::qt {

PrintPreviewDialog::PrintPreviewDialog(PrinterSetup& setup, Document* document, QWidget* parent)
    : QDialog(parent), setup_(setup), picture_(printedPicture(document)),
      startLayout_(setup.printer().pageLayout()) {
    setWindowTitle(QStringLiteral("Print with Preview"));
    preview_ = new QPrintPreviewWidget(&setup.printer(), this);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewDialog::paintPreview);

    auto* printButton = new QPushButton(QStringLiteral("Print..."), this);
    auto* pageSetupButton = new QPushButton(QStringLiteral("Page Setup..."), this);
    auto* doneButton = new QPushButton(QStringLiteral("Done"), this);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    doneButton->setDefault(true);
    connect(printButton, &QPushButton::clicked, this, [this] { done(PrintChosen); });
    connect(pageSetupButton, &QPushButton::clicked, this, &PrintPreviewDialog::pageSetup);
    connect(doneButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &PrintPreviewDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(printButton);
    buttons->addWidget(pageSetupButton);
    buttons->addStretch();
    buttons->addWidget(doneButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(preview_, 1);
    layout->addLayout(buttons);
    resize(640, 720);
}

void PrintPreviewDialog::paintPreview(QPrinter* printer) {
    QPainter painter(printer);
    paintPage(painter, *printer, picture_);
}

void PrintPreviewDialog::pageSetup() {
    if (setup_.pageSetup(this))
        preview_->updatePreview();
}

void PrintPreviewDialog::reject() {
    setup_.printer().setPageLayout(startLayout_);
    QDialog::reject();
}

} // namespace pict::qt
