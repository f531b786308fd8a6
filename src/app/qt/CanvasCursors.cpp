#include "app/qt/CanvasCursors.h"

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

} // namespace

QCursor canvasCursor(CanvasCursor cursor) {
    switch (cursor) {
    case CanvasCursor::Arrow: return QCursor(Qt::ArrowCursor);
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
    }
    return QCursor(Qt::ArrowCursor);
}

} // namespace pict::qt
