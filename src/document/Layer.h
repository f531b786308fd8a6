#pragma once
// The entries of a layer stack. Three kinds, told apart by virtual operations:
//  - RasterLayer: pixels (a 24-bit color surface plus optional transparency mask);
//  - EmptyLayer: a positioned layer without pixels, what New Layer creates;
//  - RemovedLayer: a placeholder keeping the name and visibility of a layer that a crop
//    removed, so the indices of the layers above it stay valid.
// Layers are placed on the canvas by an integer offset and may extend past its edges.

#include "common/Geometry.h"
#include "document/LayerMaskSet.h"
#include "document/SelectionArea.h"
#include "surface/BlendModes.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace pict {

class LayerStack;
class RasterLayer;
class SurfaceFilter;
class SurfaceFill;

// The kind code of a layer that carries pixels; every pixel command refuses other kinds.
inline constexpr int32_t kRasterLayerKind = 5;

class Layer {
public:
    explicit Layer(LayerStack* owner) : owner_(owner) {}
    Layer(const Layer&) = delete;
    Layer& operator=(const Layer&) = delete;
    virtual ~Layer() = default;

    // ---- kind ----
    // A copy of the same kind for another owner; null when memory runs out.
    virtual std::unique_ptr<Layer> clone(LayerStack* owner) const = 0;
    virtual int32_t kindCode() const = 0;
    virtual bool isEmpty() const = 0;
    virtual bool isBackground() const { return false; }
    virtual bool isLive() const = 0;
    virtual Size size() const { return {}; }
    virtual Rect localBounds() const { return {}; }
    virtual RasterLayer* asRaster() { return nullptr; }
    virtual const RasterLayer* asRaster() const { return nullptr; }
    bool isRaster() const { return kindCode() == kRasterLayerKind; }

    // ---- attributes (placeholders keep only name and visibility) ----
    LayerStack* owner() const { return owner_; }
    void setOwner(LayerStack* owner) { owner_ = owner; }
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    Point position() const { return position_; }
    int32_t x() const { return position_.x; }
    int32_t y() const { return position_.y; }
    void setPosition(Point position);
    int32_t blendMode() const { return blendMode_; }
    // False (nothing changes) for a placeholder or a mode outside 0..18.
    bool setBlendMode(int32_t mode);
    uint8_t opacity() const { return opacity_; }
    bool setOpacity(uint8_t opacity);
    // Opacity as the user sees it: opacity × 100 / 255 rounded to nearest.
    int32_t opacityPercent() const { return (opacity_ * 100 + 127) / 255; }

    // ---- canvas geometry ----
    // The owner document's canvas size; 0 × 0 for a layer outside any document.
    Size canvasSize() const;
    Rect canvasRect() const { return Rect::fromPointSize(position_, size()); }
    // The canvas united with the layer's canvas rectangle.
    Rect extendedRect() const { return Rect::fromSize(canvasSize()).united(canvasRect()); }
    bool coversExtended() const { return canvasRect() == extendedRect(); }
    // The selection's bounds in layer coordinates clipped to the local bounds; empty for none.
    Rect selectionInLayer(const SelectionArea& selection) const;

protected:
    void copyAttributesFrom(const Layer& other);

private:
    LayerStack* owner_ = nullptr;
    std::string name_;
    bool visible_ = true;
    Point position_;
    int32_t blendMode_ = 0;
    uint8_t opacity_ = 255;
};

class RemovedLayer final : public Layer {
public:
    using Layer::Layer;
    // The placeholder for `replaced`: same owner, name and visibility.
    static std::unique_ptr<RemovedLayer> replacing(const Layer& replaced);

    std::unique_ptr<Layer> clone(LayerStack* owner) const override;
    int32_t kindCode() const override { return 0; }
    bool isEmpty() const override { return true; }
    bool isLive() const override { return false; }
};

class EmptyLayer final : public Layer {
public:
    using Layer::Layer;
    std::unique_ptr<Layer> clone(LayerStack* owner) const override;
    int32_t kindCode() const override { return 0; }
    bool isEmpty() const override { return true; }
    bool isLive() const override { return true; }
};

// The checkerboard behind layer thumbnails: squares of `squareSize` alternating two colors
// (0x00BBGGRR), the first at the top-left.
struct ThumbnailPattern {
    int32_t squareSize = 4;
    uint32_t first = 0xFFFFFF;
    uint32_t second = 0xCCCCCC;
};

class RasterLayer final : public Layer {
public:
    using Layer::Layer;

    // ---- creation (null on failure; the surfaces handed in are consumed either way) ----
    // A background layer of the size, filled with the color (0x00BBGGRR) when one is given.
    static std::unique_ptr<RasterLayer> create(LayerStack* owner, Size size, std::optional<uint32_t> fill);
    static std::unique_ptr<RasterLayer> createFromSurface(LayerStack* owner, Surface24&& color, bool background);
    // The mask set must have the color surface's size (and its mask, if any, too).
    static std::unique_ptr<RasterLayer> createFromSurfaceAndMask(LayerStack* owner, Surface24&& color,
                                                                 std::unique_ptr<LayerMaskSet> masks);
    // Shares the color's pixels (copied when either side is written); the alpha becomes the
    // transparency mask, shared the same way, when it has the same size and is not all 255.
    static std::unique_ptr<RasterLayer> createFromPixels(LayerStack* owner, const Surface24& color,
                                                         const Surface8& alpha, Point position, std::string name,
                                                         bool background);

