#pragma once
// A document window for the filter state tests: a document plus a selection that the test
// sets directly.

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "history/FakeDocumentWindow.h"
#include "support/DocumentFixtures.h"

#include <memory>

namespace pict::test {

class TestWindow final : public DocumentContext {
public:
    explicit TestWindow(std::unique_ptr<Document> document)
        : document_(std::move(document)), selection_(document_->width(), document_->height()) {}

    Document& document() override { return *document_; }
    SelectionController& selection() override { return selection_; }
    const SelectionController& selection() const override { return selection_; }
    void canvasSizeChanged() override {}

    // A rectangular selection of one coverage value, clipped to the canvas.
    void select(Rect bounds, uint8_t coverage = 255) { selectRect(selection_, bounds, coverage); }
    void deselect() { selection_.clear(); }

    RasterLayer& activeRaster() { return *document_->layers().active()->asRaster(); }

private:
    std::unique_ptr<Document> document_;
    SelectionController selection_;
};

} // namespace pict::test
