#include "app/qt/window/ClipboardImage.h"

#include "document/Document.h"
#include "surface/RasterSurface.h"

#include <QImage>

#include <new>
#include <optional>

namespace pict::qt {

std::unique_ptr<Document> documentFromImage(const QImage& image, const std::string& name) {
    if (image.isNull())
        return nullptr;
    try {
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        if (argb.isNull())
            return nullptr;
        const int32_t width = argb.width();
        const int32_t height = argb.height();
        Surface24 color;
        if (!color.create(width, height, 24))
            return nullptr;
        const bool withAlpha = image.hasAlphaChannel();
        std::optional<Surface8> alpha;
        if (withAlpha) {
            alpha.emplace();
            if (!alpha->create(width, height, 8))
                return nullptr;
        }
        for (int32_t y = 0; y < height; ++y) {
            const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
            uint8_t* out = color.row(y);
            uint8_t* mask = withAlpha ? alpha->row(y) : nullptr;
            for (int32_t x = 0; x < width; ++x) {
                out[3 * x] = static_cast<uint8_t>(qBlue(in[x]));
                out[3 * x + 1] = static_cast<uint8_t>(qGreen(in[x]));
                out[3 * x + 2] = static_cast<uint8_t>(qRed(in[x]));
                if (mask)
                    mask[x] = static_cast<uint8_t>(qAlpha(in[x]));
            }
        }
        auto document = std::make_unique<Document>();
        if (!document->newFromSurface(name, std::move(color), std::move(alpha)))
            return nullptr;
        document->setUntitled(true);
        return document;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

} // namespace pict::qt
