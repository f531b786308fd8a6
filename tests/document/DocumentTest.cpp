#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace pict {
namespace {

struct RecordingObserver : DocumentObserver {
    Document* document = nullptr;
    std::vector<DocumentNotification> seen;
    std::vector<uint8_t> compositeAlphaSeen; // the cache's alpha at (0, 0) when told
    void changed(const DocumentNotification& n) override {
        seen.push_back(n);
        if (document && document->compositeIfAny())
            compositeAlphaSeen.push_back(document->compositeIfAny()->alpha().row(0)[0]);
    }
};

TEST(DocumentInfoValidity, ChecksEveryRange) {
    DocumentInfo info;
    info.width = 1;
    info.height = 30000;
    EXPECT_TRUE(isValidInfo(info));
    info.width = 0;
    EXPECT_FALSE(isValidInfo(info));
    info.width = 30001;
    EXPECT_FALSE(isValidInfo(info));
    info.width = 10;
    info.resolution = 0.5f;
    EXPECT_FALSE(isValidInfo(info));
    info.resolution = 9999.999f;
    EXPECT_TRUE(isValidInfo(info));
    info.resolutionUnit = ResolutionUnit(2);
    EXPECT_FALSE(isValidInfo(info));
}

TEST(DocumentCreation, NewWhiteAndTransparentDocuments) {
    auto white = test::whiteDocument(8, 6);
    ASSERT_EQ(white->layers().count(), 1);
    const Layer* background = white->layers().layerAt(0);
    EXPECT_EQ(background->name(), "Background");
    EXPECT_TRUE(background->isBackground());
    EXPECT_TRUE(white->isUsable());
    EXPECT_FALSE(white->isModified());
    EXPECT_EQ(test::pixelAt(white->composite()->color(), 7, 5)[1], 255);
    EXPECT_EQ(white->composite()->alpha().row(5)[7], 255);

    Document transparent;
    DocumentInfo info;
    info.width = 8;
    info.height = 6;
    info.transparent = true;
    info.name = "t";
    ASSERT_TRUE(transparent.newFromInfo(info));
    const Layer* layer = transparent.layers().layerAt(0);
    EXPECT_EQ(layer->name(), "Layer 1");
    EXPECT_FALSE(layer->isRaster());
    EXPECT_TRUE(layer->isLive());
    EXPECT_EQ(layer->size(), (Size{0, 0}));
    EXPECT_TRUE(transparent.composite()->isEmpty());
    EXPECT_EQ(transparent.composite()->alpha().row(0)[0], 0);
}

TEST(DocumentCreation, InvalidInfoChangesNothing) {
    auto document = test::whiteDocument(5, 5);
    DocumentInfo bad;
    bad.width = 0;
    bad.height = 5;
    EXPECT_FALSE(document->newFromInfo(bad));
    EXPECT_EQ(document->width(), 5);
    EXPECT_EQ(document->layers().count(), 1);
    EXPECT_FALSE(Document().isUsable());
}

TEST(DocumentCreation, FromSurfaceSplitsThePath) {
    Document document;
    ASSERT_TRUE(document.newFromSurface("/home/u/pics/cat.png", test::solidColor(3, 2, 1, 2, 3)));
    EXPECT_EQ(document.info().name, "cat.png");
    EXPECT_EQ(document.info().folder, "/home/u/pics");
    EXPECT_EQ(documentPath(document.info()), "/home/u/pics/cat.png");
    EXPECT_EQ(document.info().backgroundColor, 0xFFFFFFu);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.layers().nameAt(0), "Background");

    Document withAlpha;
    ASSERT_TRUE(withAlpha.newFromSurface("cat.png", test::solidColor(3, 2, 1, 2, 3), test::solidMask(3, 2, 9)));
    EXPECT_EQ(withAlpha.info().folder, "");
    const RasterLayer* layer = withAlpha.layers().rasterAt(0);
    EXPECT_EQ(layer->name(), "Layer 1");
    EXPECT_FALSE(layer->isBackground());
    ASSERT_NE(layer->transparencyMask(), nullptr);
    EXPECT_EQ(withAlpha.composite()->alpha().row(1)[2], 9);

    // A mask of another size than the picture is ignored: the picture becomes the background.
    Document mismatched;
    ASSERT_TRUE(mismatched.newFromSurface("a.png", test::solidColor(3, 2, 0, 0, 0), test::solidMask(2, 2, 9)));
    EXPECT_EQ(mismatched.layers().nameAt(0), "Background");
    EXPECT_EQ(mismatched.layers().rasterAt(0)->transparencyMask(), nullptr);

    Document invalid;
    EXPECT_FALSE(invalid.newFromSurface("a.png", Surface24()));
    EXPECT_EQ(invalid.layersIfAny(), nullptr);
}

