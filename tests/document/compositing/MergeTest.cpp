#include "support/DocumentFixtures.h"
#include "document/compositing/Merge.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

std::vector<std::string> namesOf(const LayerStack& stack) {
    std::vector<std::string> names;
    for (int32_t i = 0; i < stack.count(); ++i)
        names.push_back(stack.nameAt(i));
    return names;
}

class MergeTest : public ::testing::Test {
protected:
    // Background, A, B, C bottom to top on a 10 × 10 canvas.
    void SetUp() override {
        document = test::whiteDocument(10, 10);
        a = test::addColorLayer(*document, "A", {1, 1, 4, 4}, 0, 0, 200);
        b = test::addColorLayer(*document, "B", {3, 3, 12, 6}, 0, 200, 0);
        c = test::addColorLayer(*document, "C", {0, 8, 10, 10}, 200, 0, 0);
    }
    LayerStack& stack() { return document->layers(); }
    std::unique_ptr<Document> document;
    RasterLayer* a = nullptr;
    RasterLayer* b = nullptr;
    RasterLayer* c = nullptr;
};

TEST_F(MergeTest, MergeDownPutsTheResultAboveTheNextLayer) {
    stack().setActive(b);
    const std::vector<const Layer*> list = mergeDownList(*document);
    ASSERT_EQ(list, (std::vector<const Layer*>{a, b}));
    RasterLayer* merged = merge(*document, list);
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(namesOf(stack()), (std::vector<std::string>{"Background", "C", "A"}));
    EXPECT_EQ(stack().active(), merged);
    EXPECT_FALSE(merged->isBackground());
    EXPECT_EQ(merged->canvasRect(), (Rect{1, 1, 12, 6}));
    EXPECT_EQ(merged->blendMode(), kBlendNormal);
    EXPECT_EQ(merged->opacity(), 255);
    // The union is not all covered, so the merge carries transparency.
    ASSERT_NE(merged->transparencyMask(), nullptr);
    EXPECT_EQ(merged->transparencyMask()->valueAt(0, 0), 255); // A's pixel
    EXPECT_EQ(merged->transparencyMask()->valueAt(0, 4), 0);   // canvas (1, 5): neither
    EXPECT_EQ(test::pixelAt(merged->color(), 2, 2)[1], 200);   // B over A at canvas (3, 3)
    // The image is unchanged by the merge.
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 3, 3)[1], 200);
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 1, 1)[2], 200);
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 1, 5)[0], 255);
}

TEST_F(MergeTest, MergingOntoTheBackgroundMakesABackground) {
    stack().setActive(a);
    RasterLayer* merged = merge(*document, mergeDownList(*document));
    ASSERT_NE(merged, nullptr);
    EXPECT_EQ(namesOf(stack()), (std::vector<std::string>{"Background", "B", "C"}));
    EXPECT_EQ(stack().layerAt(0), merged);
    EXPECT_TRUE(merged->isBackground());
    EXPECT_EQ(merged->canvasRect(), (Rect{0, 0, 10, 10})); // the background's own bounds
    EXPECT_EQ(merged->transparencyMask(), nullptr);
    EXPECT_EQ(test::pixelAt(merged->color(), 2, 2)[2], 200);
}

TEST_F(MergeTest, OnlyOneLayerTakingPartKeepsThatLayer) {
    stack().setVisible(a, false);
    stack().setOpacity(c, 0);
    stack().setBlendMode(b, kBlendScreen);
    stack().setOpacity(b, 99);
    RasterLayer* kept = merge(*document, {a, b, c});
    EXPECT_EQ(kept, b);
    EXPECT_EQ(namesOf(stack()), (std::vector<std::string>{"Background", "B"}));
    EXPECT_EQ(b->blendMode(), kBlendScreen);
    EXPECT_EQ(b->opacity(), 99);
}

TEST_F(MergeTest, NothingTakingPartFailsAndChangesNothing) {
    stack().setVisible(a, false);
    stack().setOpacity(b, 0);
    EXPECT_EQ(merge(*document, {a, b}), nullptr);
    EXPECT_EQ(stack().count(), 4);
    auto outsider = test::colorLayer(*document, "X", {0, 0, 2, 2}, 0, 0, 0);
    EXPECT_EQ(merge(*document, {c, outsider.get()}), nullptr); // not in this document
    EXPECT_EQ(stack().count(), 4);
}

