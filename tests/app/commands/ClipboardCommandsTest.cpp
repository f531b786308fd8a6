#include "app/FakeClipboardExchange.h"
#include "app/SessionFixture.h"
#include "app/session/InternalClipboard.h"
#include "document/PixelPiece.h"

namespace pict {
namespace {

// A 40 x 30 white background, the program's clipboard over a fake system clipboard.
class ClipboardCommandsTest : public test::SessionTest {
protected:
    ClipboardCommandsTest() { app_.clipboard = &clipboard_; }
    ~ClipboardCommandsTest() override { app_.clipboard = nullptr; }

    const PixelPiece& copied() const { return *system_.published; }
    void select(Rect rect) { ASSERT_EQ(commands_.selectMarquee(rect, false).outcome, CommandOutcome::Done); }
    const RasterLayer& top() { return *layers().rasterAt(layers().count() - 1); }

    test::FakeClipboardExchange system_;
    InternalClipboard clipboard_{&system_};
};

TEST_F(ClipboardCommandsTest, CopyTakesTheLayerInsideTheSelectionWithItsCoverage) {
    RasterLayer* layer = addLayer("Red", Rect{5, 5, 25, 20}, 100);
    ASSERT_TRUE(layer->ensureTransparencyMask());
    layer->transparencyMask()->fillValue(200);
    // A feathered edge: coverage below 255 multiplies into the layer's transparency.
    select(Rect{0, 0, 10, 10});
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    const PixelPiece& piece = copied();
    EXPECT_EQ(piece.origin, (Point{5, 5})) << "cut to the layer";
    EXPECT_EQ(piece.size(), (Size{5, 5}));
    EXPECT_EQ(piece.alpha.valueAt(0, 0), 200);
    EXPECT_EQ(piece.color.row(0)[0], 100);
    EXPECT_EQ(history().count(), 1) << "copy records nothing";
    EXPECT_FALSE(document().isModified());
}

TEST_F(ClipboardCommandsTest, CoverageMultipliesIntoTransparency) {
    RasterLayer* layer = addLayer("Gray", Rect{0, 0, 40, 30}, 50);
    (void)layer;
    Surface8 coverage = test::solidMask(4, 1, 0);
    const uint8_t values[4] = {0, 64, 128, 255};
    for (int x = 0; x < 4; ++x)
        coverage.row(0)[x] = values[x];
    selection().place(coverage, {3, 2});
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    const PixelPiece& piece = copied();
    EXPECT_EQ(piece.origin, (Point{4, 2})) << "the selection is trimmed to its non-zero coverage";
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(piece.alpha.valueAt(x - 1, 0), coveredAlpha(255, values[x])) << x;
    EXPECT_EQ(coveredAlpha(255, 128), 128);
    EXPECT_EQ(coveredAlpha(200, 255), 200);
    EXPECT_EQ(coveredAlpha(200, 0), 0);
}

TEST_F(ClipboardCommandsTest, CopyWithoutSelectionTakesTheWholeLayerEvenOffCanvas) {
    addLayer("Wide", Rect{-10, 20, 50, 40}, 70);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    EXPECT_EQ(copied().canvasRect(), (Rect{-10, 20, 50, 40}));
    EXPECT_TRUE(copied().alpha.isAll(255));
}

// Copying a whole layer shares its pixels instead of copying them; whichever side changes next
// takes its own copy, so neither the clipboard nor the layer sees the other's changes.
TEST_F(ClipboardCommandsTest, AWholeLayerCopySharesPixelsThatNeitherSideSeesChange) {
    RasterLayer* layer = addLayer("Whole", Rect{0, 0, 40, 30}, 80);
    ASSERT_TRUE(layer->ensureTransparencyMask());
    layer->transparencyMask()->fillValue(200);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    EXPECT_TRUE(copied().color.sharesPixels());
    EXPECT_TRUE(copied().alpha.sharesPixels());
    ASSERT_EQ(run(kCmdInvert), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdCut), CommandOutcome::Done);
    EXPECT_EQ(layer->alphaAt(5, 5), 0);
    EXPECT_EQ(copied().color.row(5)[15], 255 - 80) << "the copy Cut took, after the invert";
    EXPECT_EQ(copied().alpha.valueAt(5, 5), 200);

