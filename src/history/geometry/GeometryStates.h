#pragma once
// The geometry commands of the Image menu as history states: "Image Size", "Canvas Size",
// "Rotate Canvas", "Flip Canvas Horizontal"/"Flip Canvas Vertical", "Crop" and "Trim".
// Each undoes through a whole-document snapshot, except Image Size when only the
// resolution changes, which keeps just the old resolution and unit.

#include "common/Geometry.h"
#include "document/ResolutionUnit.h"
#include "history/document/WholeDocumentState.h"

#include <cstdint>
#include <optional>

namespace pict {

// The Image Size dialog's answer as the state takes it.
struct ImageResize {
    int32_t width = 1;
    int32_t height = 1;
    float resolution = 72.0f;
    ResolutionUnit resolutionUnit = ResolutionUnit::PixelsPerInch;
    // 0 nearest neighbour; 1..5 share the smooth stretch.
    int32_t method = 0;
};

class ImageSizeState final : public WholeDocumentState {
public:
    // Sizes clamped to 1..30000, the resolution to 1..9999.999, an unknown unit to pixels
    // per inch and the method to 0..5.
    ImageSizeState(DocumentContext& context, const ImageResize& resize);
    std::string name() const override { return "Image Size"; }
    bool apply() override;
    bool undo() override;

    const ImageResize& resize() const { return resize_; }

private:
    ImageResize resize_;
    // Set when the pixel size stayed: the resolution and unit to put back on undo.
    std::optional<float> oldResolution_;
    ResolutionUnit oldUnit_ = ResolutionUnit::PixelsPerInch;
};

class CanvasSizeState final : public WholeDocumentState {
public:
    // extensionColor is a layer color word (0x00BBGGRR).
    CanvasSizeState(DocumentContext& context, Size newSize, Point anchorOffset, uint32_t extensionColor);
    std::string name() const override { return "Canvas Size"; }
    bool apply() override;
    bool undo() override;

private:
    Size newSize_;
    Point anchorOffset_;
    uint32_t extensionColor_;
    bool resized_ = false;
};

class RotateCanvasState final : public WholeDocumentState {
public:
    // The angle is kept normalised into [0, 360): -90 is recorded as 270.
    RotateCanvasState(DocumentContext& context, double angle);
    std::string name() const override { return "Rotate Canvas"; }
    bool apply() override;
    bool undo() override;

    double angle() const { return angle_; }

private:
    double angle_;
};

class FlipCanvasState final : public WholeDocumentState {
public:
    FlipCanvasState(DocumentContext& context, bool horizontal);
    std::string name() const override {
        return horizontal_ ? "Flip Canvas Horizontal" : "Flip Canvas Vertical";
    }
    bool apply() override;
    bool undo() override;

private:
    bool horizontal_;
};

// Crops to the selection's bounds clipped to the canvas, taken on the first apply. Without
// a selection (or one outside the canvas) it succeeds and changes nothing.
class CropState final : public WholeDocumentState {
public:
    explicit CropState(DocumentContext& context);
    // Crops to this canvas rectangle (the crop tool's frame) instead of the selection's.
    CropState(DocumentContext& context, const Rect& rect);
    std::string name() const override { return "Crop"; }
    bool apply() override;
    bool undo() override;

private:
    std::optional<Rect> rect_;
};

// Only for a document holding a single background layer; fails on any other.
class TrimState final : public WholeDocumentState {
public:
    explicit TrimState(DocumentContext& context);
    std::string name() const override { return "Trim"; }
    bool apply() override;
    bool undo() override;

private:
    bool trimmed_ = false;
};

} // namespace pict
