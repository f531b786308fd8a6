#include "support/DocumentFixtures.h"
#include "document/LayerOperations.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

class LayerStackTest : public ::testing::Test {
protected:
    void SetUp() override { document = test::bareDocument(10, 10); }
    EmptyLayer* addEmpty(const std::string& name, int32_t position = -1) {
        auto layer = std::make_unique<EmptyLayer>(&stack());
        layer->setName(name);
        EmptyLayer* raw = layer.get();
        EXPECT_TRUE(stack().add(std::move(layer), position));
        return raw;
    }
    LayerStack& stack() { return document->layers(); }
    std::unique_ptr<Document> document;
};

TEST_F(LayerStackTest, LookupsOutOfRangeGiveNone) {
    addEmpty("A");
    EXPECT_EQ(stack().layerAt(-1), nullptr);
    EXPECT_EQ(stack().layerAt(stack().count()), nullptr);
    EXPECT_EQ(stack().nameAt(5), "");
    EXPECT_EQ(stack().indexOf(nullptr), -1);
    EmptyLayer outsider(&stack());
    EXPECT_EQ(stack().indexOf(&outsider), -1);
    EXPECT_FALSE(stack().remove(&outsider));
    EXPECT_EQ(stack().findByName("A"), stack().layerAt(0));
    EXPECT_EQ(stack().findByName("a"), nullptr);
    EXPECT_EQ(stack().rasterAt(0), nullptr);
}

TEST_F(LayerStackTest, InsertGoesAboveTheActiveLayer) {
    addEmpty("A");
    addEmpty("B");
    addEmpty("C");
    stack().setActive(stack().layerAt(1));
    EmptyLayer* d = addEmpty("D");
    EXPECT_EQ(stack().indexOf(d), 2);
    EXPECT_EQ(stack().active(), d);

    auto background = RasterLayer::create(&stack(), {10, 10}, 0xFFFFFF);
    background->setName("Background");
    ASSERT_TRUE(stack().add(std::move(background)));
    EXPECT_EQ(stack().nameAt(0), "Background");
    EXPECT_EQ(stack().activeIndex(), 0);

    addEmpty("Top", 99);
    EXPECT_EQ(stack().nameAt(stack().count() - 1), "Top");
    addEmpty("Bottom", 0);
    EXPECT_EQ(stack().nameAt(0), "Bottom");
    addEmpty("Second", 1);
    EXPECT_EQ(stack().nameAt(1), "Second");
}

TEST_F(LayerStackTest, InsertWithoutActiveLayerGoesOnTop) {
    addEmpty("A");
    addEmpty("B");
    stack().removeAll(false);
    EXPECT_EQ(stack().active(), nullptr);
    addEmpty("C");
    EXPECT_EQ(stack().activeIndex(), 0);
}

TEST_F(LayerStackTest, AddingALayerTwiceFails) {
    EmptyLayer* a = addEmpty("A");
    EXPECT_FALSE(stack().add(std::unique_ptr<Layer>(a)));
    EXPECT_EQ(stack().count(), 1);
    EXPECT_FALSE(stack().add(nullptr));
}

TEST_F(LayerStackTest, RemovingFixesTheActiveLayer) {
    addEmpty("A");
    addEmpty("B");
    addEmpty("C");
    EXPECT_TRUE(stack().removeAt(2)); // active top
    EXPECT_EQ(stack().nameAt(stack().activeIndex()), "B");
    stack().setActive(stack().layerAt(0));
    EXPECT_TRUE(stack().removeAt(0));
    EXPECT_EQ(stack().nameAt(stack().activeIndex()), "B");
    EXPECT_TRUE(stack().removeAt(0));
    EXPECT_EQ(stack().active(), nullptr);
    EXPECT_FALSE(stack().removeAt(0));
}

TEST_F(LayerStackTest, RemovingAnInactiveLayerKeepsTheActiveOne) {
    addEmpty("A");
    addEmpty("B");
    Layer* c = addEmpty("C");
    stack().removeAt(0);
    EXPECT_EQ(stack().active(), c);
}