    // A selection over the whole layer with a soft edge multiplies into the copy's transparency
    // only, never into the layer's mask it started out sharing.
    ASSERT_TRUE(history().undo());
    Surface8 coverage = test::solidMask(40, 30, 255);
    coverage.row(0)[0] = 0;
    coverage.row(29)[39] = 128;
    selection().place(coverage, {0, 0});
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    EXPECT_EQ(copied().alpha.valueAt(0, 0), 0);
    EXPECT_EQ(copied().alpha.valueAt(39, 29), coveredAlpha(200, 128));
    EXPECT_EQ(layer->alphaAt(0, 0), 200);
    EXPECT_EQ(layer->alphaAt(39, 29), 200);
}

TEST_F(ClipboardCommandsTest, CopyOfAHiddenLayerWorks) {
    RasterLayer* layer = addLayer("Hidden", Rect{0, 0, 10, 10}, 30);
    layers().setVisible(layer, false);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    EXPECT_EQ(copied().color.row(0)[0], 30);
}

TEST_F(ClipboardCommandsTest, CopyRefusesASelectionThatMissesTheLayer) {
    addLayer("Small", Rect{0, 0, 5, 5}, 30);
    select(Rect{20, 20, 30, 30});
    const CommandResult result = commands_.execute(kCmdCopy);
    EXPECT_EQ(result.outcome, CommandOutcome::Refused);
    EXPECT_FALSE(result.message.empty());
    EXPECT_EQ(system_.publishes, 0);
}

TEST_F(ClipboardCommandsTest, CopyMergedTakesTheComposite) {
    addLayer("Dark", Rect{0, 0, 10, 10}, 20);
    select(Rect{8, 8, 12, 12});
    ASSERT_EQ(run(kCmdCopyMerged), CommandOutcome::Done);
    const PixelPiece& piece = copied();
    EXPECT_EQ(piece.canvasRect(), (Rect{8, 8, 12, 12}));
    EXPECT_EQ(piece.color.row(0)[0], 20);
    EXPECT_EQ(piece.color.row(3)[9], 255) << "white background outside the dark layer";
}

TEST_F(ClipboardCommandsTest, EnablingRules) {
    EXPECT_TRUE(commands_.isEnabled(kCmdCopy)) << "the background is a raster layer";
    EXPECT_TRUE(commands_.isEnabled(kCmdCut));
    EXPECT_TRUE(commands_.isEnabled(kCmdCopyMerged));
    EXPECT_FALSE(commands_.isEnabled(kCmdPaste)) << "nothing on either clipboard";
    EXPECT_FALSE(commands_.isEnabled(kCmdPasteInto));
    ASSERT_EQ(run(kCmdNewLayer, LayerParams{}), CommandOutcome::Done);
    EXPECT_FALSE(commands_.isEnabled(kCmdCopy)) << "an empty layer has nothing to copy";
    EXPECT_FALSE(commands_.isEnabled(kCmdCut));
    EXPECT_TRUE(commands_.isEnabled(kCmdCopyMerged));
    layers().setVisible(layers().layerAt(0), false);
    EXPECT_FALSE(commands_.isEnabled(kCmdCopyMerged)) << "no visible layer with pixels";
    PixelPiece piece;
    piece.color = test::solidColor(2, 2, 1, 2, 3);
    piece.alpha = test::solidMask(2, 2, 255);
    system_.copyForeign(std::move(piece));
    EXPECT_TRUE(commands_.isEnabled(kCmdPaste));
    EXPECT_FALSE(commands_.isEnabled(kCmdPasteInto)) << "Paste Into needs a selection";
    select(Rect{1, 1, 3, 3});
    EXPECT_TRUE(commands_.isEnabled(kCmdPasteInto));
}

TEST_F(ClipboardCommandsTest, WithoutAClipboardNothingIsCopied) {
    app_.clipboard = nullptr;
    EXPECT_EQ(run(kCmdCopy), CommandOutcome::Refused);
    EXPECT_FALSE(commands_.isEnabled(kCmdPaste));
}

TEST_F(ClipboardCommandsTest, CutClearsTheSelectionAndUndoBringsItBack) {
    RasterLayer* layer = addLayer("Top", Rect{0, 0, 20, 20}, 90);
    select(Rect{2, 2, 6, 6});
    ASSERT_EQ(run(kCmdCut), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Cut");
    EXPECT_EQ(copied().color.row(0)[0], 90);
    EXPECT_EQ(layer->alphaAt(3, 3), 0);
    EXPECT_EQ(layer->alphaAt(1, 1), 255);
    EXPECT_TRUE(document().isModified());
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layer->alphaAt(3, 3), 255);
    ASSERT_TRUE(history().redo());
    EXPECT_EQ(layer->alphaAt(3, 3), 0);
}

TEST_F(ClipboardCommandsTest, CutOnTheBackgroundLeavesTheBackgroundColor) {
    app_.backgroundColor = Color::fromRgb(0x102030);
    select(Rect{0, 0, 4, 4});
    ASSERT_EQ(run(kCmdCut), CommandOutcome::Done);
    const RasterLayer& background = *layers().rasterAt(0);
    const uint8_t* pixel = background.colorAt(1, 1);
    EXPECT_EQ(pixel[0], 0x30);
    EXPECT_EQ(pixel[1], 0x20);
    EXPECT_EQ(pixel[2], 0x10);
    EXPECT_EQ(copied().color.row(1)[3], 255) << "the clipboard holds what was there";
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(background.colorAt(1, 1)[0], 255);
}

TEST_F(ClipboardCommandsTest, CutWithoutSelectionClearsTheWholeLayer) {
    RasterLayer* layer = addLayer("Top", Rect{-5, -5, 10, 10}, 90);
    ASSERT_EQ(run(kCmdCut), CommandOutcome::Done);
    EXPECT_EQ(layer->alphaAt(0, 0), 0);
    EXPECT_EQ(layer->alphaAt(14, 14), 0);
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layer->alphaAt(0, 0), 255);
}