TEST(DocumentCopy, ClonesEverythingAndActivatesTheTop) {
    auto source = test::whiteDocument(10, 10);
    test::addColorLayer(*source, "A", {2, 2, 6, 6}, 0, 0, 255);
    auto empty = std::make_unique<EmptyLayer>(&source->layers());
    empty->setName("E");
    source->layers().add(std::move(empty), 2);
    source->layers().setActive(source->layers().layerAt(0));
    source->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", test::solidMask(10, 10, 5)));

    Document copy;
    ASSERT_TRUE(copy.copy(*source));
    ASSERT_EQ(copy.layers().count(), 3);
    EXPECT_EQ(copy.layers().activeIndex(), 2);
    EXPECT_EQ(copy.layers().nameAt(1), "A");
    EXPECT_FALSE(copy.layers().layerAt(2)->isRaster());
    EXPECT_NE(copy.layers().layerAt(1), source->layers().layerAt(1));
    EXPECT_EQ(copy.layers().layerAt(1)->owner(), &copy.layers());
    EXPECT_EQ(copy.channels().count(), 1);
    EXPECT_TRUE(copy.isModified());
    EXPECT_EQ(test::pixelAt(copy.composite()->color(), 3, 3)[2], 255);
    EXPECT_EQ(test::pixelAt(copy.composite()->color(), 3, 3)[0], 0);
}

// A copy nobody shows yet (a history snapshot, a duplicate before its window opens) is
// composed only when asked; a watched one is composed before its observers are told.
TEST(DocumentCopy, OnlyAWatchedCopyIsComposedRightAway) {
    auto source = test::whiteDocument(6, 4);
    Document copy;
    ASSERT_TRUE(copy.copy(*source));
    EXPECT_EQ(copy.compositeIfAny(), nullptr);
    ASSERT_NE(copy.composite(), nullptr);
    EXPECT_EQ(test::pixelAt(copy.composite()->color(), 5, 3)[0], 255);

    Document watched;
    RecordingObserver observer;
    observer.document = &watched;
    watched.addObserver(&observer);
    ASSERT_TRUE(watched.copy(*source));
    ASSERT_EQ(observer.compositeAlphaSeen.size(), 1u);
    EXPECT_EQ(observer.compositeAlphaSeen[0], 255);
}

TEST(DocumentCopy, RestoreFromReplacesSizeAndComposite) {
    auto snapshot = test::whiteDocument(4, 4);
    auto document = test::whiteDocument(9, 7);
    test::addColorLayer(*document, "A", {0, 0, 9, 7}, 0, 0, 0);
    ASSERT_TRUE(document->restoreFrom(*snapshot));
    EXPECT_EQ(document->canvasSize(), (Size{4, 4}));
    EXPECT_EQ(document->layers().count(), 1);
    EXPECT_EQ(document->composite()->size(), (Size{4, 4}));
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 3, 3)[0], 255);
}

TEST(DocumentObservers, CacheIsRecomposedBeforeObserversAreTold) {
    auto document = test::whiteDocument(4, 4);
    RecordingObserver observer;
    observer.document = document.get();
    document->addObserver(&observer);
    document->addObserver(&observer); // a second registration does nothing
    RasterLayer* layer = test::addColorLayer(*document, "A", {0, 0, 4, 4}, 0, 0, 0);
    document->layers().setOpacity(layer, 0);
    document->layers().setVisible(document->layers().layerAt(0), false);
    ASSERT_EQ(observer.seen.size(), 3u);
    EXPECT_EQ(observer.seen[0].kind, LayerChangeKind::Structure);
    EXPECT_EQ(observer.seen[1].kind, LayerChangeKind::Opacity);
    EXPECT_EQ(observer.seen[2].kind, LayerChangeKind::Visibility);
    EXPECT_EQ(observer.seen[2].rect, (Rect{0, 0, 4, 4}));
    // Hiding the background left no layer taking part: the observer already saw alpha 0.
    EXPECT_EQ(observer.compositeAlphaSeen.back(), 0);
    document->removeObserver(&observer);
    document->layers().setName(layer, "B");
    EXPECT_EQ(observer.seen.size(), 3u);
}

TEST(DocumentObservers, ReportRectangles) {
    auto document = test::whiteDocument(20, 20);
    RecordingObserver observer;
    document->addObserver(&observer);
    LayerStack& stack = document->layers();
    RasterLayer* hidden = test::addColorLayer(*document, "H", {-5, -5, 5, 5}, 1, 1, 1);
    stack.setVisible(hidden, false);
    observer.seen.clear();

    stack.setName(hidden, "Renamed");           // not forced: a hidden layer reports nothing
    EXPECT_EQ(observer.seen.back().rect, Rect{});
    EXPECT_EQ(observer.seen.back().layer, hidden);
    stack.writeBack(1, test::solidColor(10, 10, 0, 0, 0)); // forced, limited to the layer on the canvas
    EXPECT_EQ(observer.seen.back().kind, LayerChangeKind::Pixels);
    EXPECT_EQ(observer.seen.back().rect, (Rect{0, 0, 5, 5}));

    Surface8 coverage = test::solidMask(3, 3, 255);
    SelectionArea selection{{15, 15, 18, 18}, &coverage};
    EXPECT_TRUE(stack.clear(0, selection, 0x000000));
    EXPECT_EQ(observer.seen.back().rect, (Rect{15, 15, 18, 18}));
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 16, 16)[0], 0);
    EXPECT_EQ(test::pixelAt(document->composite()->color(), 14, 14)[0], 255);

    document->notifyDocument({1, 2, 3, 4});
    EXPECT_TRUE(observer.seen.back().isDocumentNotification());
    EXPECT_EQ(observer.seen.back().rect, (Rect{1, 2, 3, 4}));
}

} // namespace
} // namespace pict