    // ---- kind ----
    std::unique_ptr<Layer> clone(LayerStack* owner) const override;
    int32_t kindCode() const override { return kRasterLayerKind; }
    bool isEmpty() const override { return color_.isEmpty() && !masks_; }
    bool isBackground() const override { return background_; }
    bool isLive() const override { return true; }
    Size size() const override { return color_.size(); }
    Rect localBounds() const override { return color_.bounds(); }
    RasterLayer* asRaster() override { return this; }
    const RasterLayer* asRaster() const override { return this; }
    void setBackground(bool background) { background_ = background; }

    // ---- pixels (layer coordinates; the caller stays inside the local bounds) ----
    const Surface24& color() const { return color_; }
    Surface24& color() { return color_; }
    const LayerMaskSet* masks() const { return masks_.get(); }
    const Surface8* transparencyMask() const { return masks_ ? masks_->mask() : nullptr; }
    Surface8* transparencyMask() { return masks_ ? masks_->mask() : nullptr; }
    const uint8_t* colorAt(int32_t x, int32_t y) const { return color_.row(y) + 3 * int64_t(x); }
    // Opacity, scaled by the mask value when there is a mask: floor(mask × opacity / 255).
    uint8_t alphaAt(int32_t x, int32_t y) const;
    // Opacity 255 and no mask; a mask that happens to be all 255 does not count.
    bool isFullyOpaque() const { return opacity() == 255 && transparencyMask() == nullptr; }
    bool isTransparentAt(int32_t x, int32_t y) const;
    // Creates the transparency mask (all 255) when the layer has none.
    bool ensureTransparencyMask();
    // Replaces the mask; refused when its size is not the layer's size.
    bool setTransparencyMask(Surface8&& mask);

    // ---- content operations ----
    // Deep copy of everything but the owner. False (unchanged) when memory runs out.
    bool copyFrom(const RasterLayer& other);
    // Copies saved over the color surface when it has exactly the layer's size; otherwise
    // leaves the layer alone. Succeeds either way.
    bool writeBack(const Surface24& saved);
    bool applyFilter(SurfaceFilter& filter, const SelectionArea& selection);
    bool fill(SurfaceFill& fill, const SelectionArea& selection);
    // Enlarges the layer to its extended rectangle; the new area is transparent.
    bool growToCanvas();
    // Paints color (0x00BBGGRR) through the selection's coverage; the whole layer without one.
    bool clearBackground(const SelectionArea& selection, uint32_t color);
    // Moves the transparency mask toward value through the selection's coverage.
    bool clearToTransparent(uint8_t value, const SelectionArea& selection);
    // Undo of Clear: the saved surface goes back at the selection's origin in layer coordinates.
    bool restoreColor(const Surface24& saved, const SelectionArea& selection);
    bool restoreMask(const Surface8& saved, const SelectionArea& selection);
    // The color surface or the mask within the selection's rectangle (the whole surface without
    // a selection). saveMask creates the mask first when there is none.
    bool saveColor(const SelectionArea& selection, Surface24& saved) const;
    bool saveMask(const SelectionArea& selection, Surface8& saved);
    // Canvas-sized color and alpha with the layer at its position, clipped to the canvas.
    bool canvasImage(Surface24& color, Surface8& alpha) const;
    // The color surface and the alpha (the mask, or 255 everywhere) as they are, unplaced.
    bool layerImage(Surface24& color, Surface8& alpha) const;
    // The layer as it lies on the canvas, scaled into target over the pattern; no opacity or mode.
    bool thumbnail(Surface24& target, const ThumbnailPattern& pattern) const;

    // ---- geometry (the stack walks place the result) ----
    // Each makes a new layer with this one's attributes and the changed pixels and leaves
    // this one as it was, so that a history state can keep the old layer instead of a copy.
    // Null when there is nothing to change it into or memory runs out.
    // Resamples color and mask; method 0 is nearest neighbour, any other value smooth.
    std::unique_ptr<RasterLayer> resized(Size size, int32_t method) const;
    // Quarter and half turns only.
    std::unique_ptr<RasterLayer> rotated(double angle) const;
    std::unique_ptr<RasterLayer> flipped(bool horizontal) const;
    // localRect clipped to the layer; null when that leaves nothing.
    std::unique_ptr<RasterLayer> cropped(const Rect& localRect) const;
    // Canvas Size for a background layer: a canvas-sized surface with the old one at anchor
    // and the uncovered part in the extension color (0x00BBGGRR), placed at the origin.
    std::unique_ptr<RasterLayer> extendedBackground(Size canvas, Point anchor, uint32_t color) const;

private:
    // The selection's coverage placed in layer coordinates and clipped to the layer: the mask
    // covering `area` (layer coordinates). False when the selection misses the layer.
    bool restrictedSelection(const SelectionArea& selection, Surface8& mask, Rect& area) const;
    // A layer like this one holding other pixels; an empty mask leaves it without one.
    std::unique_ptr<RasterLayer> withPixels(Surface24&& color, Surface8&& mask) const;

    bool background_ = false;
    Surface24 color_;
    std::unique_ptr<LayerMaskSet> masks_;
};

} // namespace pict
