#pragma once
// Computes an adjustment dialog's preview away from the user-interface thread. The worker
// filters its own copy of the layer as it was before the preview (shared read-only between
// jobs), so it never touches the document: the dialog's preview takes the finished pixels
// on the user-interface thread. Only the newest parameters matter: a waiting job is replaced
// by a newer one, and the running one is cancelled unless the caller lets it finish (a
// dragged slider, which then gets a result per finished preview rather than none at all).

#include "document/Layer.h"
#include "imageops/ImageFilter.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace pict {

// The layer's color and the selection as they were when the preview began: read-only views
// of the document's pixels.
struct PreviewSource {
    std::unique_ptr<RasterLayer> layer; // detached from any stack, without the layer's masks
    Rect selectionBounds;               // empty: no selection
    Surface8 coverage;

    SelectionArea selection() const {
        return selectionBounds.isEmpty() ? SelectionArea{} : SelectionArea{selectionBounds, &coverage};
    }
    // Null when memory runs out.
    static std::shared_ptr<const PreviewSource> capture(const RasterLayer& layer, const SelectionArea& selection);
};

struct PreviewResult {
    uint64_t generation = 0;
    std::shared_ptr<ImageFilter> filter;
    // The whole layer's color with the filter applied, the same bytes as applying it in place.
    Surface24 color;
};

class PreviewWorker {
public:
    // resultReady runs on the worker's thread each time a result waits; the host wakes the
    // user-interface thread, which calls takeResult.
    explicit PreviewWorker(std::function<void()> resultReady);
    // Cancels what runs and waits for the thread.
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // Queues the newest parameters, replacing a job still waiting; returns its generation.
    uint64_t submit(std::shared_ptr<const PreviewSource> source, std::shared_ptr<ImageFilter> filter,
                    bool letRunningFinish);
    // Drops the waiting job and cancels the running one; nothing submitted so far will
    // produce a result.
    void cancel();
    // The latest finished result not taken yet; a result older than one already taken never
    // comes back.
    std::optional<PreviewResult> takeResult();
    // The generation of the newest job submitted (0 before any).
    uint64_t newestGeneration() const;
    // Blocks until no job waits or runs.
    void waitUntilIdle();

private:
    struct Job {
        uint64_t generation;
        std::shared_ptr<const PreviewSource> source;
        std::shared_ptr<ImageFilter> filter;
    };
    void loop();
    std::optional<PreviewResult> compute(const Job& job);

    std::function<void()> resultReady_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<Job> waiting_;
    bool running_ = false;
    bool stopping_ = false;
    uint64_t newest_ = 0;
    uint64_t taken_ = 0;
    std::optional<PreviewResult> finished_;
    // Set to stop the running job; each job starts with it clear.
    std::atomic<bool> cancelRunning_{false};
    std::thread thread_;
};

} // namespace pict
