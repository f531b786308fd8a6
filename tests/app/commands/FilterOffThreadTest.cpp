// Filters on large layers in a window run their pixel work away from the user-interface
// thread and record the result afterwards: the bytes, the undo and the history must be those
// of the synchronous path, and cancelling at any moment must leave everything as it was.
#include "app/SessionFixture.h"

#include "app/commands/FilterOffThread.h"
#include "app/commands/LastFilterSlot.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "support/SurfaceCompare.h"
#include "surface/PixelWorkCancellation.h"

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

namespace pict {
namespace {

constexpr int32_t kWidth = 1400;
constexpr int32_t kHeight = 1100;

// Runs the work on a thread of its own, as the editor's runner does, and cancels it when told.
struct WorkerView : SessionView {
    enum class Cancel { Never, BeforeStart, AfterDelay, AfterFinish };
    Cancel when = Cancel::Never;
    int delayMs = 0;
    int runs = 0;
    std::string lastName;

    bool runLongWork(const std::string& name, const std::function<void()>& work) override {
        ++runs;
        lastName = name;
        std::atomic<bool> cancelled{when == Cancel::BeforeStart};
        std::thread worker([&work, &cancelled] {
            const PixelWorkCancellation cancellable(&cancelled);
            work();
        });
        if (when == Cancel::AfterDelay) {
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            cancelled = true;
        }
        worker.join();
        if (when == Cancel::AfterFinish)
            cancelled = true;
        return !cancelled;
    }
};

std::unique_ptr<Document> noisyDocument() {
    auto document = test::whiteDocument(kWidth, kHeight);
    Surface24& color = document->layers().rasterAt(0)->color();
    std::mt19937 random(11);
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = color.row(y);
        for (int32_t x = 0; x < kWidth * 3; ++x)
            row[x] = uint8_t((x / 3 + 2 * y) / 9 + (random() & 63));
    }
    return document;
}

Surface24 copyOf(const Surface24& surface) {
    Surface24 copy;
    copy.copyFrom(surface);
    return copy;
}

// One session in a window that runs filters off the thread, one without a window (the batch
// tool's path), over the same picture.
class FilterOffThreadTest : public ::testing::Test {
protected:
    FilterOffThreadTest()
        : away_(app_, noisyDocument()), here_(app_, noisyDocument()), awayCommands_(away_),
          hereCommands_(here_) {
        app_.lastFilter = &slot_;
        away_.setView(&view_);
    }

    const Surface24& awayColor() { return away_.document().layers().rasterAt(0)->color(); }
    const Surface24& hereColor() { return here_.document().layers().rasterAt(0)->color(); }

    // Runs the command on both sessions and expects the same outcome and bytes.
    void runBoth(uint16_t id, const CommandParams& params) {
        EXPECT_EQ(awayCommands_.execute(id, params).outcome, CommandOutcome::Done);
        EXPECT_EQ(hereCommands_.execute(id, params).outcome, CommandOutcome::Done);
        EXPECT_TRUE(test::samePixels(awayColor(), hereColor())) << id;
        EXPECT_EQ(away_.history().count(), here_.history().count());
        EXPECT_EQ(away_.history().undoName(), here_.history().undoName());
        EXPECT_TRUE(away_.document().isModified());
    }

    static FilterParams answer(std::shared_ptr<ImageFilter> filter) {
        return FilterParams{std::move(filter), nullptr};
    }

