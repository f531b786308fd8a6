#include "app/dialogs/adjustments/PreviewWorker.h"

#include "surface/PixelWorkCancellation.h"

#include <new>

namespace pict {

std::shared_ptr<const PreviewSource> PreviewSource::capture(const RasterLayer& layer, const SelectionArea& selection) {
    try {
        // Views, not copies: the document's surfaces take a copy of their own should anything
        // write to them while the source lives, so the source keeps the pixels of this moment.
        auto source = std::make_shared<PreviewSource>();
        Surface24 color;
        if (!color.shareFrom(layer.color()))
            return nullptr;
        source->layer = RasterLayer::createFromSurface(nullptr, std::move(color), layer.isBackground());
        if (!source->layer)
            return nullptr;
        source->layer->setPosition(layer.position());
        if (!selection.isEmpty()) {
            if (!source->coverage.shareFrom(*selection.coverage))
                return nullptr;
            source->selectionBounds = selection.bounds;
        }
        return source;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PreviewWorker::PreviewWorker(std::function<void()> resultReady)
    : resultReady_(std::move(resultReady)), thread_([this] { loop(); }) {}

PreviewWorker::~PreviewWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
        cancelRunning_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

uint64_t PreviewWorker::submit(std::shared_ptr<const PreviewSource> source, std::shared_ptr<ImageFilter> filter,
                               bool letRunningFinish) {
    uint64_t generation;
    {
        const std::lock_guard lock(mutex_);
        generation = ++newest_;
        waiting_ = Job{generation, std::move(source), std::move(filter)};
        if (!letRunningFinish)
            cancelRunning_ = true;
    }
    wake_.notify_all();
    return generation;
}

void PreviewWorker::cancel() {
    const std::lock_guard lock(mutex_);
    waiting_.reset();
    cancelRunning_ = true;
    finished_.reset();
    taken_ = newest_; // whatever still finishes is older than this
}

std::optional<PreviewResult> PreviewWorker::takeResult() {
    const std::lock_guard lock(mutex_);
    std::optional<PreviewResult> result = std::move(finished_);
    finished_.reset();
    if (result && result->generation <= taken_)
        return std::nullopt;
    if (result)
        taken_ = result->generation;
    return result;
}

uint64_t PreviewWorker::newestGeneration() const {
    const std::lock_guard lock(mutex_);
    return newest_;
}

void PreviewWorker::waitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !running_ && !waiting_; });
}

void PreviewWorker::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_)
            return;
        Job job = std::move(*waiting_);
        waiting_.reset();
        running_ = true;
        cancelRunning_ = false;
        lock.unlock();
        std::optional<PreviewResult> result = compute(job);
        lock.lock();
        const bool keep = result && !cancelRunning_ && result->generation > taken_;
        if (keep)
            finished_ = std::move(result);
        if (keep && resultReady_) {
            lock.unlock();
            resultReady_();
            lock.lock();
        }
        // Idle only once the host has been told, so that whoever waits finds the result.
        running_ = false;
        if (!waiting_)
            idle_.notify_all();
    }
}

std::optional<PreviewResult> PreviewWorker::compute(const Job& job) {
    if (!job.source || !job.filter)
        return std::nullopt;
    const PixelWorkCancellation cancellable(&cancelRunning_);
    try {
        std::unique_ptr<Layer> copy = job.source->layer->clone(nullptr);
        RasterLayer* work = copy ? copy->asRaster() : nullptr;
        if (!work || !work->applyFilter(*job.filter, job.source->selection()) || cancelRunning_)
            return std::nullopt;
        return PreviewResult{job.generation, job.filter, std::move(work->color())};
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace pict
