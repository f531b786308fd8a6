#pragma once
// The ordered layers of a document (index 0 at the bottom) with the active layer. Every
// structural and pixel change to a layer goes through the stack, which reports it to the
// document in one place (Report): the composite is recomposed, then the observers are told.

#include "common/Geometry.h"
#include "document/DocumentNotification.h"
#include "document/Layer.h"
#include "document/LayerJournal.h"
#include "document/SelectionArea.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pict {

class Document;
class SurfaceFilter;
class SurfaceFill;

class LayerStack {
public:
    explicit LayerStack(Document* document) : document_(document) {}
    LayerStack(const LayerStack&) = delete;
    LayerStack& operator=(const LayerStack&) = delete;
    ~LayerStack();

    Document* document() const { return document_; }

    // ---- lookups (out-of-range indices give none, never an error) ----
    int32_t count() const { return int32_t(layers_.size()); }
    Layer* layerAt(int32_t index) const;
    RasterLayer* rasterAt(int32_t index) const;
    int32_t indexOf(const Layer* layer) const;
    bool contains(const Layer* layer) const { return indexOf(layer) >= 0; }
    Layer* active() const { return active_; }
    int32_t activeIndex() const { return indexOf(active_); }
    // The first layer, bottom up, with exactly this name.
    Layer* findByName(const std::string& name) const;
    std::string nameAt(int32_t index) const;
    // The bottom-most layer with the background flag, or none.
    RasterLayer* backgroundLayer() const;

    // ---- structure ----
    // A negative position puts a background layer at the bottom and any other layer directly
    // above the active one (at the top without one); 0..count inserts before that index.
    // The layer becomes active. A layer already in the stack is left alone. When memory runs
    // out the caller keeps the layer: it is taken only on success.
    bool insert(std::unique_ptr<Layer>&& layer, int32_t position = -1);
    // insert plus a Structure report; fails for a null layer or one already present.
    bool add(std::unique_ptr<Layer>&& layer, int32_t position = -1);
    bool remove(const Layer* layer, bool notify = true);
    bool removeAt(int32_t index) { return remove(layerAt(index), true); }
    // Takes the layer out without destroying it (Delete Layer keeps it for undo).
    std::unique_ptr<Layer> detach(int32_t index);
    void removeAll(bool notify);
    // Puts layer in the place of the one at index, which is handed back (null, nothing
    // changed, for an index without a layer); the active layer stays the active place.
    std::unique_ptr<Layer> replace(int32_t index, std::unique_ptr<Layer> layer);
    // Replaces a live layer by a placeholder with its name and visibility.
    bool replaceWithPlaceholder(int32_t index, bool notify);
    // Puts next at the index; the layer that was there goes to the journal, or is destroyed
    // without one. Nothing is reported: the walks report the whole canvas once.
    bool replaceAt(int32_t index, std::unique_ptr<Layer>&& next);
    // Makes an existing layer the active one; changes nothing for a layer not in the stack.
    bool setActive(const Layer* layer);

    // ---- attributes (each reports its kind) ----
    bool setName(Layer* layer, std::string name, bool notify = true);
    bool setBlendMode(Layer* layer, int32_t mode, bool notify = true);
    bool setOpacity(Layer* layer, uint8_t opacity, bool notify = true);
    bool setVisible(Layer* layer, bool visible, bool notify = true);
    // Moves a live layer on the canvas; reports its pixels at the old and the new place.
    bool setPosition(Layer* layer, Point position, bool notify = true);

    // ---- pixel operations on the raster layer at an index ----
    // Pixels are reported for the selection's bounds, or the layer's rectangle without one.
    bool fill(int32_t index, SurfaceFill& fill, const SelectionArea& selection);
    bool applyFilter(int32_t index, SurfaceFilter& filter, const SelectionArea& selection);
    // Clear: a background layer takes the background color (0x00BBGGRR), others go transparent.
    bool clear(int32_t index, const SelectionArea& selection, uint32_t backgroundColor);
    bool restoreColor(int32_t index, const Surface24& saved, const SelectionArea& selection);
    bool restoreMask(int32_t index, const Surface8& saved, const SelectionArea& selection);
    bool writeBack(int32_t index, const Surface24& saved);
    // The layer becomes a deep copy of `source` (undo of Fill).
    bool replaceContent(int32_t index, const RasterLayer& source);

    // ---- naming ----
    std::string defaultLayerName(bool background) const;
    std::string duplicateLayerName(const Layer& layer) const;

    // ---- journal ----
    // While a journal is attached, every layer replaced or removed goes into it instead of
    // being destroyed, and every insertion is noted; null detaches it.
    void attachJournal(LayerJournal* journal) { journal_ = journal; }
    // Undoes what the journal recorded, newest first, and puts the positions and the active
    // layer back; the layers it kept come back as the very objects taken out. Nothing is
    // reported. The journal is left empty.
    void rewind(LayerJournal& journal);

    // A stack for another document with a clone of every layer; the top layer is active.
    // Null when memory runs out.
    std::unique_ptr<LayerStack> clone(Document* document) const;

    // ---- geometry over all layers; the first failing layer stops the walk ----
    bool resizeAll(Size oldCanvas, Size newCanvas, int32_t method);
    bool canvasAll(Size newCanvas, Point anchor, uint32_t extensionColor);
    bool rotateAll(double angle, Size oldCanvas);
    bool flipAll(bool horizontal, Size canvas);
    bool cropAll(const Rect& rect, Size canvas);
    bool trimAll();

    // Recomposes the area the change touches and tells the observers. rect limits the
    // area (none means the whole canvas); force reports even a hidden layer's area.
    void report(const Layer* layer, LayerChangeKind kind, std::optional<Rect> rect = std::nullopt,
                bool force = false);

private:
    std::unique_ptr<Layer> erase(int32_t index);
    Rect pixelReportRect(const Layer& layer, const SelectionArea& selection) const;

    Document* document_;
    std::vector<std::unique_ptr<Layer>> layers_;
    Layer* active_ = nullptr;
    LayerJournal* journal_ = nullptr;
};

} // namespace pict
