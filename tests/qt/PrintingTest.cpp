// Printing end to end: the page goes to a PDF file (Qt's own output, no printer needed), which
// pdftoppm rasterises; the picture must be where the page arithmetic puts it, at its size.

#include "app/qt/printing/PrintPreviewDialog.h"
#include "app/qt/printing/PrintedPage.h"
#include "app/qt/printing/PrinterSetup.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"

#include <QFile>
#include <QImage>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>


namespace pict::qt::test {
namespace {

constexpr int kRasterDpi = 72;

bool hasPoppler() { return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(); }

QString scratch(const char* name) {
    return QString::fromStdString((pict::test::scratchDir() / name).string());
}

// The PDF's first page at 72 dots per inch.
QImage rasterise(const QString& pdf) {
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kRasterDpi),
                                                   QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png"));
}

// The bounds of the clearly red pixels.
QRect redBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80)
                bounds |= QRect(x, y, 1, 1);
        }
    return bounds;
}

QString pdfTitle(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    return {};
}

// A PDF printer on A4 at 600 dots per inch with 10 mm margins.
void setUpPdf(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

// Where the picture must land, in pixels of the rasterised page.
QRectF expectedOnPage(const QPrinter& printer, QSize picture) {
    const PrinterPage page = printerPage(printer);
    const Rect d = placeOnPage({picture.width(), picture.height()}, page).destination;
    const double scale = double(kRasterDpi) / printer.resolution();
    return QRectF((page.offsetX + d.left) * scale, (page.offsetY + d.top) * scale, d.width() * scale,
                  d.height() * scale);
}

void expectNear(const QRect& found, const QRectF& expected) {
    EXPECT_NEAR(found.left(), expected.left(), 1.5);
    EXPECT_NEAR(found.top(), expected.top(), 1.5);
    EXPECT_NEAR(found.width(), expected.width(), 2.0);
    EXPECT_NEAR(found.height(), expected.height(), 2.0);
}

class PrintJobTest : public MainWindowTest {
protected:
    // A red picture of this size in a new window.
    DocumentFrame* addRed(int32_t width, int32_t height) {
        DocumentInfo info;
        info.width = width;
        info.height = height;
        info.name = "Red";
        info.backgroundColor = 0x0000FF; // red, in the fill word's order (red in the low byte)
        info.untitled = true;
        auto document = std::make_unique<Document>();
        EXPECT_TRUE(document->newFromInfo(info));
        return window->addDocument(std::move(document));
    }
};

TEST_F(PrintJobTest, SmallPictureLandsCentredAtAWholeFactor) {
    if (!hasPoppler())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    DocumentFrame* frame = addRed(100, 50);
    const QString pdf = scratch("small.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    const PrinterPage page = printerPage(printer);
    // A4 is about 4960 device pixels wide at 600 dpi, the margins about 236 each: about 4490
    // printable, three quarters about 3367, so 33 times 100 pixels.
    EXPECT_NEAR(page.printableWidth(), 4490, 6);
    EXPECT_EQ(placeOnPage({100, 50}, page).factor, 33);
    ASSERT_TRUE(runPrintJob(printer, &frame->document()));

    const QImage raster = rasterise(pdf);
    ASSERT_FALSE(raster.isNull());
    EXPECT_NEAR(raster.width(), 595, 1) << "one A4 page at 72 dpi";
    expectNear(redBounds(raster), expectedOnPage(printer, {100, 50}));
    EXPECT_EQ(pdfTitle(pdf), QString::fromUtf8(kPrintJobName));
}

TEST_F(PrintJobTest, WidePictureIsSqueezedIntoThePrintableWidth) {
    if (!hasPoppler())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    DocumentFrame* frame = addRed(6000, 300);
    const QString pdf = scratch("wide.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    ASSERT_TRUE(runPrintJob(printer, &frame->document()));
    const QRect found = redBounds(rasterise(pdf));
    // From margin to margin (10 mm is 28.3 points), at the picture's own height.
    EXPECT_NEAR(found.left(), 28.3, 1.5);
    EXPECT_NEAR(found.right() + 1, 595.3 - 28.3, 1.5);
    EXPECT_NEAR(found.height(), 300 * 72.0 / 600, 1.5);
    expectNear(found, expectedOnPage(printer, {6000, 300}));
}

TEST_F(PrintJobTest, NothingStartsWithoutADocument) {
    const QString pdf = scratch("none.pdf");
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    setUpPdf(printer, pdf);
    EXPECT_FALSE(runPrintJob(printer, nullptr));
    EXPECT_FALSE(QFile::exists(pdf)) << "no empty file is left behind";
}

TEST_F(PrintJobTest, PreviewShowsOnePageAndPrintGoesThroughThePrintDialog) {
    addRed(40, 30);
    PrinterSetup& setup = window->printerSetup();
    const bool hadPrinter = setup.hasPrinter();
    const QString pdf = scratch("previewed.pdf");
    QFile::remove(pdf);
    setup.printer().setOutputFormat(QPrinter::PdfFormat);
    setup.printer().setOutputFileName(pdf);

    int pages = -1;
    answerNextModal<PrintPreviewDialog>([&pages](PrintPreviewDialog& preview) {
        preview.previewWidget()->updatePreview();
        pages = preview.previewWidget()->pageCount();
        preview.done(PrintPreviewDialog::PrintChosen);
    });
    bool printDialogShown = false;
    answerNextModal<QPrintDialog>([&printDialogShown](QPrintDialog& dialog) {
        printDialogShown = true;
        dialog.accept();
    });
    window->executeCommand(kCmdPrintPreview);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(printDialogShown);
    if (!hadPrinter)
        EXPECT_EQ(prompts.informations, QStringList{QString::fromUtf8(kNoPrinterMessage)});
    else
        EXPECT_TRUE(prompts.informations.isEmpty());
    EXPECT_TRUE(setup.hasPrinter()) << "a confirmed print dialog leaves settings behind";
    EXPECT_TRUE(QFile::exists(pdf)) << "Print... printed";
}

TEST_F(PrintJobTest, PageSetupKeepsWhatItsDialogConfirms) {
    PrinterSetup& setup = window->printerSetup();
    const bool hadPrinter = setup.hasPrinter();
    answerNextModal<QPageSetupDialog>([](QPageSetupDialog& dialog) { dialog.reject(); });
    window->executeCommand(kCmdPageSetup);
    EXPECT_EQ(setup.hasPrinter(), hadPrinter) << "a cancelled page setup changes nothing";
    answerNextModal<QPageSetupDialog>([](QPageSetupDialog& dialog) { dialog.accept(); });
    window->executeCommand(kCmdPageSetup);
    EXPECT_TRUE(setup.hasPrinter());
}

TEST_F(PrintJobTest, CancelledPreviewPutsThePageSettingsBack) {
    addRed(10, 10);
    PrinterSetup& setup = window->printerSetup();
    setup.printer().setPageOrientation(QPageLayout::Portrait);
    answerNextModal<PrintPreviewDialog>([&setup](PrintPreviewDialog& preview) {
        setup.printer().setPageOrientation(QPageLayout::Landscape); // as Page Setup would
        preview.reject();
    });
    window->executeCommand(kCmdPrintPreview);
    EXPECT_EQ(setup.printer().pageLayout().orientation(), QPageLayout::Portrait);
}

} // namespace
} // namespace pict::qt::test
