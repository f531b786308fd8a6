#pragma once
// A photograph document and the window side of the history states, for the benchmarks that
// run states on a whole document.

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "history/filter/FilterHistoryState.h"
#include "imageops/SimpleColorFilters.h"
#include "selection/SelectionController.h"

#include "BenchPictures.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pict::bench {

// Starts the document over as one background of the given size holding photo(seed).
inline void startPhotoDocument(Document& document, int32_t width, int32_t height, uint32_t seed) {
    DocumentInfo info;
    info.width = width;
    info.height = height;
    info.name = "bench";
    info.backgroundColor = 0xFFFFFF;
    document.newFromInfo(info);
    document.layers().rasterAt(0)->color() = photo(width, height, seed);
}

// The 6000 x 4000 document of five photo-like layers that the layered-file and autosave
// benchmarks share: opacities falling layer by layer, the third with a transparency mask.
inline Document& fiveLayerPhotoDocument() {
    constexpr int32_t kWidth = 6000, kHeight = 4000, kLayers = 5;
    static Document document;
    static const bool made = [&] {
        startPhotoDocument(document, kWidth, kHeight, 1);
        for (int32_t i = 1; i < kLayers; ++i) {
            auto layer = RasterLayer::createFromSurface(&document.layers(), photo(kWidth, kHeight, uint32_t(i + 1)), false);
            layer->setName("Layer " + std::to_string(i));
            layer->setOpacity(uint8_t(255 - 30 * i));
            if (i == 2) {
                layer->ensureTransparencyMask();
                Surface8* mask = layer->transparencyMask();
                for (int32_t y = 0; y < kHeight; ++y)
                    for (int32_t x = 0; x < kWidth; ++x)
                        mask->row(y)[x] = uint8_t((x + y) / 40);
            }
            document.layers().insert(std::move(layer), document.layers().count());
        }
        document.invalidate(document.canvasRect());
        return true;
    }();
    (void)made;
    return document;
}

// No selection and no view: the states' window hooks cost nothing.
class BenchWindow final : public DocumentContext {
public:
    explicit BenchWindow(Document& document)
        : document_(document), selection_(document.width(), document.height()) {}
    Document& document() override { return document_; }
    SelectionController& selection() override { return selection_; }
    const SelectionController& selection() const override { return selection_; }
    void canvasSizeChanged() override {}

private:
    Document& document_;
    SelectionController selection_;
};

// Invert applied by its history state to the whole layer of a photo document, composited
// first, so that the benchmarks can time what the state's undo costs.
class InvertedPhotoDocument {
public:
    InvertedPhotoDocument(int32_t width, int32_t height, uint32_t seed) {
        startPhotoDocument(document_, width, height, seed);
        window_ = std::make_unique<BenchWindow>(document_);
        document_.composite();
        filter_ = std::make_unique<FilterHistoryState>(*window_, std::make_unique<InvertFilter>());
        applied_ = filter_->apply();
    }
    // False when Invert could not be applied; the state is then not worth timing.
    bool applied() const { return applied_; }
    FilterHistoryState& filter() { return *filter_; }

private:
    Document document_;
    std::unique_ptr<BenchWindow> window_;
    std::unique_ptr<FilterHistoryState> filter_;
    bool applied_ = false;
};

} // namespace pict::bench
