// Document lifetime (creation, copy, restore), change reporting and the observer list.
#include "document/Document.h"

#include <algorithm>
#include <new>

namespace pict {

Document::Document() = default;

Document::~Document() {
    cache_.reset();
    stack_.reset();
    channels_.reset();
}

bool Document::isUsable() const { return isValidInfo(info_) && !info_.name.empty() && stack_ && stack_->count() > 0; }

LayerStack& Document::layers() {
    if (!stack_)
        stack_ = std::make_unique<LayerStack>(this);
    return *stack_;
}

AlphaChannelList& Document::channels() {
    if (!channels_)
        channels_ = std::make_unique<AlphaChannelList>();
    return *channels_;
}

const CompositeCache* Document::composite() {
    if (!cache_ || cache_->size() != canvasSize())
        rebuildComposite();
    return cache_.get();
}

bool Document::newFromInfo(const DocumentInfo& info) {
    if (!isValidInfo(info))
        return false;
    try {
        auto stack = std::make_unique<LayerStack>(this);
        std::unique_ptr<Layer> layer;
        if (info.transparent) {
            layer = std::make_unique<EmptyLayer>(stack.get());
            layer->setName(stack->defaultLayerName(false));
        } else {
            layer = RasterLayer::create(stack.get(), {info.width, info.height}, info.backgroundColor);
            if (!layer)
                return false;
            layer->setName(stack->defaultLayerName(true));
        }
        stack->insert(std::move(layer));
        cache_.reset();
        stack_ = std::move(stack);
        channels_.reset();
        info_ = info;
    } catch (const std::bad_alloc&) {
        return false;
    }
    modified_ = false;
    invalidateAndNotifyAll();
    return true;
}

bool Document::newFromSurface(std::string_view path, Surface24&& color, std::optional<Surface8> alpha) {
    Surface24 pixels = std::move(color);
    if (!pixels.isValid() || pixels.width() > kMaxCanvasSide || pixels.height() > kMaxCanvasSide)
        return false;
    // A mask that does not fit the picture (a stale internal clipboard mask, say) is ignored
    // rather than refusing the picture itself.
    if (alpha && (!alpha->isValid() || alpha->size() != pixels.size()))
        alpha.reset();
    try {
        DocumentInfo info;
        info.width = pixels.width();
        info.height = pixels.height();
        info.backgroundColor = 0xFFFFFF;
        const size_t slash = path.rfind('/');
        info.name = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
        info.folder = slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));

        auto stack = std::make_unique<LayerStack>(this);
        std::unique_ptr<RasterLayer> layer;
        if (alpha) {
            auto masks = std::make_unique<LayerMaskSet>(pixels.size());
            if (!masks->setMask(std::move(*alpha)))
                return false;
            layer = RasterLayer::createFromSurfaceAndMask(stack.get(), std::move(pixels), std::move(masks));
        } else {
            layer = RasterLayer::createFromSurface(stack.get(), std::move(pixels), true);
        }
        if (!layer)
            return false;
        layer->setName(stack->defaultLayerName(layer->isBackground()));
        stack->insert(std::move(layer));
        cache_.reset();
        stack_ = std::move(stack);
        channels_.reset();
        info_ = std::move(info);
    } catch (const std::bad_alloc&) {
        return false;
    }
    modified_ = true;
    invalidateAndNotifyAll();
    return true;
}

bool Document::copy(const Document& source) {
    if (&source == this)
        return true;
    if (!replaceContents(source))
        return false;
    // A document nobody shows yet (a history snapshot, a duplicate before its window opens)
    // is composed when first asked: making the composite here would mostly be thrown away.
    if (cache_ || !observers_.empty())
        invalidateAndNotifyAll();
    return true;
}

bool Document::restoreFrom(const Document& snapshot) {
    if (&snapshot == this)
        return true;
    // Dropping the cache first keeps the old composite and the snapshot's copy from being
    // held at once, and the invalidation then composes the snapshot's canvas once.
    // A failed copy leaves the document as it was; composite() then rebuilds the cache.
    cache_.reset();
    if (!replaceContents(snapshot))
        return false;
    invalidateAndNotifyAll();
    return true;
}

void Document::rewind(LayerJournal& journal, const DocumentInfo& before,
                      std::unique_ptr<AlphaChannelList> channels) {
    // The old composite goes first so that it and the one rebuilt are never held at once.
    cache_.reset();
    layers().rewind(journal);
    info_.width = before.width;
    info_.height = before.height;
    info_.resolution = before.resolution;
    info_.resolutionUnit = before.resolutionUnit;
    if (channels)
        channels_ = std::move(channels);
    modified_ = true;
    invalidateAndNotifyAll();
}

bool Document::replaceContents(const Document& source) {
    // Everything is cloned before anything is replaced, so a failure leaves this document as it was.
    try {
        std::unique_ptr<LayerStack> stack =
            source.stack_ ? source.stack_->clone(this) : std::make_unique<LayerStack>(this);
        if (!stack)
            return false;
        std::unique_ptr<AlphaChannelList> channels;
        if (source.channels_ && !(channels = source.channels_->clone()))
            return false;
        DocumentInfo info = source.info_;
        info_ = std::move(info);
        stack_ = std::move(stack);
        channels_ = std::move(channels);
    } catch (const std::bad_alloc&) {
        return false;
    }
    modified_ = true;
    return true;
}

void Document::invalidate(const Rect& rect) {
    const Rect area = rect.intersected(canvasRect());
    if (area.isEmpty())
        return;
    if (!cache_ || cache_->size() != canvasSize()) {
        // A new cache recomposes the whole canvas anyway.
        rebuildComposite();
        return;
    }
    if (stack_)
        cache_->invalidate(*stack_, area, observers_.empty());
}

void Document::notifyDocument(const Rect& rect) {
    const DocumentNotification notification{this, nullptr, LayerChangeKind::Structure, rect};
    // Copy: an observer may unregister itself while being told.
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->changed(notification);
}

void Document::notifyLayer(const Layer* layer, LayerChangeKind kind, const Rect& rect) {
    const DocumentNotification notification{this, layer, kind, rect};
    const std::vector<DocumentObserver*> observers = observers_;
    for (DocumentObserver* observer : observers)
        observer->changed(notification);
}

void Document::addObserver(DocumentObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void Document::removeObserver(DocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Document::rebuildComposite() {
    cache_.reset();
    if (!isValidInfo(info_))
        return;
    cache_ = CompositeCache::create(canvasSize());
    // Without observers no view draws from the composite: it is made to be saved, and may
    // share the pixels of a sole layer.
    if (cache_ && stack_)
        cache_->invalidate(*stack_, canvasRect(), observers_.empty());
}

void Document::invalidateAndNotifyAll() {
    invalidate(canvasRect());
    notifyDocument(canvasRect());
}

} // namespace pict
