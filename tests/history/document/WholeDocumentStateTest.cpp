#include "history/FakeDocumentWindow.h"
#include "history/HistoryManager.h"
#include "history/document/WholeDocumentState.h"

#include "document/Document.h"
#include "document/Layer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pict {
using test::FakeDocumentWindow;

namespace {

// Crops the canvas to its top-left quarter, or fails half way when told to: the first
// layer is already cropped when the failure is reported.
class QuarterCrop final : public WholeDocumentState {
public:
    QuarterCrop(FakeDocumentWindow& window, bool failHalfWay = false, WholeDocumentSteps steps = {})
        : WholeDocumentState(window, steps), window_(window), failHalfWay_(failHalfWay) {}
    std::string name() const override { return "Crop"; }
    bool apply() override {
        return applyWithSnapshot([this](Document& doc) {
            window_.log.push_back("operation");
            if (failHalfWay_) {
                doc.layers().layerAt(0)->asRaster()->crop({0, 0, 5, 5});
                return false;
            }
            return doc.crop({0, 0, doc.width() / 2, doc.height() / 2});
        });
    }
    bool undo() override { return undoFromSnapshot(); }

private:
    FakeDocumentWindow& window_;
    bool failHalfWay_;
};

TEST(WholeDocumentState, AppliesUndoesAndRedoesFromOneSnapshot) {
    FakeDocumentWindow window;
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<QuarterCrop>(window), false));
    EXPECT_EQ(window.doc.canvasSize(), (Size{20, 15}));
    EXPECT_TRUE(window.doc.isModified());

    window.doc.setModified(false);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
    EXPECT_EQ(window.doc.layers().layerAt(0)->size(), (Size{40, 30}));
    EXPECT_TRUE(window.doc.isModified()) << "restoring a snapshot marks the document modified";

    ASSERT_TRUE(history.redo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{20, 15}));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.canvasSize(), (Size{40, 30}));
}

// Exposes the snapshot so that its memory use can be checked.
class SnapshotProbe final : public WholeDocumentState {
public:
    explicit SnapshotProbe(FakeDocumentWindow& window) : WholeDocumentState(window) {}
    std::string name() const override { return "Probe"; }
    bool apply() override { return applyWithSnapshot([](Document& doc) { return doc.flip(true); }); }
    bool undo() override { return undoFromSnapshot(); }
    const Document* snapshot() const { return heldSnapshot(); }
};

TEST(WholeDocumentState, TheSnapshotKeepsNoComposite) {
    FakeDocumentWindow window;
    auto probe = std::make_unique<SnapshotProbe>(window);
    SnapshotProbe* raw = probe.get();
    HistoryManager history;
    ASSERT_TRUE(history.add(std::move(probe), false));
    ASSERT_NE(raw->snapshot(), nullptr);
    EXPECT_EQ(raw->snapshot()->compositeIfAny(), nullptr);
    ASSERT_TRUE(history.undo());
    EXPECT_NE(window.doc.compositeIfAny(), nullptr);
}

TEST(WholeDocumentState, DropsTheSelectionFirstAndBringsItBackOnUndo) {
    FakeDocumentWindow window;
    window.select({2, 2, 12, 10});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<QuarterCrop>(window), false));
    EXPECT_FALSE(window.selected());
    EXPECT_EQ(window.log, (std::vector<std::string>{"deselect", "begin", "operation", "end", "refresh"}));

    window.log.clear();
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(window.selected());
    EXPECT_EQ(window.log, (std::vector<std::string>{"begin", "end", "reselect", "refresh"}));

    // Redo drops the selection again, and its undo brings back the same one.
    ASSERT_TRUE(history.redo());
    EXPECT_FALSE(window.selected());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.selection().mask().bounds(), (Rect{2, 2, 12, 10}));
}

TEST(WholeDocumentState, WithoutASelectionNothingIsDeselected) {
    FakeDocumentWindow window;
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<QuarterCrop>(window), false));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.log, (std::vector<std::string>{"begin", "operation", "end", "refresh", "begin", "end", "refresh"}));
}

TEST(WholeDocumentState, StepsCanBeLeftOut) {
    FakeDocumentWindow window;
    window.select({2, 2, 12, 10});
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<QuarterCrop>(window, false, WholeDocumentSteps{false, false}), false));
    EXPECT_TRUE(window.selected());
    EXPECT_EQ(window.log, (std::vector<std::string>{"begin", "operation", "end"}));
}

TEST(WholeDocumentState, AFailedOperationLeavesTheDocumentAsItWas) {
    FakeDocumentWindow window;
    window.select({2, 2, 12, 10});
    HistoryManager history;
    EXPECT_FALSE(history.add(std::make_unique<QuarterCrop>(window, true), false));
    EXPECT_EQ(history.count(), 0);
    EXPECT_EQ(window.doc.layers().layerAt(0)->size(), (Size{40, 30}));
    EXPECT_FALSE(window.doc.isModified());
    EXPECT_TRUE(window.selected());
}

TEST(WholeDocumentState, UndoMakesTheTopLayerActive) {
    FakeDocumentWindow window;
    auto layer = RasterLayer::create(&window.doc.layers(), {10, 10}, 0x000000u);
    layer->setBackground(false);
    window.doc.layers().add(std::move(layer), window.doc.layers().count());
    window.doc.layers().setActive(window.doc.layers().layerAt(0));
    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<QuarterCrop>(window), false));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(window.doc.layers().activeIndex(), 1);
}

} // namespace
} // namespace pict