    ApplicationContext app_;
    LastFilterSlot slot_;
    DocumentSession away_;
    DocumentSession here_;
    DocumentCommands awayCommands_;
    DocumentCommands hereCommands_;
    WorkerView view_;
};

TEST_F(FilterOffThreadTest, GivesTheBytesAndUndoOfTheSynchronousPath) {
    const Surface24 original = copyOf(awayColor());
    ASSERT_TRUE(runsFilterOffThread(away_));
    EXPECT_FALSE(runsFilterOffThread(here_));
    runBoth(kCmdInvert, {});
    runBoth(kCmdSharpen, {});
    runBoth(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(4.5)));
    HueSaturationSettings hue;
    hue.hue[kMaster] = 30;
    hue.saturation[kMaster] = -40;
    hue.lightness[kMaster] = 10;
    runBoth(kCmdHueSaturation, answer(std::make_shared<HueSaturationFilter>(hue)));
    EXPECT_EQ(view_.runs, 4);
    EXPECT_EQ(view_.lastName, "Hue/Saturation");
    // Last Filter repeats the blur, as after a synchronous one.
    runBoth(kCmdLastFilter, {});

    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(awayCommands_.execute(kCmdUndo).outcome, CommandOutcome::Done);
        ASSERT_EQ(hereCommands_.execute(kCmdUndo).outcome, CommandOutcome::Done);
        EXPECT_TRUE(test::samePixels(awayColor(), hereColor())) << i;
    }
    EXPECT_TRUE(test::samePixels(awayColor(), original));
    ASSERT_EQ(awayCommands_.execute(kCmdRedo).outcome, CommandOutcome::Done);
    ASSERT_EQ(hereCommands_.execute(kCmdRedo).outcome, CommandOutcome::Done);
    EXPECT_TRUE(test::samePixels(awayColor(), hereColor()));
}

TEST_F(FilterOffThreadTest, KeepsToTheSelectionAndSavesOnlyItsBounds) {
    const Rect rect{150, 40, 1300, 1000}; // 1150 x 960 pixels: over a megapixel
    ASSERT_EQ(awayCommands_.selectMarquee(rect, true).outcome, CommandOutcome::Done);
    ASSERT_EQ(hereCommands_.selectMarquee(rect, true).outcome, CommandOutcome::Done);
    const Surface24 original = copyOf(awayColor());
    runBoth(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(8.0)));
    EXPECT_EQ(view_.runs, 1);
    EXPECT_EQ(away_.history().memoryBytes(), int64_t(rect.width()) * rect.height() * 3);
    ASSERT_EQ(awayCommands_.execute(kCmdUndo).outcome, CommandOutcome::Done);
    EXPECT_TRUE(test::samePixels(awayColor(), original));
}

TEST_F(FilterOffThreadTest, SmallWorkStaysOnTheCallingThread) {
    ASSERT_EQ(awayCommands_.selectMarquee({0, 0, 500, 500}, false).outcome, CommandOutcome::Done);
    EXPECT_FALSE(runsFilterOffThread(away_));
    EXPECT_EQ(awayCommands_.execute(kCmdInvert).outcome, CommandOutcome::Done);
    EXPECT_EQ(view_.runs, 0);
}

TEST_F(FilterOffThreadTest, CancellingAtAnyMomentChangesNothing) {
    const Surface24 original = copyOf(awayColor());
    const struct {
        WorkerView::Cancel when;
        int delayMs;
    } moments[] = {{WorkerView::Cancel::BeforeStart, 0}, {WorkerView::Cancel::AfterDelay, 0},
                   {WorkerView::Cancel::AfterDelay, 2},  {WorkerView::Cancel::AfterDelay, 10},
                   {WorkerView::Cancel::AfterDelay, 40}, {WorkerView::Cancel::AfterFinish, 0}};
    for (const auto& moment : moments) {
        view_.when = moment.when;
        view_.delayMs = moment.delayMs;
        EXPECT_EQ(awayCommands_.execute(kCmdGaussianBlur, answer(std::make_shared<GaussianBlurFilter>(6.0)))
                      .outcome,
                  CommandOutcome::Cancelled);
        EXPECT_TRUE(test::samePixels(awayColor(), original)) << moment.delayMs;
        EXPECT_EQ(away_.history().count(), 0);
        EXPECT_FALSE(away_.document().isModified());
        EXPECT_TRUE(slot_.isEmpty());
    }
    // The layer is still itself: a run that is not cancelled works on it as before.
    view_.when = WorkerView::Cancel::Never;
    runBoth(kCmdInvert, {});
}

// ---- geometry ----

