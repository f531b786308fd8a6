// The background preview gives the layer exactly the bytes the synchronous preview gives, only
// when the user-interface thread collects them; the newest parameters win, stale work is
// dropped, OK records a state whose undo restores the original and Cancel leaves nothing.
#include "history/filter/FilterStateSupport.h"
#include "imageops/FilterTestSupport.h"

#include "app/dialogs/adjustments/BackgroundPreview.h"
#include "history/HistoryManager.h"
#include "history/filter/PreviewedState.h"
#include "imageops/BrightnessContrastFilter.h"
#include "imageops/GaussianBlurFilter.h"
#include "imageops/HueSaturationFilter.h"
#include "app/commands/LastFilterSlot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace pict {
namespace {

using namespace pict::test;

std::unique_ptr<ImageFilter> brightness(int32_t value) {
    return std::make_unique<BrightnessContrastFilter>(BrightnessContrastSettings{value, 0});
}

std::unique_ptr<ImageFilter> hue(int32_t degrees) {
    HueSaturationSettings settings;
    settings.hue[0] = degrees;
    settings.saturation[0] = 30;
    return std::make_unique<HueSaturationFilter>(settings);
}

// Big enough (over a megapixel) for the filters to run in strips.
std::unique_ptr<Document> photo() {
    auto document = whiteDocument(1400, 900);
    fillRandom(document->layers().active()->asRaster()->color(), 11);
    return document;
}

// What the synchronous path leaves on the layer: the filter applied in place on a copy.
Surface24 appliedInPlace(TestWindow& window, std::unique_ptr<ImageFilter> filter) {
    std::unique_ptr<Layer> copy = window.activeRaster().clone(nullptr);
    EXPECT_TRUE(copy->asRaster()->applyFilter(*filter, window.selectionArea()));
    return std::move(copy->asRaster()->color());
}

// Counts the worker's wake-up calls and lets the test wait for one.
struct Wakeups {
    std::mutex mutex;
    std::condition_variable signal;
    int count = 0;
    std::function<void()> callback() {
        return [this] {
            const std::lock_guard lock(mutex);
            ++count;
            signal.notify_all();
        };
    }
    bool waitFor(int n) {
        std::unique_lock lock(mutex);
        return signal.wait_for(lock, std::chrono::seconds(30), [&] { return count >= n; });
    }
};

TEST(BackgroundPreview, GivesTheBytesOfTheFilterAppliedInPlace) {
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<ImageFilter>()>>> filters = {
        {"hue", [] { return hue(40); }},
        {"brightness", [] { return brightness(-30); }},
        {"gaussian", [] { return std::make_unique<GaussianBlurFilter>(3.0); }},
    };
    for (const bool selected : {false, true})
        for (const auto& [name, make] : filters) {
            SCOPED_TRACE(testing::Message() << name << (selected ? " in a selection" : ""));
            TestWindow window(photo());
            if (selected)
                window.select({100, 50, 900, 700}, 200);
            const Surface24 expected = appliedInPlace(window, make());
            LastFilterSlot slot;
            BackgroundPreview preview(window, recordInto(&slot), nullptr);
            preview.parametersChanged(make());
            preview.finish();
            EXPECT_TRUE(preview.isShowing());
            EXPECT_TRUE(samePixels(window.activeRaster().color(), expected));
        }
}

TEST(BackgroundPreview, TheDocumentChangesOnlyWhenCollected) {
    TestWindow window(photo());
    const Surface24 original = window.activeRaster().color().clone();
    Wakeups wakeups;
    BackgroundPreview preview(window, {}, wakeups.callback());
    preview.parametersChanged(hue(90));
    ASSERT_TRUE(wakeups.waitFor(1));
    EXPECT_TRUE(samePixels(window.activeRaster().color(), original)) << "the worker left the layer alone";
    EXPECT_FALSE(preview.isShowing());
    EXPECT_TRUE(preview.collect());
    EXPECT_TRUE(preview.isShowing());
    EXPECT_FALSE(samePixels(window.activeRaster().color(), original));
    EXPECT_FALSE(preview.collect()) << "nothing newer waits";
}

TEST(BackgroundPreview, TheNewestParametersWinAndOkRecordsThem) {
    TestWindow window(photo());
    const Surface24 original = window.activeRaster().color().clone();
    const Surface24 expected = appliedInPlace(window, hue(-120));
    BackgroundPreview preview(window, {}, nullptr);
    for (int32_t degrees : {10, 20, 30, 40, -120})
        preview.parametersChanged(hue(degrees));
    FilterParams answer = preview.accept(hue(-120));
    ASSERT_NE(answer.previewedState, nullptr);
    EXPECT_EQ(answer.filter, nullptr);
    EXPECT_TRUE(samePixels(window.activeRaster().color(), expected));

    HistoryManager history;
    ASSERT_TRUE(history.add(std::make_unique<PreviewedState>(std::move(answer.previewedState)), true));
    ASSERT_TRUE(history.undo());
    EXPECT_TRUE(samePixels(window.activeRaster().color(), original));
    ASSERT_TRUE(history.redo());
    EXPECT_TRUE(samePixels(window.activeRaster().color(), expected));
}

TEST(BackgroundPreview, CancelIdentityAndPreviewOffGiveTheOriginalBack) {
    TestWindow window(photo());
    window.select({10, 10, 500, 400});
    const Surface24 original = window.activeRaster().color().clone();
    {
        BackgroundPreview preview(window, {}, nullptr);
        preview.parametersChanged(brightness(50));
        preview.finish();
        ASSERT_TRUE(preview.isShowing());
        preview.parametersChanged(brightness(0)); // identity
        EXPECT_FALSE(preview.isShowing());
        EXPECT_TRUE(samePixels(window.activeRaster().color(), original));

        preview.parametersChanged(brightness(50));
        preview.finish();
        preview.setPreview(false, nullptr);
        EXPECT_TRUE(samePixels(window.activeRaster().color(), original));
        preview.setPreview(true, brightness(60));
        preview.finish();
        EXPECT_TRUE(preview.isShowing());
        preview.cancel();
        EXPECT_TRUE(samePixels(window.activeRaster().color(), original));
    }
    {
        // Going away with work under way and a preview showing leaves the layer as it was.
        BackgroundPreview preview(window, {}, nullptr);
        preview.parametersChanged(brightness(50));
        preview.finish();
        preview.parametersChanged(std::make_unique<GaussianBlurFilter>(40.0));
    }
    EXPECT_TRUE(samePixels(window.activeRaster().color(), original));
}

// Without a selection the layer takes the original pixels back by sharing the preview's
// source: the same bytes, padding included, and edits after it change the layer alone.
TEST(BackgroundPreview, CancelOfAWholeLayerPreviewTakesTheOriginalBack) {
    TestWindow window(photo());
    const Surface24 original = window.activeRaster().color().clone();
    {
        BackgroundPreview preview(window, {}, nullptr);
        preview.parametersChanged(hue(40));
        preview.finish();
        ASSERT_TRUE(preview.isShowing());
        EXPECT_FALSE(sameMemory(window.activeRaster().color(), original));
        preview.parametersChanged(brightness(0)); // identity
        EXPECT_TRUE(sameMemory(window.activeRaster().color(), original));
        preview.parametersChanged(hue(40));
        preview.finish();
        preview.cancel();
        EXPECT_TRUE(sameMemory(window.activeRaster().color(), original));
    }
    const Surface24 expected = appliedInPlace(window, brightness(20));
    ASSERT_TRUE(window.activeRaster().applyFilter(*brightness(20), window.selectionArea()));
    EXPECT_TRUE(samePixels(window.activeRaster().color(), expected));
}

TEST(BackgroundPreview, OkWithPreviewOffHandsTheFilterOn) {
    TestWindow window(photo());
    BackgroundPreview preview(window, {}, nullptr);
    preview.setPreview(false, nullptr);
    const FilterParams answer = preview.accept(brightness(10));
    EXPECT_EQ(answer.previewedState, nullptr);
    EXPECT_NE(answer.filter, nullptr);
    EXPECT_TRUE(preview.accept(brightness(0)).isEmpty());
}

TEST(BackgroundPreview, APreviewedBlurBecomesTheLastFilter) {
    TestWindow window(photo());
    LastFilterSlot slot;
    BackgroundPreview preview(window, recordInto(&slot), nullptr);
    preview.parametersChanged(std::make_unique<GaussianBlurFilter>(2.0));
    EXPECT_TRUE(slot.isEmpty()) << "the worker never touches the shared slot";
    preview.finish();
    ASSERT_FALSE(slot.isEmpty());
    EXPECT_EQ(slot.filter()->name(), "Gaussian Blur");
    preview.cancel();
    EXPECT_FALSE(slot.isEmpty());
}

// A filter that holds the worker until released, then inverts its work rectangle.
class GateFilter final : public ImageFilter {
public:
    GateFilter(std::atomic<bool>& open, std::atomic<int>& started) : open_(open), started_(started) {}
    FilterKind kind() const override { return FilterKind::Invert; }

protected:
    bool applyRgb(Surface24& target) override {
        ++started_;
        while (!open_)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        for (int32_t y = workRect().top; y < workRect().bottom; ++y)
            for (int32_t i = workRect().left * 3; i < workRect().right * 3; ++i)
                target.row(y)[i] = uint8_t(255 - target.row(y)[i]);
        return true;
    }

private:
    std::atomic<bool>& open_;
    std::atomic<int>& started_;
};

TEST(PreviewWorker, ARunningJobIsDroppedUnlessItMayFinish) {
    TestWindow window(whiteDocument(64, 48));
    const auto source = PreviewSource::capture(window.activeRaster(), {});
    ASSERT_NE(source, nullptr);
    for (const bool letFinish : {false, true}) {
        SCOPED_TRACE(letFinish ? "dragging" : "typing");
        std::atomic<bool> open{false};
        std::atomic<int> started{0};
        Wakeups wakeups;
        PreviewWorker worker(wakeups.callback());
        const uint64_t first = worker.submit(source, std::make_shared<GateFilter>(open, started), false);
        while (started == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const uint64_t second = worker.submit(source, std::make_shared<GateFilter>(open, started), letFinish);
        EXPECT_GT(second, first);
        EXPECT_EQ(worker.newestGeneration(), second);
        open = true;
        worker.waitUntilIdle();
        std::optional<PreviewResult> result = worker.takeResult();
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->generation, second);
        EXPECT_EQ(pixel(result->color, 3, 3), gray(0));
        EXPECT_EQ(wakeups.count, letFinish ? 2 : 1) << "a dragged slider sees the running preview finish";
        EXPECT_FALSE(worker.takeResult().has_value());
    }
}

TEST(PreviewWorker, CancelDropsEverythingSubmitted) {
    TestWindow window(whiteDocument(64, 48));
    const auto source = PreviewSource::capture(window.activeRaster(), {});
    std::atomic<bool> open{false};
    std::atomic<int> started{0};
    PreviewWorker worker(nullptr);
    worker.submit(source, std::make_shared<GateFilter>(open, started), false);
    worker.submit(source, std::make_shared<GateFilter>(open, started), true);
    worker.cancel();
    open = true;
    worker.waitUntilIdle();
    EXPECT_FALSE(worker.takeResult().has_value());
}

} // namespace
} // namespace pict
