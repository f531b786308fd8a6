#include "surface/PixelThreads.h"
#include "surface/PixelWorkCancellation.h"

#include <oneapi/tbb/blocked_range.h>
#include <oneapi/tbb/global_control.h>
#include <oneapi/tbb/parallel_for.h>
#include <oneapi/tbb/partitioner.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>

namespace pict {
namespace {

std::mutex settingMutex;
std::unique_ptr<oneapi::tbb::global_control> limit;
std::atomic<int32_t> threadSetting{0};
std::atomic<int64_t> minimumPixels{StripTuning{}.minimumPixels};
std::atomic<int64_t> stripPixels{StripTuning{}.stripPixels};

} // namespace

void setPixelThreads(int32_t threads) {
    const std::lock_guard lock(settingMutex);
    threads = std::max(threads, 0);
    limit.reset();
    if (threads > 0)
        limit = std::make_unique<oneapi::tbb::global_control>(
            oneapi::tbb::global_control::max_allowed_parallelism, size_t(threads));
    threadSetting = threads;
}

int32_t pixelThreads() {
    return threadSetting;
}

void setStripTuning(const StripTuning& tuning) {
    minimumPixels = std::max<int64_t>(tuning.minimumPixels, 1);
    stripPixels = std::max<int64_t>(tuning.stripPixels, 1);
}

StripTuning stripTuning() {
    return {minimumPixels, stripPixels};
}

namespace {

bool staysSerial(int64_t items, int64_t pixelsPerItem) {
    return threadSetting == 1 || items < 2 || items * pixelsPerItem < minimumPixels;
}

int64_t grainFor(int64_t items, int64_t pixelsPerItem) {
    return std::clamp<int64_t>(stripPixels / pixelsPerItem, 1, items);
}

} // namespace

int32_t stripCount(int32_t items, int64_t pixelsPerItem) {
    pixelsPerItem = std::max<int64_t>(pixelsPerItem, 1);
    if (staysSerial(items, pixelsPerItem))
        return 1;
    return static_cast<int32_t>((items + grainFor(items, pixelsPerItem) - 1) /
                                grainFor(items, pixelsPerItem));
}

namespace {
thread_local const std::atomic<bool>* cancelFlag = nullptr;
thread_local bool inStrip = false;

bool isCancelled(const std::atomic<bool>* flag) { return flag && flag->load(std::memory_order_relaxed); }
} // namespace

PixelWorkCancellation::PixelWorkCancellation(const std::atomic<bool>* cancelled) : outer_(cancelFlag) {
    cancelFlag = cancelled;
}

PixelWorkCancellation::~PixelWorkCancellation() { cancelFlag = outer_; }

bool pixelWorkCancelled() { return isCancelled(cancelFlag); }

bool insideParallelStrips() { return inStrip; }

namespace strip_detail {

void run(int32_t begin, int32_t end, int64_t pixelsPerItem, Body body, const void* context) {
    // Read on the calling thread: the strips may run on the pool's threads.
    const std::atomic<bool>* cancelled = cancelFlag;
    if (end <= begin || isCancelled(cancelled))
        return;
    pixelsPerItem = std::max<int64_t>(pixelsPerItem, 1);
    const int64_t items = int64_t(end) - begin;
    if (staysSerial(items, pixelsPerItem)) {
        body(context, begin, end);
        return;
    }
    // The cuts depend only on the range and the tuning, never on the thread count, which
    // keeps runs repeatable should a body ever be sensitive to its strip edges.
    const int64_t count = (items + grainFor(items, pixelsPerItem) - 1) / grainFor(items, pixelsPerItem);
    auto edge = [&](int64_t strip) { return static_cast<int32_t>(begin + items * strip / count); };
    oneapi::tbb::parallel_for(
        oneapi::tbb::blocked_range<int64_t>(0, count, 1),
        [&](const oneapi::tbb::blocked_range<int64_t>& r) {
            struct StripMark {
                bool outer = inStrip;
                StripMark() { inStrip = true; }
                ~StripMark() { inStrip = outer; }
            } mark;
            for (int64_t strip = r.begin(); strip < r.end(); ++strip)
                if (!isCancelled(cancelled))
                    body(context, edge(strip), edge(strip + 1));
        },
        oneapi::tbb::simple_partitioner());
}

} // namespace strip_detail

} // namespace pict
