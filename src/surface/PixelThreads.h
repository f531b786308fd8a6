#pragma once
// Data-parallel pixel work. An operation hands forEachStrip the range of rows (or columns) it
// walks and a body that processes any part of that range; large work is cut into strips that
// run on the pool's threads, small work runs at once on the calling thread.
//
// Every body must give the same bytes however the range is cut: each item it writes depends
// only on pixels no other strip writes. With one thread the body gets the whole range in one
// call, exactly the loop it replaced, which the tests use as the reference.

#include <cstdint>
#include <type_traits>
#include <utility>

namespace pict {

// How many threads pixel work may use; 0 means one per core. Process-wide, set from the
// user-interface thread (the settings) or the batch tool's start.
void setPixelThreads(int32_t threads);
int32_t pixelThreads();

// Below minimumPixels the work stays on the calling thread; above it, strips hold about
// stripPixels each. Tests lower both so that small surfaces are cut too.
struct StripTuning {
    int64_t minimumPixels = int64_t(1) << 20;
    int64_t stripPixels = int64_t(1) << 17;
};
void setStripTuning(const StripTuning& tuning);
StripTuning stripTuning();

// How many strips forEachStrip would cut [0, items) into: 1 when the work stays on the calling
// thread. For bodies that must prepare something per cut before the strips run.
int32_t stripCount(int32_t items, int64_t pixelsPerItem);

// True on a thread while it runs one strip of work that forEachStrip split up.
bool insideParallelStrips();

namespace strip_detail {
using Body = void (*)(const void* context, int32_t begin, int32_t end);
void run(int32_t begin, int32_t end, int64_t pixelsPerItem, Body body, const void* context);
} // namespace strip_detail

// Calls body(begin, end) over disjoint parts covering [begin, end), possibly at once on
// several threads. pixelsPerItem is what one item (a row, a column) costs in pixels.
// Exceptions from the body (bad_alloc) reach the caller after every strip stopped.
template <class Body> void forEachStrip(int32_t begin, int32_t end, int64_t pixelsPerItem, Body&& body) {
    strip_detail::run(
        begin, end, pixelsPerItem,
        [](const void* context, int32_t b, int32_t e) {
            (*static_cast<std::remove_reference_t<Body>*>(const_cast<void*>(context)))(b, e);
        },
        &body);
}

} // namespace pict
