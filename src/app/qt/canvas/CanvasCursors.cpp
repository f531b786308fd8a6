#include "app/qt/canvas/CanvasCursors.h"

#include <QPainter>
#include <QPixmap>

namespace pict::qt {
namespace {

enum class LensMark { Plus, Minus, None };

QCursor magnifier(LensMark mark) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A white halo under the black strokes keeps the cursor visible on dark and light images.
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 2.0}}) {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        p.drawEllipse(QRectF(2, 2, 13, 13));
        p.drawLine(QPointF(14, 14), QPointF(21, 21));
        if (mark != LensMark::None)
            p.drawLine(QPointF(5.5, 8.5), QPointF(11.5, 8.5));
        if (mark == LensMark::Plus)
            p.drawLine(QPointF(8.5, 5.5), QPointF(8.5, 11.5));
    }
    p.end();
    return QCursor(pixmap, 8, 8);
}

// A thin cross whose centre is the hot spot, with a mark of the tool beside it.
enum class CrossMark { DashedBox, CropCorners, None };

QCursor crossCursor(CrossMark mark) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 3.0}, std::pair{QColor(Qt::black), 1.0}}) {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 7.5));
        p.drawLine(QPointF(10.5, 13.5), QPointF(10.5, 19.5));
        p.drawLine(QPointF(1.5, 10.5), QPointF(7.5, 10.5));
        p.drawLine(QPointF(13.5, 10.5), QPointF(19.5, 10.5));
        if (mark == CrossMark::DashedBox) {
            QPen dashes = p.pen();
            dashes.setDashPattern({2, 2});
            p.setPen(dashes);
            p.drawRect(QRectF(17.5, 17.5, 10, 10));
        } else if (mark == CrossMark::CropCorners) {
            p.drawPolyline(QPolygonF({{18.5, 15.5}, {18.5, 26.5}, {29.5, 26.5}}));
            p.drawPolyline(QPolygonF({{15.5, 18.5}, {26.5, 18.5}, {26.5, 29.5}}));
        }
    }
    p.end();
    return QCursor(pixmap, 10, 10);
}

// The arrow with a dashed box: the pointer is on the selection, a press keeps it.
QCursor overSelectionCursor() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF arrow({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10.5, 19}, {7.5, 12}, {13, 12}});
    p.setPen(QPen(Qt::black, 1.0));
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 3.0}, std::pair{QColor(Qt::black), 1.0}}) {
        QPen dashes(color, width);
        dashes.setDashPattern({2, 2});
        p.setPen(dashes);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(15.5, 17.5, 12, 10));
    }
    p.end();
    return QCursor(pixmap, 1, 1);
}

} // namespace

QCursor canvasCursor(CanvasCursor cursor) {
    switch (cursor) {
    case CanvasCursor::Arrow: return QCursor(Qt::ArrowCursor);
    case CanvasCursor::Precise: return QCursor(Qt::CrossCursor);
    case CanvasCursor::Hand: return QCursor(Qt::OpenHandCursor);
    case CanvasCursor::Grabbing: return QCursor(Qt::ClosedHandCursor);
    case CanvasCursor::ZoomIn: {
        static const QCursor c = magnifier(LensMark::Plus);
        return c;
    }
    case CanvasCursor::ZoomOut: {
        static const QCursor c = magnifier(LensMark::Minus);
        return c;
    }
    case CanvasCursor::ZoomLimit: {
        static const QCursor c = magnifier(LensMark::None);
        return c;
    }
    case CanvasCursor::Marquee: {
        static const QCursor c = crossCursor(CrossMark::DashedBox);
        return c;
    }
    case CanvasCursor::Crop: {
        static const QCursor c = crossCursor(CrossMark::CropCorners);
        return c;
    }
    case CanvasCursor::MarqueeAlternate:
    case CanvasCursor::CropAlternate: {
        static const QCursor c = crossCursor(CrossMark::None);
        return c;
    }
    case CanvasCursor::OverSelection: {
        static const QCursor c = overSelectionCursor();
        return c;
    }
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace pict::qt
