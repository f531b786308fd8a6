#pragma once
// One open image: the canvas description, the layer stack, the saved alpha channels, the
// composite cache, the observers and the modified flag. The selection and the history
// belong to the document window, not here. Loading and saving live with the codecs.

#include "common/Geometry.h"
#include "document/AlphaChannel.h"
#include "document/compositing/CompositeCache.h"
#include "document/DocumentInfo.h"
#include "document/DocumentNotification.h"
#include "document/LayerStack.h"

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace pict {

class Document {
public:
    Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    ~Document();

    // ---- description ----
    const DocumentInfo& info() const { return info_; }
    Size canvasSize() const { return {info_.width, info_.height}; }
    Rect canvasRect() const { return Rect::fromSize(canvasSize()); }
    int32_t width() const { return info_.width; }
    int32_t height() const { return info_.height; }
    static bool isValid(const DocumentInfo& info) { return isValidInfo(info); }
    // Valid info, a name, and at least one layer.
    bool isUsable() const;
    // File identity changes after Save As; they touch neither pixels nor the modified flag.
    void setName(std::string name) { info_.name = std::move(name); }
    void setFolder(std::string folder) { info_.folder = std::move(folder); }
    void setUntitled(bool untitled) { info_.untitled = untitled; }

    bool isModified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // ---- parts, each created on first use ----
    LayerStack& layers();
    const LayerStack* layersIfAny() const { return stack_.get(); }
    AlphaChannelList& channels();
    const AlphaChannelList* channelsIfAny() const { return channels_.get(); }
    // The composite image; null when the canvas is invalid or memory ran out.
    const CompositeCache* composite();
    const CompositeCache* compositeIfAny() const { return cache_.get(); }

    // ---- creation ----
    // One "Background" filled with the background color, or with transparent set one empty
    // "Layer 1". Fails, changing nothing, for invalid info or when the layer cannot be made.
    bool newFromInfo(const DocumentInfo& info);
    // A document made from decoded pixels: the name is the path's last component and the
    // folder the text before it. With alpha (same size as color) the single layer is
    // "Layer 1" carrying it as transparency; otherwise it is "Background". Sets modified.
    bool newFromSurface(std::string_view path, Surface24&& color, std::optional<Surface8> alpha = std::nullopt);
    // Deep copy of source (info, every layer, every channel); the top layer becomes active.
    // A document without observers or composite gets its composite only when asked.
    bool copy(const Document& source);
    // Replaces everything by a copy of the snapshot and rebuilds the composite.
    bool restoreFrom(const Document& snapshot);
    // Puts back what a whole-document change recorded in journal took (the very layers, no
    // copies), the canvas size and resolution of before, and channels when given; rebuilds
    // the composite and sets the modified flag. The file's name and folder stay current.
    void rewind(LayerJournal& journal, const DocumentInfo& before, std::unique_ptr<AlphaChannelList> channels);

    // ---- change reporting ----
    // Recomposes rect clipped to the canvas.
    void invalidate(const Rect& rect);
    void notifyDocument(const Rect& rect);
    void notifyLayer(const Layer* layer, LayerChangeKind kind, const Rect& rect);
    // Registering an observer twice does nothing; the document does not own observers.
    void addObserver(DocumentObserver* observer);
    void removeObserver(DocumentObserver* observer);

    // ---- geometry of the whole document ----
    // method: 0 nearest neighbour, any other value smooth resampling.
    bool resizeImage(int32_t width, int32_t height, float resolution, ResolutionUnit unit, int32_t method);
    // anchor: where the old canvas's top-left corner lands; color 0x00BBGGRR.
    bool resizeCanvas(int32_t width, int32_t height, Point anchor, uint32_t extensionColor);
    bool rotate(double angle);
    bool flip(bool horizontal);
    bool crop(const Rect& rect);
    bool trim();

private:
    // Discards the cache and recomposes a new one for the current canvas.
    void rebuildComposite();
    // The clone behind copy and restoreFrom: all or nothing, the composite left alone.
    bool replaceContents(const Document& source);
    void invalidateAndNotifyAll();

    DocumentInfo info_;
    // Destruction order: composite, then the stack, then the channels.
    std::unique_ptr<AlphaChannelList> channels_;
    std::unique_ptr<LayerStack> stack_;
    std::unique_ptr<CompositeCache> cache_;
    bool modified_ = false;
    std::vector<DocumentObserver*> observers_;
};

} // namespace pict
