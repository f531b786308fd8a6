#include "app/qt/window/ClipboardImage.h"

#include "app/session/InternalClipboard.h"
#include "document/Document.h"
#include "document/PixelPiece.h"
#include "surface/PixelThreads.h"

#include <QImage>

#include <new>

namespace pict::qt {

bool pieceFromImage(const QImage& image, PixelPiece& piece) {
    if (image.isNull())
        return false;
    try {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (argb.isNull())
            return false;
        const int32_t width = argb.width();
        const int32_t height = argb.height();
        PixelPiece read;
        if (!read.color.create(width, height, 24) || !read.alpha.create(width, height, 8))
            return false;
        for (int32_t y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            uint8_t* out = read.color.row(y);
            uint8_t* alpha = read.alpha.row(y);
            for (int32_t x = 0; x < width; ++x) {
                out[3 * x] = uint8_t(qBlue(in[x]));
                out[3 * x + 1] = uint8_t(qGreen(in[x]));
                out[3 * x + 2] = uint8_t(qRed(in[x]));
                alpha[x] = uint8_t(qAlpha(in[x]));
            }
        }
        piece = std::move(read);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

QImage imageFromPiece(const PixelPiece& piece) {
    if (piece.isEmpty())
        return {};
    return imageFromSurfaces(piece.color, piece.alpha);
}

QImage imageFromSurfaces(const Surface24& color, const Surface8& alpha) {
    if (color.size().isEmpty() || alpha.size() != color.size())
        return {};
    QImage image(color.width(), color.height(), QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    // Copy converts a whole layer on the user-interface thread: rows go to the pixel threads.
    uchar* bits = image.bits(); // detached once here, not by each strip
    const qsizetype stride = image.bytesPerLine();
    const int32_t width = image.width();
    forEachStrip(0, image.height(), width, [&](int32_t begin, int32_t end) {
        for (int32_t y = begin; y < end; ++y) {
            const uint8_t* in = color.row(y);
            const uint8_t* a = alpha.row(y);
            auto* out = reinterpret_cast<QRgb*>(bits + stride * y);
            for (int32_t x = 0; x < width; ++x)
                out[x] = qRgba(in[3 * x + 2], in[3 * x + 1], in[3 * x], a[x]);
        }
    });
    return image;
}

std::unique_ptr<Document> documentFromImage(const QImage& image, const std::string& name) {
    PixelPiece piece;
    if (!pieceFromImage(image, piece))
        return nullptr;
    return documentFromPicture(piece, name);
}

} // namespace pict::qt