TEST_F(LayerStackTest, DetachHandsTheSameObjectBack) {
    addEmpty("A");
    EmptyLayer* b = addEmpty("B");
    std::unique_ptr<Layer> detached = stack().detach(1);
    EXPECT_EQ(detached.get(), b);
    EXPECT_EQ(stack().count(), 1);
    EXPECT_EQ(stack().activeIndex(), 0);
    EXPECT_EQ(stack().detach(7), nullptr);
    EXPECT_TRUE(stack().add(std::move(detached), 1));
    EXPECT_EQ(stack().layerAt(1), b);
    EXPECT_EQ(b->owner(), &stack());
}

TEST_F(LayerStackTest, PlaceholdersKeepNameAndVisibility) {
    RasterLayer* a = test::addColorLayer(*document, "A", {0, 0, 4, 4}, 1, 2, 3);
    stack().setVisible(a, false);
    addEmpty("E");
    EXPECT_FALSE(stack().replaceWithPlaceholder(1, true)); // not for an empty layer
    ASSERT_TRUE(stack().replaceWithPlaceholder(0, true));
    const Layer* placeholder = stack().layerAt(0);
    EXPECT_EQ(placeholder->name(), "A");
    EXPECT_FALSE(placeholder->isVisible());
    EXPECT_FALSE(placeholder->isLive());
    EXPECT_FALSE(stack().replaceWithPlaceholder(0, true));
    EXPECT_FALSE(stack().setBlendMode(stack().layerAt(0), kBlendScreen));
    EXPECT_FALSE(stack().setOpacity(stack().layerAt(0), 5));
    EXPECT_TRUE(stack().setName(stack().layerAt(0), "P"));
}

TEST_F(LayerStackTest, SettersValidateAndStore) {
    RasterLayer* a = test::addColorLayer(*document, "A", {0, 0, 4, 4}, 1, 2, 3);
    EXPECT_TRUE(stack().setBlendMode(a, kBlendLuminosity));
    EXPECT_FALSE(stack().setBlendMode(a, 19));
    EXPECT_FALSE(stack().setBlendMode(a, -1));
    EXPECT_EQ(a->blendMode(), kBlendLuminosity);
    EXPECT_TRUE(stack().setOpacity(a, 128));
    EXPECT_EQ(a->opacityPercent(), 50);
    EmptyLayer outsider(&stack());
    EXPECT_FALSE(stack().setName(&outsider, "x"));
}

TEST_F(LayerStackTest, PixelOperationsNeedARasterLayer) {
    addEmpty("E");
    struct CountingFilter : SurfaceFilter {
        int calls = 0;
        bool apply(Surface24&, const Surface8*, Point) override { return ++calls, true; }
    } filter;
    EXPECT_FALSE(stack().applyFilter(0, filter, {}));
    EXPECT_FALSE(stack().applyFilter(3, filter, {}));
    EXPECT_FALSE(stack().clear(0, {}, 0));
    EXPECT_EQ(filter.calls, 0);
    test::addColorLayer(*document, "A", {0, 0, 4, 4}, 1, 2, 3);
    EXPECT_TRUE(stack().applyFilter(1, filter, {}));
    EXPECT_EQ(filter.calls, 1);
}

TEST_F(LayerStackTest, ReplaceContentReportsBothRectangles) {
    struct Last : DocumentObserver {
        DocumentNotification n;
        void changed(const DocumentNotification& x) override { n = x; }
    } last;
    RasterLayer* a = test::addColorLayer(*document, "A", {0, 0, 2, 2}, 1, 2, 3);
    auto other = test::colorLayer(*document, "B", {5, 5, 8, 8}, 9, 9, 9);
    stack().setVisible(a, false);
    document->addObserver(&last);
    ASSERT_TRUE(stack().replaceContent(0, *other));
    EXPECT_EQ(last.n.kind, LayerChangeKind::Structure);
    EXPECT_EQ(last.n.rect, (Rect{0, 0, 8, 8}));
    EXPECT_EQ(a->name(), "B");
    EXPECT_TRUE(a->isVisible());
    EXPECT_EQ(a->position(), (Point{5, 5}));
}

TEST_F(LayerStackTest, CloneActivatesTheTopLayer) {
    addEmpty("A");
    addEmpty("B");
    stack().setActive(stack().layerAt(0));
    auto copy = stack().clone(document.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->activeIndex(), 1);
    EXPECT_EQ(copy->layerAt(0)->owner(), copy.get());
}

} // namespace
} // namespace pict
