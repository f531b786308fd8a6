#pragma once
// Stopping pixel work from another thread (a preview whose parameters are already stale, a
// long command the user cancelled).

#include <atomic>

namespace pict {

// While one lives, pixel work that forEachStrip starts on this thread checks *cancelled before
// each strip and skips the strips left once it is set (from any thread). The work then
// returns early with a meaningless result, which the caller drops. Scopes nest; the innermost
// flag counts.
class PixelWorkCancellation {
public:
    explicit PixelWorkCancellation(const std::atomic<bool>* cancelled);
    ~PixelWorkCancellation();
    PixelWorkCancellation(const PixelWorkCancellation&) = delete;
    PixelWorkCancellation& operator=(const PixelWorkCancellation&) = delete;

private:
    const std::atomic<bool>* outer_;
};

// Whether the innermost cancellation flag of this thread is set: work that is not cut into
// strips (encoding a file, reading one) asks between its steps and gives up once it is.
bool pixelWorkCancelled();

} // namespace pict
