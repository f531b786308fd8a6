#pragma once
// A document window for the filter state tests: a document plus a selection that the test
// sets directly.

#include "document/Document.h"
#include "support/DocumentFixtures.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"

#include <memory>

namespace pict::test {

class TestWindow final : public DocumentContext {
public:
    explicit TestWindow(std::unique_ptr<Document> document) : document_(std::move(document)) {}

    Document& document() override { return *document_; }
    bool hasSelection() const override { return !selectionBounds_.isEmpty(); }
    SelectionArea selectionArea() const override {
        if (selectionBounds_.isEmpty())
            return {};
        return {selectionBounds_, &coverage_};
    }
    std::unique_ptr<HistoryState> makeDeselectState() override { return nullptr; }
    void placeSelection(const Surface8&, Point) override {}
    void canvasSizeChanged() override {}

    // A rectangular selection of one coverage value.
    void select(Rect bounds, uint8_t coverage = 255) {
        selectionBounds_ = bounds;
        coverage_ = solidMask(bounds.width(), bounds.height(), coverage);
    }
    void deselect() { selectionBounds_ = {}; }
    Surface8& coverage() { return coverage_; }

    RasterLayer& activeRaster() { return *document_->layers().active()->asRaster(); }

private:
    std::unique_ptr<Document> document_;
    Rect selectionBounds_;
    Surface8 coverage_;
};

} // namespace pict::test
