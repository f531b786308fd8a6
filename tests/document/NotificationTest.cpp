#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace pict {
namespace {

// Records every notification together with what the composite showed at one probe pixel
// at the moment the observer was told.
struct ProbingObserver : DocumentObserver {
    Document* document = nullptr;
    Point probe;
    std::vector<DocumentNotification> seen;
    std::vector<uint8_t> probedBlue;
    void changed(const DocumentNotification& n) override {
        seen.push_back(n);
        const CompositeCache* cache = document ? document->compositeIfAny() : nullptr;
        probedBlue.push_back(cache ? test::pixelAt(cache->color(), probe.x, probe.y)[0] : 0);
    }
    const DocumentNotification& last() const { return seen.back(); }
};

class NotificationTest : public ::testing::Test {
protected:
    void SetUp() override {
        document = test::whiteDocument(20, 10);
        observer.document = document.get();
        document->addObserver(&observer);
    }
    LayerStack& stack() { return document->layers(); }
    std::unique_ptr<Document> document;
    ProbingObserver observer;
};

TEST_F(NotificationTest, AttributeReportsCoverTheCanvasForAVisibleLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {-5, -5, 3, 3}, 0, 0, 0);
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Structure);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
    EXPECT_EQ(observer.last().layer, layer);
    EXPECT_EQ(observer.last().document, document.get());
    stack().setName(layer, "B");
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Name);
    stack().setBlendMode(layer, kBlendMultiply);
    EXPECT_EQ(observer.last().kind, LayerChangeKind::BlendMode);
    stack().setOpacity(layer, 9);
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Opacity);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
}

TEST_F(NotificationTest, OnlyForcedReportsRecomposeAHiddenLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 20, 10}, 0, 0, 0);
    observer.probe = {1, 1};
    stack().setVisible(layer, false); // forced: the area it covered is recomposed
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Visibility);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
    EXPECT_EQ(observer.probedBlue.back(), 255);

    stack().setName(layer, "B");
    EXPECT_TRUE(observer.last().rect.isEmpty());
    stack().setOpacity(layer, 10);
    EXPECT_TRUE(observer.last().rect.isEmpty());
    stack().setBlendMode(layer, kBlendScreen);
    EXPECT_TRUE(observer.last().rect.isEmpty());
    EXPECT_EQ(observer.seen.size(), 5u); // Structure, Visibility, then the three empty ones

    // Pixels are forced too: a hidden layer's area is still recomposed (to the same image).
    ASSERT_TRUE(stack().writeBack(1, test::solidColor(20, 10, 3, 3, 3)));
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Pixels);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
    EXPECT_EQ(observer.probedBlue.back(), 255);

    // Removing a hidden layer is not forced.
    ASSERT_TRUE(stack().removeAt(1));
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Structure);
    EXPECT_TRUE(observer.last().rect.isEmpty());
}

TEST_F(NotificationTest, CacheIsRecomposedBeforeTheObserversHear) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 20, 10}, 0, 0, 0);
    observer.probe = {4, 4};
    EXPECT_EQ(observer.probedBlue.back(), 0); // the add already shows the black layer
    stack().setVisible(layer, false);
    EXPECT_EQ(observer.probedBlue.back(), 255);
    stack().setVisible(layer, true);
    EXPECT_EQ(observer.probedBlue.back(), 0);
    ASSERT_TRUE(stack().writeBack(1, test::solidColor(20, 10, 40, 40, 40)));
    EXPECT_EQ(observer.probedBlue.back(), 40);
    stack().setOpacity(layer, 0);
    EXPECT_EQ(observer.probedBlue.back(), 255);
}

TEST_F(NotificationTest, ObserversAreToldInRegistrationOrder) {
    std::vector<int> order;
    struct Tagged : DocumentObserver {
        std::vector<int>* order;
        int tag;
        Tagged(std::vector<int>* o, int t) : order(o), tag(t) {}
        void changed(const DocumentNotification&) override { order->push_back(tag); }
    } first(&order, 1), second(&order, 2);
    document->addObserver(&first);
    document->addObserver(&second);
    document->addObserver(&first);
    document->notifyDocument({0, 0, 1, 1});
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(NotificationTest, ObserverMayUnregisterWhileBeingTold) {
    struct Leaving : DocumentObserver {
        Document* document;
        int calls = 0;
        void changed(const DocumentNotification&) override {
            ++calls;
            document->removeObserver(this);
        }
    } leaving;
    leaving.document = document.get();
    document->addObserver(&leaving);
    document->notifyDocument({});
    document->notifyDocument({});
    EXPECT_EQ(leaving.calls, 1);
    EXPECT_EQ(observer.seen.size(), 2u);
}

TEST_F(NotificationTest, PixelReportsUseTheSelectionBoundsOrTheLayer) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {15, 5, 25, 15}, 0, 0, 0);
    ASSERT_TRUE(stack().clear(1, {}, 0));
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Pixels);
    EXPECT_EQ(observer.last().rect, (Rect{15, 5, 20, 10})); // the layer, clipped to the canvas
    Surface8 coverage = test::solidMask(4, 4, 255);
    ASSERT_TRUE(stack().clear(0, {{2, 3, 6, 7}, &coverage}, 0x000000));
    EXPECT_EQ(observer.last().rect, (Rect{2, 3, 6, 7}));
    EXPECT_EQ(observer.last().layer, stack().layerAt(0));
    // The cleared layer is transparent now: the background shows through it.
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 17, 7)[0], 255);
    (void)layer;
}

TEST_F(NotificationTest, ReplacingContentReportsBothPlacesForced) {
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 4, 4}, 0, 0, 0);
    auto other = test::colorLayer(*document, "B", {10, 2, 30, 6}, 9, 9, 9);
    other->setVisible(false);
    ASSERT_TRUE(stack().replaceContent(1, *other));
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Structure);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 6}));
    EXPECT_FALSE(layer->isVisible());
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 1, 1)[0], 255); // the old place is recomposed
}

TEST_F(NotificationTest, APlaceholderTakesAVisibleLayersPixelsOutOfTheComposite) {
    test::addColorLayer(*document, "A", {0, 0, 20, 10}, 0, 0, 0);
    observer.probe = {2, 2};
    ASSERT_TRUE(stack().replaceWithPlaceholder(1, true));
    EXPECT_EQ(observer.last().kind, LayerChangeKind::Structure);
    EXPECT_EQ(observer.last().layer, stack().layerAt(1));
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
    EXPECT_EQ(observer.probedBlue.back(), 255);

    RasterLayer* hidden = test::addColorLayer(*document, "H", {0, 0, 20, 10}, 0, 0, 0);
    stack().setVisible(hidden, false);
    ASSERT_TRUE(stack().replaceWithPlaceholder(2, true));
    EXPECT_TRUE(observer.last().rect.isEmpty()); // nothing of it was showing
}

TEST_F(NotificationTest, DocumentOperationsNotifyTheWholeCanvas) {
    observer.seen.clear();
    ASSERT_TRUE(document->flip(true));
    ASSERT_EQ(observer.seen.size(), 1u);
    EXPECT_TRUE(observer.last().isDocumentNotification());
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 20, 10}));
    ASSERT_TRUE(document->rotate(90));
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 10, 20}));
    const auto snapshot = test::whiteDocument(3, 3);
    observer.seen.clear();
    ASSERT_TRUE(document->restoreFrom(*snapshot));
    ASSERT_EQ(observer.seen.size(), 1u);
    EXPECT_EQ(observer.last().rect, (Rect{0, 0, 3, 3}));
}

} // namespace
} // namespace pict
