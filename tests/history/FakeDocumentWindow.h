#pragma once
// A document window for history tests: a real document, a selection given as an area
// (bounds plus coverage) and a Deselect state that drops it and brings it back on undo.
// Every hook is logged so that the order of the shared steps shows.

#include "document/Document.h"
#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "support/DocumentFixtures.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pict::test {

class FakeDocumentWindow final : public DocumentContext {
public:
    explicit FakeDocumentWindow(int32_t width = 40, int32_t height = 30) {
        startWhiteDocument(doc, width, height);
        doc.setModified(false);
    }

    // A rectangular selection of full coverage; selected is set as well.
    void select(const Rect& bounds, uint8_t coverage = 255) {
        mask = Surface8();
        mask.create(bounds.width(), bounds.height(), 8);
        mask.fillValue(coverage);
        area = bounds;
        selected = true;
    }

    Document& document() override { return doc; }
    bool hasSelection() const override { return selected; }
    SelectionArea selectionArea() const override {
        return selected && !area.isEmpty() ? SelectionArea{area, &mask} : SelectionArea{};
    }
    std::unique_ptr<HistoryState> makeDeselectState() override;
    // The coverage as it is, at its place (no cut to the canvas, no trim).
    void placeSelection(const Surface8& coverage, Point topLeft) override {
        selected = !coverage.isEmpty();
        area = selected ? Rect::fromPointSize(topLeft, coverage.size()) : Rect{};
        mask = selected ? coverage.clone() : Surface8();
        ++placements;
    }
    void canvasSizeChanged() override { log.push_back("refresh"); }
    void beginLongOperation() override { log.push_back("begin"); }
    void endLongOperation() override { log.push_back("end"); }

    Document doc;
    bool selected = false;
    Rect area;
    Surface8 mask;
    int deselectStatesMade = 0;
    int placements = 0;
    std::vector<std::string> log;
};

class FakeDeselect final : public HistoryState {
public:
    explicit FakeDeselect(FakeDocumentWindow& window) : window_(window) {}
    std::string name() const override { return "Deselect"; }
    bool apply() override {
        saved_ = window_.selected;
        window_.selected = false;
        window_.log.push_back("deselect");
        return true;
    }
    bool undo() override {
        window_.selected = saved_;
        window_.log.push_back("reselect");
        return true;
    }

private:
    FakeDocumentWindow& window_;
    bool saved_ = false;
};

inline std::unique_ptr<HistoryState> FakeDocumentWindow::makeDeselectState() {
    ++deselectStatesMade;
    return std::make_unique<FakeDeselect>(*this);
}

} // namespace pict::test
