#include "document/PixelPiece.h"

#include "document/compositing/CompositeCache.h"
#include "document/Layer.h"
#include "document/SurfaceCopies.h"
#include "surface/BlendModes.h"

#include <algorithm>
#include <new>

namespace pict {

namespace {

// The part of source inside rect. All of it is shared instead of copied: copying a whole photo
// then costs no pixel on the user-interface thread, and whichever side is written to first
// takes its own copy.
template <class S>
bool takePart(const S& source, const Rect& rect, S& part) {
    if (rect == source.bounds())
        return part.shareFrom(source);
    return extractRect(source, rect, part);
}

// Takes rect (source coordinates) of color and alpha (null: opaque) into the piece.
bool takeRect(const Surface24& color, const Surface8* alpha, const Rect& rect, PixelPiece& piece) {
    Surface24 colorPart;
    Surface8 alphaPart;
    if (!takePart(color, rect, colorPart))
        return false;
    if (alpha) {
        if (!takePart(*alpha, rect, alphaPart))
            return false;
    } else if (!alphaPart.create(colorPart.width(), colorPart.height(), 8) || !alphaPart.fillValue(255)) {
        return false;
    }
    piece.color = std::move(colorPart);
    piece.alpha = std::move(alphaPart);
    return true;
}

// The piece's transparency times the selection's coverage over the part both cover; the rest
// of the piece (outside the selection's bounds) becomes transparent.
void multiplyCoverage(Surface8& alpha, Point origin, const SelectionArea& selection) {
    const Rect pieceRect = Rect::fromPointSize(origin, alpha.size());
    const Rect shared = pieceRect.intersected(selection.bounds);
    for (int32_t y = 0; y < alpha.height(); ++y) {
        uint8_t* row = alpha.row(y);
        const int32_t canvasY = origin.y + y;
        if (canvasY < shared.top || canvasY >= shared.bottom) {
            std::fill(row, row + alpha.width(), uint8_t(0));
            continue;
        }
        const uint8_t* coverage = selection.coverage->row(canvasY - selection.bounds.top);
        const int32_t left = shared.left - origin.x;
        const int32_t right = shared.right - origin.x;
        std::fill(row, row + left, uint8_t(0));
        for (int32_t x = left; x < right; ++x)
            row[x] = coveredAlpha(row[x], coverage[x + origin.x - selection.bounds.left]);
        std::fill(row + right, row + alpha.width(), uint8_t(0));
    }
}

} // namespace

bool liftLayerPixels(const RasterLayer& layer, const SelectionArea& selection, PixelPiece& piece) {
    if (layer.color().isEmpty())
        return false;
    try {
        const Rect local = selection.isEmpty() ? layer.localBounds() : layer.selectionInLayer(selection);
        if (local.isEmpty())
            return false;
        PixelPiece lifted;
        if (!takeRect(layer.color(), layer.transparencyMask(), local, lifted))
            return false;
        lifted.origin = {local.left + layer.x(), local.top + layer.y()};
        if (!selection.isEmpty())
            multiplyCoverage(lifted.alpha, lifted.origin, selection);
        piece = std::move(lifted);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool liftCompositePixels(const CompositeCache& composite, const SelectionArea& selection, PixelPiece& piece) {
    const Rect canvas = Rect::fromSize(composite.size());
    const Rect rect = selection.isEmpty() ? canvas : selection.bounds.intersected(canvas);
    if (rect.isEmpty())
        return false;
    try {
        PixelPiece lifted;
        if (!takeRect(composite.color(), &composite.alpha(), rect, lifted))
            return false;
        lifted.origin = rect.topLeft();
        if (!selection.isEmpty())
            multiplyCoverage(lifted.alpha, lifted.origin, selection);
        piece = std::move(lifted);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void maskPieceBySelection(PixelPiece& piece, const SelectionArea& selection) {
    if (piece.isEmpty() || selection.isEmpty())
        return;
    multiplyCoverage(piece.alpha, piece.origin, selection);
}

Rect dropPieceOnLayer(const PixelPiece& piece, RasterLayer& layer) {
    const Rect area = piece.canvasRect().intersected(layer.canvasRect());
    if (area.isEmpty() || piece.alpha.size() != piece.color.size())
        return {};
    Surface8* mask = layer.transparencyMask();
    const int32_t width = area.width();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint8_t* source = piece.color.row(y - piece.origin.y) + 3 * int64_t(area.left - piece.origin.x);
        const uint8_t* sourceAlpha = piece.alpha.row(y - piece.origin.y) + (area.left - piece.origin.x);
        uint8_t* target = layer.color().row(y - layer.y()) + 3 * int64_t(area.left - layer.x());
        if (mask) {
            uint8_t* targetAlpha = mask->row(y - layer.y()) + (area.left - layer.x());
            for (int32_t x = 0; x < width; ++x)
                if (sourceAlpha[x] != 0)
                    compositePixel<kBlendNormal>(target + 3 * x, targetAlpha[x], source + 3 * x, sourceAlpha[x]);
        } else {
            for (int32_t x = 0; x < width; ++x)
                for (int32_t c = 0; c < 3; ++c)
                    target[3 * x + c] = mixOverOpaque(target[3 * x + c], source[3 * x + c], sourceAlpha[x]);
        }
    }
    return area;
}

} // namespace pict
