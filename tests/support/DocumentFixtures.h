#pragma once
// Small document builders shared by the document, filter and command-layer tests.

#include "document/Document.h"
#include "document/Layer.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace pict::test {

// Starts the document over with a white "Background" of the given size, unmodified.
inline bool startWhiteDocument(Document& document, int32_t width, int32_t height) {
    DocumentInfo info;
    info.width = width;
    info.height = height;
    info.name = "Untitled-1";
    info.backgroundColor = 0xFFFFFF;
    return document.newFromInfo(info);
}

inline std::unique_ptr<Document> whiteDocument(int32_t width, int32_t height) {
    auto document = std::make_unique<Document>();
    startWhiteDocument(*document, width, height);
    return document;
}

// A document with no layers at all (for stack tests that build their own).
inline std::unique_ptr<Document> bareDocument(int32_t width, int32_t height) {
    auto document = whiteDocument(width, height);
    document->layers().removeAll(false);
    return document;
}

inline Surface24 solidColor(int32_t width, int32_t height, uint8_t b, uint8_t g, uint8_t r) {
    Surface24 surface;
    surface.create(width, height, 24);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = surface.row(y) + 3 * x;
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    return surface;
}

inline Surface8 solidMask(int32_t width, int32_t height, uint8_t value) {
    Surface8 mask;
    mask.create(width, height, 8);
    mask.fillValue(value);
    return mask;
}

// A non-background raster layer of one color at a position, owned by the caller until added.
inline std::unique_ptr<RasterLayer> colorLayer(Document& document, const std::string& name, Rect rect, uint8_t b,
                                               uint8_t g, uint8_t r) {
    auto layer =
        RasterLayer::createFromSurface(&document.layers(), solidColor(rect.width(), rect.height(), b, g, r), false);
    layer->setName(name);
    layer->setPosition(rect.topLeft());
    return layer;
}

// Adds a colored layer on top and returns it.
inline RasterLayer* addColorLayer(Document& document, const std::string& name, Rect rect, uint8_t b, uint8_t g,
                                  uint8_t r) {
    auto layer = colorLayer(document, name, rect, b, g, r);
    RasterLayer* raw = layer.get();
    document.layers().add(std::move(layer), document.layers().count());
    return raw;
}

inline const uint8_t* pixelAt(const Surface24& surface, int32_t x, int32_t y) { return surface.row(y) + 3 * x; }

} // namespace pict::test