TEST_F(MergeTest, MergeVisibleTakesEveryVisibleLayer) {
    stack().setVisible(b, false);
    stack().setActive(c);
    const std::vector<const Layer*> list = mergeVisibleList(*document);
    ASSERT_EQ(list, (std::vector<const Layer*>{stack().layerAt(0), a, c}));
    RasterLayer* merged = merge(*document, list);
    ASSERT_NE(merged, nullptr);
    // The hidden B stays, above the new background.
    EXPECT_EQ(namesOf(stack()), (std::vector<std::string>{"Background", "B"}));
    EXPECT_TRUE(merged->isBackground());
    EXPECT_EQ(test::pixelAt(merged->color(), 5, 9)[0], 200);
}

TEST_F(MergeTest, CommandListsFollowTheirConditions) {
    stack().setActive(stack().layerAt(0));
    EXPECT_TRUE(mergeDownList(*document).empty()); // the bottom layer
    stack().setActive(b);
    stack().setVisible(a, false);
    EXPECT_TRUE(mergeDownList(*document).empty()); // the layer below is hidden
    stack().setVisible(a, true);
    stack().setVisible(b, false);
    EXPECT_TRUE(mergeDownList(*document).empty()); // the active layer is hidden
    EXPECT_TRUE(mergeVisibleList(*document).empty());
    stack().setActive(c);
    EXPECT_EQ(mergeVisibleList(*document).size(), 3u);

    auto single = test::whiteDocument(4, 4);
    EXPECT_TRUE(mergeVisibleList(*single).empty());
}

TEST_F(MergeTest, FlattenMixesTransparencyWithWhite) {
    auto small = test::bareDocument(4, 2);
    RasterLayer* layer = test::addColorLayer(*small, "A", {0, 0, 2, 2}, 0, 0, 0);
    small->layers().setOpacity(layer, 128);
    RasterLayer* flat = flatten(*small);
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(small->layers().count(), 1);
    EXPECT_EQ(flat->name(), "Background");
    EXPECT_TRUE(flat->isBackground());
    EXPECT_EQ(flat->transparencyMask(), nullptr);
    EXPECT_EQ(flat->canvasRect(), (Rect{0, 0, 4, 2}));
    // Black at alpha 128: coverage 127 toward white gives (127 × 255) >> 8 = 126.
    EXPECT_EQ(test::pixelAt(flat->color(), 0, 0)[0], 126);
    EXPECT_EQ(test::pixelAt(flat->color(), 3, 0)[0], 255); // alpha 0: white exactly
    EXPECT_EQ(small->layers().active(), flat);
}

TEST_F(MergeTest, FlattenOfAHiddenOnlyStackIsWhite) {
    auto small = test::bareDocument(3, 3);
    RasterLayer* layer = test::addColorLayer(*small, "A", {0, 0, 3, 3}, 10, 20, 30);
    small->layers().setVisible(layer, false);
    ASSERT_TRUE(small->composite()->isEmpty());
    RasterLayer* flat = flatten(*small);
    ASSERT_NE(flat, nullptr);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(test::pixelAt(flat->color(), x, y)[c], 255);
    EXPECT_TRUE(small->composite()->alpha().isAll(255));
}

TEST_F(MergeTest, FlattenReportsOneStructureChange) {
    struct Counter : DocumentObserver {
        std::vector<DocumentNotification> seen;
        void changed(const DocumentNotification& n) override { seen.push_back(n); }
    } counter;
    document->addObserver(&counter);
    RasterLayer* flat = flatten(*document);
    ASSERT_NE(flat, nullptr);
    ASSERT_EQ(counter.seen.size(), 1u);
    EXPECT_EQ(counter.seen[0].layer, flat);
    EXPECT_EQ(counter.seen[0].kind, LayerChangeKind::Structure);
    EXPECT_EQ(test::pixelAt(flat->color(), 0, 9)[0], 200); // C's blue survives
}

} // namespace
} // namespace pict