TEST_F(ClipboardCommandsTest, PasteMakesALayerWhereThePixelsCameFromAndSelectsThem) {
    RasterLayer* source = addLayer("Layer 1", Rect{10, 10, 20, 20}, 60);
    ASSERT_TRUE(source->ensureTransparencyMask());
    source->transparencyMask()->row(0)[0] = 0;
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdPaste), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Paste");
    ASSERT_EQ(layers().count(), 3);
    const RasterLayer& pasted = top();
    EXPECT_EQ(pasted.name(), "Layer 2") << "named as New Layer names layers";
    EXPECT_EQ(layers().activeIndex(), 2);
    EXPECT_EQ(pasted.position(), (Point{10, 10}));
    EXPECT_EQ(pasted.alphaAt(0, 0), 0);
    EXPECT_EQ(pasted.alphaAt(1, 0), 255);
    EXPECT_EQ(pasted.colorAt(5, 5)[1], 60);
    // The pasted pixels are the selection, transparent corner excluded.
    EXPECT_EQ(selection().mask().bounds(), (Rect{10, 10, 20, 20}));
    EXPECT_EQ(selection().mask().coverageAt(10, 10), 0);
    EXPECT_EQ(selection().mask().coverageAt(11, 10), 255);

    ASSERT_TRUE(history().undo());
    EXPECT_EQ(layers().count(), 2);
    EXPECT_TRUE(selection().isEmpty()) << "the old selection (none) comes back";
    ASSERT_TRUE(history().redo());
    EXPECT_EQ(layers().count(), 3);
    EXPECT_EQ(top().name(), "Layer 2");
}

TEST_F(ClipboardCommandsTest, PasteOutsideTheCanvasIsCentredOnTheView) {
    addLayer("Far", Rect{100, 100, 110, 104}, 60);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdPaste), CommandOutcome::Done);
    EXPECT_EQ(top().position(), (Point{15, 13})) << "centred on the canvas without a window";
}

TEST_F(ClipboardCommandsTest, PasteAtAGivenPlace) {
    addLayer("Src", Rect{0, 0, 4, 4}, 60);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdPaste, PasteParams{Point{-2, 7}}), CommandOutcome::Done);
    EXPECT_EQ(top().position(), (Point{-2, 7}));
    EXPECT_EQ(selection().mask().bounds(), (Rect{0, 7, 2, 11})) << "the selection is cut to the canvas";
}

