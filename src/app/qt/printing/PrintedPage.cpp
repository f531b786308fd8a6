#include "app/qt/printing/PrintedPage.h"

#include "app/qt/window/ClipboardImage.h"
#include "document/compositing/CompositeCache.h"
#include "document/Document.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace pict::qt {

PrinterPage printerPage(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    PrinterPage result;
    result.physicalWidth = static_cast<int32_t>(std::lround(paper.width()));
    result.physicalHeight = static_cast<int32_t>(std::lround(paper.height()));
    result.offsetX = static_cast<int32_t>(std::lround(page.left() - paper.left()));
    result.offsetY = static_cast<int32_t>(std::lround(page.top() - paper.top()));
    return result;
}

QImage printedPicture(Document* document) {
    const CompositeCache* composite = document ? document->composite() : nullptr;
    return composite ? imageFromSurfaces(composite->color(), composite->alpha()) : QImage();
}

bool paintPage(QPainter& painter, const QPrinter& printer, const QImage& picture) {
    if (picture.isNull())
        return false;
    const Rect d = placeOnPage({picture.width(), picture.height()}, printerPage(printer)).destination;
    if (d.isEmpty())
        return false;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(d.left, d.top, d.width(), d.height()), picture);
    painter.restore();
    return true;
}

bool runPrintJob(QPrinter& printer, Document* document) {
    const QImage picture = printedPicture(document);
    if (picture.isNull())
        return false;
    printer.setDocName(QString::fromUtf8(kPrintJobName));
    printer.setFromTo(0, 0);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (!paintPage(painter, printer, picture)) {
        printer.abort();
        painter.end();
        return false;
    }
    return painter.end();
}

} // namespace pict::qt
