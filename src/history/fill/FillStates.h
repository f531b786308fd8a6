#pragma once
// The "Fill" and "Clear" history states. Both act on the layer that was active when they
// were made and keep that index for every apply and undo.
//  - Fill keeps the part of the layer it paints (the selection's bounds on the layer, or all
//    of it) and writes it back on undo; when the fill has to grow the layer to the canvas
//    first, it keeps a clone of the whole layer instead and puts a copy of that back.
//  - Clear keeps what it overwrites inside the selection's rectangle: the colors of a
//    background layer (which takes the background color), the transparency of any other
//    (which becomes transparent).

#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/SavedPixels.h"
#include "imageops/FillParams.h"
#include "surface/RasterSurface.h"

#include <cstdint>
#include <memory>

namespace pict {

class RasterLayer;

class FillState final : public DocumentChangeState {
public:
    // The parameters are clamped here (opaque color, mode 0..18, opacity 1..100).
    FillState(DocumentContext& context, const FillParams& params);
    ~FillState() override;

    std::string name() const override { return "Fill"; }
    // Fails, changing nothing, when the layer is not a visible raster layer, when the clone
    // for undo cannot be made or when the fill fails.
    bool apply() override;
    // Writes the saved pixels back (or replaces the layer's content by a copy of the clone).
    // Fails before a first apply or when the index no longer holds a raster layer that
    // contains the saved rectangle.
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override { return {&savedColor_, &savedMask_}; }
    // The saved part of the layer (layer coordinates); empty when the whole layer was cloned.
    Rect savedRect() const { return savedColor_.rect(); }

    const FillParams& params() const { return params_; }
    int32_t layerIndex() const { return layerIndex_; }

private:
    DocumentContext& context_;
    FillParams params_;
    int32_t layerIndex_;
    std::unique_ptr<RasterLayer> saved_;
    SavedPixels savedColor_;
    SavedPixels savedMask_; // when the layer has a transparency mask
};

class ClearState final : public DocumentChangeState {
public:
    // backgroundColor is a layer color word (0x00BBGGRR), used on a background layer.
    ClearState(DocumentContext& context, uint32_t backgroundColor);

    std::string name() const override { return "Clear"; }
    // Needs a selection and a visible raster layer at the index; fails, changing nothing,
    // otherwise.
    bool apply() override;
    // Writes the saved part back at the selection's place. Fails, changing nothing, when
    // the selection is no longer the one that was cleared.
    bool undo() override;

private:
    DocumentContext& context_;
    uint32_t backgroundColor_;
    int32_t layerIndex_;
    // The selection bounds the copy was taken under; one of the two copies is held.
    Rect savedBounds_;
    Surface24 savedColor_;
    Surface8 savedMask_;
};

} // namespace pict