TEST_F(ClipboardCommandsTest, AForeignPictureWinsOverOurCopy) {
    addLayer("Src", Rect{5, 5, 9, 9}, 60);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    PixelPiece foreign;
    foreign.color = test::solidColor(6, 4, 7, 8, 9);
    foreign.alpha = test::solidMask(6, 4, 128);
    system_.copyForeign(std::move(foreign));
    ASSERT_EQ(run(kCmdPaste), CommandOutcome::Done);
    EXPECT_EQ(top().size(), (Size{6, 4}));
    EXPECT_EQ(top().alphaAt(0, 0), 128) << "the foreign picture's transparency is kept";
    EXPECT_EQ(top().position(), (Point{17, 13})) << "no origin: centred";
}

TEST_F(ClipboardCommandsTest, AnUndecodablePictureIsRefused) {
    PixelPiece foreign;
    foreign.color = test::solidColor(6, 4, 7, 8, 9);
    foreign.alpha = test::solidMask(6, 4, 255);
    system_.copyForeign(std::move(foreign));
    system_.failsToDecode = true;
    const CommandResult result = commands_.execute(kCmdPaste);
    EXPECT_EQ(result.outcome, CommandOutcome::Refused);
    EXPECT_EQ(layers().count(), 1);
}

TEST_F(ClipboardCommandsTest, PasteIntoMasksByTheSelection) {
    addLayer("Src", Rect{0, 0, 10, 10}, 60);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    select(Rect{2, 3, 5, 6});
    ASSERT_EQ(run(kCmdPasteInto), CommandOutcome::Done);
    EXPECT_EQ(history().undoName(), "Paste Into");
    const RasterLayer& pasted = top();
    EXPECT_EQ(pasted.alphaAt(0, 0), 0);
    EXPECT_EQ(pasted.alphaAt(2, 3), 255);
    EXPECT_EQ(pasted.alphaAt(5, 3), 0);
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 3, 5, 6}));
    ASSERT_TRUE(history().undo());
    EXPECT_EQ(selection().mask().bounds(), (Rect{2, 3, 5, 6})) << "the selection before the paste";
    EXPECT_EQ(copied().alpha.valueAt(0, 0), 255) << "the clipboard's picture is not changed";
}

TEST_F(ClipboardCommandsTest, PurgeClearsBothClipboards) {
    addLayer("Src", Rect{0, 0, 10, 10}, 60);
    ASSERT_EQ(run(kCmdCopy), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdPurgeClipboard), CommandOutcome::Done);
    EXPECT_FALSE(clipboard_.hasImage());
    EXPECT_FALSE(commands_.isEnabled(kCmdPaste));
}

TEST(InternalClipboard, WithoutASystemClipboardTheKeptCopyIsUsed) {
    InternalClipboard clipboard;
    EXPECT_FALSE(clipboard.hasImage());
    EXPECT_FALSE(clipboard.picture());
    PixelPiece piece;
    piece.color = test::solidColor(3, 2, 1, 2, 3);
    piece.alpha = test::solidMask(3, 2, 9);
    piece.origin = {4, 5};
    clipboard.store(std::move(piece));
    const ClipboardPicture picture = clipboard.picture();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture.hasOrigin);
    EXPECT_EQ(picture.piece->origin, (Point{4, 5}));
    clipboard.clear();
    EXPECT_FALSE(clipboard.hasImage());
}

TEST(InternalClipboard, NewFromClipboardKeepsTransparency) {
    PixelPiece piece;
    piece.color = test::solidColor(3, 2, 1, 2, 3);
    piece.alpha = test::solidMask(3, 2, 255);
    std::unique_ptr<Document> opaque = documentFromPicture(piece, "Clipboard-1");
    ASSERT_NE(opaque, nullptr);
    EXPECT_EQ(opaque->layers().layerAt(0)->name(), "Background");
    EXPECT_TRUE(opaque->info().untitled);
    piece.alpha.row(1)[2] = 40;
    std::unique_ptr<Document> clear = documentFromPicture(piece, "Clipboard-2");
    ASSERT_NE(clear, nullptr);
    const RasterLayer* layer = clear->layers().rasterAt(0);
    EXPECT_EQ(layer->name(), "Layer 1");
    EXPECT_EQ(layer->alphaAt(2, 1), 40);
}

} // namespace
} // namespace pict