// Every layer's pixels, mask and place are the same in both documents.
bool sameLayers(const Document& a, const Document& b) {
    const LayerStack& x = *a.layersIfAny();
    const LayerStack& y = *b.layersIfAny();
    if (a.canvasSize() != b.canvasSize() || x.count() != y.count())
        return false;
    for (int32_t i = 0; i < x.count(); ++i) {
        const RasterLayer* p = x.rasterAt(i);
        const RasterLayer* q = y.rasterAt(i);
        if (!p || !q || p->position() != q->position() || !test::samePixels(p->color(), q->color()) ||
            (p->transparencyMask() == nullptr) != (q->transparencyMask() == nullptr))
            return false;
        if (p->transparencyMask() && !test::samePixels(*p->transparencyMask(), *q->transparencyMask()))
            return false;
    }
    return true;
}

// A second layer beside the background, off the canvas's corner and with a mask.
void addMaskedLayer(Document& document) {
    auto layer = RasterLayer::createFromSurface(&document.layers(), test::solidColor(700, 500, 10, 200, 90), false);
    layer->setPosition({-30, 650});
    layer->ensureTransparencyMask();
    Surface8* mask = layer->transparencyMask();
    for (int32_t y = 0; y < mask->height(); ++y)
        for (int32_t x = 0; x < mask->width(); ++x)
            mask->row(y)[x] = uint8_t(x + 3 * y);
    document.layers().insert(std::move(layer), 1);
}

class GeometryOffThreadTest : public FilterOffThreadTest {
protected:
    GeometryOffThreadTest() {
        addMaskedLayer(away_.document());
        addMaskedLayer(here_.document());
    }
    void runBothGeometry(uint16_t id, const CommandParams& params = {}) {
        EXPECT_EQ(awayCommands_.execute(id, params).outcome, CommandOutcome::Done) << id;
        EXPECT_EQ(hereCommands_.execute(id, params).outcome, CommandOutcome::Done) << id;
        EXPECT_TRUE(sameLayers(away_.document(), here_.document())) << id;
        EXPECT_EQ(away_.history().undoName(), here_.history().undoName());
    }
    static ImageSizeSettings imageSize(int32_t width, int32_t height, int32_t method) {
        ImageSizeSettings s;
        s.width = width;
        s.height = height;
        s.resolution = 72.0f;
        s.method = method;
        return s;
    }
};

TEST_F(GeometryOffThreadTest, TransformsTheLayersAsTheSynchronousPathDoes) {
    runBothGeometry(kCmdRotate90CW);
    runBothGeometry(kCmdFlipHorizontal);
    runBothGeometry(kCmdImageSize, imageSize(730, 910, 0));
    runBothGeometry(kCmdRotate180);
    EXPECT_EQ(view_.runs, 3) << "the small picture Image Size left is turned here";
    runBothGeometry(kCmdImageSize, imageSize(1500, 1300, 1));
    runBothGeometry(kCmdFlipVertical);
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(awayCommands_.execute(kCmdUndo).outcome, CommandOutcome::Done);
        ASSERT_EQ(hereCommands_.execute(kCmdUndo).outcome, CommandOutcome::Done);
        EXPECT_TRUE(sameLayers(away_.document(), here_.document())) << i;
    }
    EXPECT_EQ(away_.document().canvasSize(), (Size{kWidth, kHeight}));
}

TEST_F(GeometryOffThreadTest, CancellingChangesNothing) {
    for (int delayMs : {-1, 0, 3, 20}) {
        view_.when = delayMs < 0 ? WorkerView::Cancel::BeforeStart : WorkerView::Cancel::AfterDelay;
        view_.delayMs = std::max(delayMs, 0);
        for (uint16_t id : {kCmdRotate90CCW, kCmdFlipVertical}) {
            EXPECT_EQ(awayCommands_.execute(id).outcome, CommandOutcome::Cancelled) << id;
            EXPECT_TRUE(sameLayers(away_.document(), here_.document())) << id << " " << delayMs;
        }
        EXPECT_EQ(awayCommands_.execute(kCmdImageSize, imageSize(500, 400, 1)).outcome, CommandOutcome::Cancelled);
        EXPECT_TRUE(sameLayers(away_.document(), here_.document()));
        EXPECT_EQ(away_.history().count(), 0);
        EXPECT_FALSE(away_.document().isModified());
    }
}

} // namespace
} // namespace pict
