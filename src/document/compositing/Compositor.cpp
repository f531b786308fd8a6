// The span compositor. The area is cut into horizontal bands between the entries' top and
// bottom edges and each band into runs between their left and right edges, so that within a
// run the same entries cover every pixel. Each run is then composed row by row with one
// kernel call per covering entry, the blend mode, mask presence and the backdrop's opacity
// being template parameters decided once per run.
//
// Two shortcuts give the same bytes as composing every entry:
//  - an opaque Normal entry at opacity 255 turns any backdrop into its own color with alpha
//    255, so composition starts at the highest such entry of a run (the lowest covering
//    entry qualifies whatever its mode, because the starting entry's mode is never applied);
//  - over an opaque backdrop (Da = 255) composite() reduces to
//    (Sa × x) / 255 + ((255 − Sa) × d) / 255 with the alpha staying 255.
#include "document/compositing/Compositor.h"

#include "document/Document.h"
#include "document/Layer.h"
#include "document/LayerStack.h"
#include "surface/BlendModes.h"
#include "surface/PixelThreads.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

namespace pict {

namespace {

// One entry as the kernels need it, clipped to the composed area.
struct PreparedEntry {
    const Surface24* color;
    const Surface8* mask;
    Point offset;
    Rect rect;
    int32_t mode;
    uint8_t opacity;
    bool opaque; // fully opaque: opacity 255 and no mask
};

// The source alpha of a masked pixel: floor(mask × opacity / 255).
inline uint32_t maskedAlpha(uint32_t mask, uint32_t opacity) { return opacity == 255 ? mask : mask * opacity / 255; }

// Over an opaque backdrop a separable mode mixes every channel byte on its own by
// (Sa × x) / 255 + ((255 − Sa) × d) / 255, which is d exactly at Sa = 0 and x exactly at
// Sa = 255. The span is therefore walked as one run of bytes, which the compiler vectorises.
template <int32_t Mode>
void blendChannels(uint8_t* __restrict color, const uint8_t* __restrict source, int64_t bytes) {
    constexpr ChannelBlendFunction f = kChannelBlends[Mode];
    for (int64_t i = 0; i < bytes; ++i)
        color[i] = f(color[i], source[i]);
}

template <int32_t Mode>
void mixChannels(uint8_t* __restrict color, const uint8_t* __restrict source, uint32_t sa, int64_t bytes) {
    constexpr ChannelBlendFunction f = kChannelBlends[Mode];
    for (int64_t i = 0; i < bytes; ++i)
        color[i] = mixOverOpaque(color[i], f(color[i], source[i]), sa);
}

template <int32_t Mode>
void mixChannels(uint8_t* __restrict color, const uint8_t* __restrict source, const uint8_t* __restrict alphas,
                 int64_t bytes) {
    constexpr ChannelBlendFunction f = kChannelBlends[Mode];
    for (int64_t i = 0; i < bytes; ++i)
        color[i] = mixOverOpaque(color[i], f(color[i], source[i]), alphas[i]);
}

// One source alpha per channel byte, for mixChannels.
void spreadMaskedAlphas(const uint8_t* __restrict mask, uint32_t opacity, int32_t count,
                        uint8_t* __restrict alphas) {
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t a = uint8_t(maskedAlpha(mask[i], opacity));
        alphas[3 * i] = a;
        alphas[3 * i + 1] = a;
        alphas[3 * i + 2] = a;
    }
}

// Composites count source pixels onto the target span. OpaqueBackdrop: every target alpha in
// the span is known to be 255 (and stays so). scratch holds 3 × count bytes.
template <int32_t Mode, bool HasMask, bool OpaqueBackdrop>
void compositeSpan(uint8_t* color, uint8_t* alpha, const uint8_t* source, const uint8_t* mask, uint32_t opacity,
                   int32_t count, uint8_t* scratch) {
    if constexpr (OpaqueBackdrop && isSeparableBlendMode(Mode)) {
        const int64_t bytes = 3 * int64_t(count);
        if constexpr (HasMask) {
            spreadMaskedAlphas(mask, opacity, count, scratch);
            mixChannels<Mode>(color, source, scratch, bytes);
        } else if (opacity == 255) {
            blendChannels<Mode>(color, source, bytes);
        } else {
            mixChannels<Mode>(color, source, opacity, bytes);
        }
        return;
    }
    for (int32_t i = 0; i < count; ++i, color += 3, source += 3) {
        const uint32_t sa = HasMask ? maskedAlpha(mask[i], opacity) : opacity;
        if constexpr (OpaqueBackdrop) {
            if (sa == 0)
                continue;
            uint8_t x[3];
            blendPixel<Mode>(color, source, x);
            for (int c = 0; c < 3; ++c)
                color[c] = mixOverOpaque(color[c], x[c], sa);
        } else {
            compositePixel<Mode>(color, alpha[i], source, uint8_t(sa));
        }
    }
}

using SpanKernel = void (*)(uint8_t*, uint8_t*, const uint8_t*, const uint8_t*, uint32_t, int32_t, uint8_t*);

template <int32_t Mode>
constexpr std::array<SpanKernel, 4> kernelsFor() {
    return {compositeSpan<Mode, false, false>, compositeSpan<Mode, false, true>, compositeSpan<Mode, true, false>,
            compositeSpan<Mode, true, true>};
}

template <int32_t... Modes>
constexpr std::array<std::array<SpanKernel, 4>, kBlendModeCount> kernelTable(std::integer_sequence<int32_t, Modes...>) {
    return {kernelsFor<Modes>()...};
}

constexpr auto kSpanKernels = kernelTable(std::make_integer_sequence<int32_t, kBlendModeCount>{});

SpanKernel kernelFor(const PreparedEntry& entry, bool opaqueBackdrop) {
    return kSpanKernels[size_t(entry.mode)][(entry.mask ? 2 : 0) + (opaqueBackdrop ? 1 : 0)];
}

// The starting entry of a run writes its color and alpha directly.
void startSpan(const PreparedEntry& entry, uint8_t* color, uint8_t* alpha, const uint8_t* source,
               const uint8_t* mask, int32_t count) {
    if (!mask) {
        std::memcpy(color, source, size_t(count) * 3);
        std::memset(alpha, entry.opacity, size_t(count));
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        const uint8_t a = uint8_t(maskedAlpha(mask[i], entry.opacity));
        alpha[i] = a;
        if (a != 0)
            std::memcpy(color + 3 * i, source + 3 * i, 3);
    }
}

// A run: the pixels [left, right) of a band, the entry composition starts from (-1 for none)
// and the entries composited over it, in order.
struct Run {
    int32_t left;
    int32_t right;
    int32_t start;
    std::vector<int32_t> over;
};

std::vector<Run> runsForBand(const std::vector<PreparedEntry>& entries, const Rect& area, int32_t top,
                             int32_t bottom) {
    std::vector<int32_t> covering;
    std::vector<int32_t> edges{area.left, area.right};
    for (int32_t i = 0; i < int32_t(entries.size()); ++i) {
        const Rect& r = entries[size_t(i)].rect;
        if (r.top <= top && bottom <= r.bottom) {
            covering.push_back(i);
            edges.push_back(r.left);
            edges.push_back(r.right);
        }
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<Run> runs;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        Run run{edges[e], edges[e + 1], -1, {}};
        std::vector<int32_t> here;
        for (int32_t i : covering) {
            const Rect& r = entries[size_t(i)].rect;
            if (r.left <= run.left && run.right <= r.right)
                here.push_back(i);
        }
        size_t first = 0;
        for (size_t k = here.size(); k-- > 1;) {
            const PreparedEntry& candidate = entries[size_t(here[k])];
            if (candidate.opaque && candidate.mode == kBlendNormal) {
                first = k;
                break;
            }
        }
        if (!here.empty()) {
            run.start = here[first];
            run.over.assign(here.begin() + std::ptrdiff_t(first) + 1, here.end());
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

void composeRow(const std::vector<PreparedEntry>& entries, const Run& run, int32_t y, uint8_t* colorRow,
                uint8_t* alphaRow, uint8_t* scratch) {
    const int32_t count = run.right - run.left;
    uint8_t* color = colorRow + 3 * int64_t(run.left);
    uint8_t* alpha = alphaRow + run.left;
    if (run.start < 0) {
        std::memset(alpha, 0, size_t(count));
        return;
    }
    auto sourceOf = [&](const PreparedEntry& entry, const uint8_t*& source, const uint8_t*& mask) {
        const int32_t ly = y - entry.offset.y;
        const int64_t lx = run.left - entry.offset.x;
        source = entry.color->row(ly) + 3 * lx;
        mask = entry.mask ? entry.mask->row(ly) + lx : nullptr;
    };
    const PreparedEntry& start = entries[size_t(run.start)];
    const uint8_t* source;
    const uint8_t* mask;
    sourceOf(start, source, mask);
    startSpan(start, color, alpha, source, mask, count);
    bool opaqueBackdrop = start.opaque;
    for (int32_t index : run.over) {
        const PreparedEntry& entry = entries[size_t(index)];
        sourceOf(entry, source, mask);
        kernelFor(entry, opaqueBackdrop)(color, alpha, source, mask, entry.opacity, count, scratch);
        // Ea = Da + 255 - Da = 255 under a fully opaque entry, whatever lay below it.
        opaqueBackdrop = opaqueBackdrop || entry.opaque;
    }
}

} // namespace

bool takesPartInComposite(const Layer& layer) {
    return layer.isRaster() && !layer.isEmpty() && layer.isVisible() && layer.opacity() != 0 &&
           !layer.asRaster()->color().isEmpty();
}

CompositeEntries buildEntries(const LayerStack& stack) {
    CompositeEntries result;
    result.target = stack.document() ? stack.document()->canvasRect() : Rect{};
    for (int32_t i = 0; i < stack.count(); ++i) {
        const Layer* layer = stack.layerAt(i);
        if (takesPartInComposite(*layer))
            result.entries.push_back({layer->asRaster(), layer->position(), layer->canvasRect()});
    }
    return result;
}

CompositeEntries buildEntries(const LayerStack& stack, const std::vector<const Layer*>& layers) {
    CompositeEntries result;
    const RasterLayer* background = stack.backgroundLayer();
    bool backgroundTakesPart = false;
    for (const Layer* layer : layers) {
        if (!layer || !takesPartInComposite(*layer))
            continue;
        result.entries.push_back({layer->asRaster(), layer->position(), layer->canvasRect()});
        result.target = result.target.united(layer->canvasRect());
        backgroundTakesPart = backgroundTakesPart || layer == background;
    }
    if (backgroundTakesPart)
        result.target = background->localBounds();
    for (CompositeEntry& entry : result.entries) {
        entry.offset = {entry.offset.x - result.target.left, entry.offset.y - result.target.top};
        entry.rect = entry.rect.translated(-result.target.left, -result.target.top);
    }
    return result;
}

bool compositeEntries(const std::vector<CompositeEntry>& entries, Surface24& color, Surface8& alpha,
                      const Rect& rect) {
    const Rect area = color.bounds().intersected(rect);
    if (area.isEmpty() || !alpha.isValid() || alpha.size() != color.size())
        return false;
    try {
        std::vector<PreparedEntry> prepared;
        std::vector<int32_t> rowEdges{area.top, area.bottom};
        for (const CompositeEntry& entry : entries) {
            const Rect clipped = entry.rect.intersected(area);
            if (clipped.isEmpty() || !entry.layer || !isBlendMode(entry.layer->blendMode()))
                continue;
            const RasterLayer& layer = *entry.layer;
            prepared.push_back({&layer.color(), layer.transparencyMask(), entry.offset, clipped, layer.blendMode(),
                                layer.opacity(), layer.isFullyOpaque()});
            rowEdges.push_back(clipped.top);
            rowEdges.push_back(clipped.bottom);
        }
        std::sort(rowEdges.begin(), rowEdges.end());
        rowEdges.erase(std::unique(rowEdges.begin(), rowEdges.end()), rowEdges.end());
        color.ensureOwnPixels();
        alpha.ensureOwnPixels();

        for (size_t band = 0; band + 1 < rowEdges.size(); ++band) {
            const int32_t top = rowEdges[band];
            const int32_t bottom = rowEdges[band + 1];
            const std::vector<Run> runs = runsForBand(prepared, area, top, bottom);
            // Rows are independent; each strip has its own scratch for the masked spans.
            forEachStrip(top, bottom, int64_t(area.width()) * int64_t(prepared.size()),
                         [&](int32_t stripTop, int32_t stripBottom) {
                             std::vector<uint8_t> scratch(3 * size_t(area.width()));
                             for (int32_t y = stripTop; y < stripBottom; ++y) {
                                 uint8_t* colorRow = color.row(y);
                                 uint8_t* alphaRow = alpha.row(y);
                                 for (const Run& run : runs)
                                     composeRow(prepared, run, y, colorRow, alphaRow, scratch.data());
                             }
                         });
        }
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace pict
