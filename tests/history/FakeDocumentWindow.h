#pragma once
// A document window for history tests: a real document and a real selection whose changes
// are logged ("deselect" when it empties, "reselect" when it comes back), as are the window
// hooks, so that the order of the shared steps shows.

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "selection/SelectionController.h"
#include "support/DocumentFixtures.h"

#include <string>
#include <vector>

namespace pict::test {

// Selects bounds (clipped to the canvas) with one coverage value, or whatever the mask paints
// when one is given: mask is canvas sized, starts empty and is handed to paint first.
template <class Paint>
bool selectPainted(SelectionController& selection, const Rect& bounds, uint8_t coverage, Paint&& paint) {
    const SelectionMask& current = selection.mask();
    Surface8 canvas;
    if (!canvas.create(current.canvasWidth(), current.canvasHeight(), 8))
        return false;
    canvas.fillValue(0);
    const Rect inside = bounds.intersected(canvas.bounds());
    for (int32_t y = inside.top; y < inside.bottom; ++y)
        for (int32_t x = inside.left; x < inside.right; ++x)
            canvas.setValueAt(x, y, coverage);
    paint(canvas);
    return selection.load(canvas);
}

inline bool selectRect(SelectionController& selection, const Rect& bounds, uint8_t coverage = 255) {
    return selectPainted(selection, bounds, coverage, [](Surface8&) {});
}

class FakeDocumentWindow final : public DocumentContext, private SelectionListener {
public:
    explicit FakeDocumentWindow(int32_t width = 40, int32_t height = 30) : selection_(width, height) {
        startWhiteDocument(doc, width, height);
        doc.setModified(false);
        selection_.setListener(this);
    }
    ~FakeDocumentWindow() override { selection_.setListener(nullptr); }

    // A rectangular selection of one coverage value; the change is not logged.
    void select(const Rect& bounds, uint8_t coverage = 255) {
        selectRect(selection_, bounds, coverage);
        log.clear();
    }
    bool selected() const { return hasSelection(); }

    Document& document() override { return doc; }
    SelectionController& selection() override { return selection_; }
    const SelectionController& selection() const override { return selection_; }
    // As the application's session does: a selection of another canvas size is dropped.
    void canvasSizeChanged() override {
        log.push_back("refresh");
        const SelectionMask& mask = selection_.mask();
        if (mask.canvasWidth() != doc.width() || mask.canvasHeight() != doc.height())
            selection_.resetCanvas(doc.width(), doc.height());
    }
    void beginLongOperation() override { log.push_back("begin"); }
    void endLongOperation() override { log.push_back("end"); }

    Document doc;
    std::vector<std::string> log;

private:
    void selectionChanged(const Rect& oldBounds, const Rect& newBounds) override {
        if (!oldBounds.isEmpty() && newBounds.isEmpty())
            log.push_back("deselect");
        else if (oldBounds.isEmpty() && !newBounds.isEmpty())
            log.push_back("reselect");
    }

    SelectionController selection_;
};

} // namespace pict::test
