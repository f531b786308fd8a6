#include "app/qt/widgets/LayerPainting.h"

#include "document/Layer.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace pict::qt {

namespace {

QRectF toQRectF(const Rect& r) { return QRectF(r.left, r.top, r.width(), r.height()); }

// Squares of 4 pixels, white and light gray, behind the transparent parts of a layer.
QBrush checkerboard() {
    QPixmap tile(8, 8);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    const QColor gray(204, 204, 204);
    painter.fillRect(4, 0, 4, 4, gray);
    painter.fillRect(0, 4, 4, 4, gray);
    return QBrush(tile);
}

// The part of a layer that is not fully opaque, with its opacity, premultiplied.
QImage translucentPart(const RasterLayer& layer, const Rect& part) {
    QImage image(part.width(), part.height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    for (int32_t y = part.top; y < part.bottom; ++y) {
        const uint8_t* source = layer.colorAt(part.left, y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y - part.top));
        for (int32_t x = part.left; x < part.right; ++x, source += 3) {
            const uint32_t alpha = layer.alphaAt(x, y);
            *target++ = qRgba(int(source[2] * alpha / 255), int(source[1] * alpha / 255), int(source[0] * alpha / 255),
                              int(alpha));
        }
    }
    return image;
}

} // namespace

void drawLayerPart(QPainter& painter, const RasterLayer& layer, const Rect& source, const QRectF& target,
                   bool smooth) {
    const Surface24& color = layer.color();
    if (source.isEmpty() || !Rect::fromSize(color.size()).contains(source))
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    if (!layer.isFullyOpaque()) {
        painter.fillRect(target, checkerboard());
        painter.drawImage(target, translucentPart(layer, source));
        painter.restore();
        return;
    }
    // An opaque layer's pixels are shown where they are: blue, green, red, rows padded to 4
    // bytes, in memory usually bottom row first (then the picture is drawn flipped back).
    const int32_t height = color.height();
    const bool topDown = height < 2 || color.row(1) > color.row(0);
    const QImage pixels(topDown ? color.row(0) : color.row(height - 1), color.width(), height,
                        qsizetype(color.stride()), QImage::Format_BGR888);
    QRectF inMemory = toQRectF(source);
    if (!topDown) {
        inMemory.moveTop(height - source.bottom);
        painter.translate(0, 2 * target.top() + target.height());
        painter.scale(1, -1);
    }
    painter.drawImage(target, pixels, inMemory);
    painter.restore();
}

} // namespace pict::qt
