#include "imageops/painting/PaintStroke.h"

#include "imageops/CoverageBlend.h"
#include "imageops/FillParams.h"
#include "imageops/painting/LineRaster.h"
#include "imageops/painting/PaintPixel.h"

#include <algorithm>
#include <cmath>

namespace pict {

// The working state of one touched tile: the strongest coverage each pixel has had.
struct PaintStroke::Tile {
    const OriginalTile* original = nullptr;
    std::vector<uint8_t> coverage; // rect.width() bytes per row
};

namespace {

// One row of n pixels. The colour (and alpha) are recomputed from the originals wherever the
// dab is stronger than what the stroke gave the pixel before; selection (null: everything)
// then weights the result.
template <int32_t Mode, PixelRule Rule>
void paintRow(int32_t n, uint8_t* pixel, uint8_t* alpha, const uint8_t* originalPixel, const uint8_t* originalAlpha,
              uint8_t* strokeCoverage, const uint8_t* dab, const uint8_t* selection, const uint8_t* source,
              uint32_t weight) {
    uint8_t scratch = 255;
    for (int32_t x = 0; x < n; ++x) {
        const uint8_t c = dab[x];
        if (c <= strokeCoverage[x])
            continue;
        strokeCoverage[x] = c;
        const uint8_t s = selection ? selection[x] : 255;
        if (s == 0)
            continue;
        paintPixel<Mode, Rule>(pixel + 3 * x, alpha ? alpha + x : &scratch, originalPixel + 3 * x,
                               originalAlpha ? originalAlpha[x] : uint8_t(255), source, uint8_t(divide255(weight * c)),
                               s);
    }
}

uint8_t strengthOf(double pressure, bool applies) {
    if (!applies)
        return 255;
    return uint8_t(std::clamp(pressure, 0.0, 1.0) * 255.0 + 0.5);
}

} // namespace

PaintStroke::PaintStroke(const BrushParams& params, const StrokeTarget& target, const SelectionArea& selection)
    : params_(clampedBrushParams(params)), target_(target), selection_(selection) {
    if (target_.color && target_.color->isValid())
        layerBounds_ = target_.color->bounds();
    if (target_.transparency && target_.transparency->size() != layerBounds_.size())
        target_.transparency = nullptr;
    columns_ = (layerBounds_.width() + kTileSize - 1) / kTileSize;
    rows_ = (layerBounds_.height() + kTileSize - 1) / kTileSize;
    grid_.assign(size_t(columns_) * size_t(rows_), nullptr);
    if (params_.aliased())
        hardTip_.emplace(params_.size);
}

PaintStroke::~PaintStroke() = default;

PaintStroke::Tile& PaintStroke::tileAt(int32_t column, int32_t row) {
    Tile*& slot = grid_[size_t(row) * size_t(columns_) + size_t(column)];
    if (slot)
        return *slot;
    auto original = std::make_unique<OriginalTile>();
    original->rect = Rect{column * kTileSize, row * kTileSize, (column + 1) * kTileSize, (row + 1) * kTileSize}
                         .intersected(layerBounds_);
    original->color.copyFrom(*target_.color, original->rect);
    if (target_.transparency) {
        original->transparency.create(original->rect.width(), original->rect.height(), 8);
        original->transparency.copyRect(*target_.transparency, original->rect, {0, 0});
    }
    auto tile = std::make_unique<Tile>();
    tile->original = original.get();
    tile->coverage.assign(size_t(original->rect.width()) * size_t(original->rect.height()), 0);
    slot = tile.get();
    tiles_.push_back(std::move(tile));
    originals_.push_back(std::move(original));
    return *slot;
}

Rect PaintStroke::paintDab(const Dab& dab) {
    const Rect area = dab.box.intersected(layerBounds_);
    if (area.isEmpty())
        return {};
    // The selection in layer coordinates; pixels outside its bounds are not selected.
    Rect selectionBounds;
    if (!selection_.isEmpty())
        selectionBounds = selection_.bounds.translated(-target_.position.x, -target_.position.y);
    const bool eraser = params_.tool == PaintTool::Eraser;
    const bool withAlpha = target_.transparency && !(params_.lockTransparency && !eraser);
    const PixelRule rule = pixelRuleFor(eraser, eraser ? target_.transparency != nullptr : withAlpha,
                                        target_.background);
    const uint32_t paint = eraser ? params_.backgroundColor : params_.color;
    const uint8_t source[3] = {uint8_t(paint), uint8_t(paint >> 8), uint8_t(paint >> 16)}; // blue, green, red
    const uint32_t weight = fillOpacityWeight(params_.opacity);
    const int32_t mode = eraser ? int32_t(kBlendNormal) : params_.mode;
    std::vector<uint8_t> unselected;

    for (int32_t row = area.top / kTileSize; row <= (area.bottom - 1) / kTileSize; ++row)
        for (int32_t column = area.left / kTileSize; column <= (area.right - 1) / kTileSize; ++column) {
            Tile& tile = tileAt(column, row);
            const OriginalTile& original = *tile.original;
            const Rect part = area.intersected(original.rect);
            const int32_t n = part.width();
            withBlendMode(mode, [&](auto m) {
                constexpr int32_t kMode = decltype(m)::value;
                for (int32_t y = part.top; y < part.bottom; ++y) {
                    const int32_t tx = part.left - original.rect.left, ty = y - original.rect.top;
                    uint8_t* pixel = target_.color->row(y) + 3 * int64_t(part.left);
                    uint8_t* alpha = target_.transparency ? target_.transparency->row(y) + part.left : nullptr;
                    const uint8_t* oldPixel = original.color.row(ty) + 3 * int64_t(tx);
                    const uint8_t* oldAlpha =
                        target_.transparency ? original.transparency.row(ty) + tx : nullptr;
                    uint8_t* coverage = tile.coverage.data() + int64_t(ty) * original.rect.width() + tx;
                    const uint8_t* dabRow = dab.row(y) + (part.left - dab.box.left);
                    // The selection's bytes for this row; a row outside it reads all zero.
                    const uint8_t* selected = nullptr;
                    if (!selection_.isEmpty()) {
                        const Rect span = Rect{part.left, y, part.right, y + 1}.intersected(selectionBounds);
                        if (span.width() == n) {
                            selected = selection_.coverage->row(y - selectionBounds.top) +
                                       (part.left - selectionBounds.left);
                        } else {
                            unselected.assign(size_t(n), 0);
                            for (int32_t x = span.left; x < span.right; ++x)
                                unselected[size_t(x - part.left)] =
                                    selection_.coverage->row(y - selectionBounds.top)[x - selectionBounds.left];
                            selected = unselected.data();
                        }
                    }
                    withPixelRule(rule, [&](auto r) {
                        paintRow<kMode, decltype(r)::value>(n, pixel, alpha, oldPixel, oldAlpha, coverage, dabRow,
                                                            selected, source, weight);
                    });
                }
            });
        }
    touched_ = touched_.united(area);
    return area;
}

void PaintStroke::dabAt(const StrokePoint& point) {
    const uint8_t strength = strengthOf(point.pressure, params_.pressureOpacity);
    const double scale = params_.pressureSize ? std::clamp(point.pressure, 0.0, 1.0) : 1.0;
    makeSoftDab(point.x, point.y, std::max(1.0, params_.size * scale), params_.hardness / 100.0, strength, dab_);
    pending_ = pending_.united(paintDab(dab_));
}

Rect PaintStroke::pencilLine(Point from, Point to, double pressure) {
    const uint8_t strength = strengthOf(pressure, params_.pressureOpacity);
    bool first = true;
    forEachLinePixel(from, to, [&](Point p) {
        // The line's first pixel is the end of the previous one (or the stroke's first dab).
        if (first && last_) {
            first = false;
            return;
        }
        first = false;
        hardTip_->stamp(p, strength, dab_);
        pending_ = pending_.united(paintDab(dab_));
    });
    return pending_;
}

namespace {
Point pixelOf(const StrokePoint& p) { return {int32_t(std::floor(p.x)), int32_t(std::floor(p.y))}; }
} // namespace

Rect PaintStroke::begin(const StrokePoint& point) {
    pending_ = {};
    last_.reset();
    carried_ = 0.0;
    if (layerBounds_.isEmpty())
        return {};
    if (hardTip_)
        pencilLine(pixelOf(point), pixelOf(point), point.pressure);
    else
        dabAt(point);
    last_ = point;
    return pending_;
}

Rect PaintStroke::lineTo(const StrokePoint& point) {
    if (!last_)
        return begin(point);
    pending_ = {};
    const StrokePoint from = *last_;
    if (hardTip_) {
        pencilLine(pixelOf(from), pixelOf(point), point.pressure);
        last_ = point;
        return pending_;
    }
    // Dabs every `step` pixels along the path, counting on from the last dab of the stroke.
    const double dx = point.x - from.x, dy = point.y - from.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    double distance = 0.0;
    while (true) {
        const double scale =
            params_.pressureSize ? std::clamp(from.pressure + (point.pressure - from.pressure) * (length > 0 ? distance / length : 1.0), 0.0, 1.0) : 1.0;
        const double step = std::max(1.0, params_.size * scale * params_.spacing / 100.0);
        const double next = distance + (step - carried_);
        if (next > length) {
            carried_ += length - distance;
            break;
        }
        distance = next;
        carried_ = 0.0;
        const double t = length > 0 ? distance / length : 1.0;
        dabAt({from.x + dx * t, from.y + dy * t, from.pressure + (point.pressure - from.pressure) * t});
    }
    last_ = point;
    return pending_;
}

} // namespace pict
