#pragma once
// A photograph document and the window side of the history states, for the benchmarks that
// run states on a whole document.

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "selection/SelectionController.h"

#include "BenchPictures.h"

#include <cstdint>
#include <memory>

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

} // namespace pict::bench
