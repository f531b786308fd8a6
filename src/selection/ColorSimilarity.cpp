// SelectionMask::growOrSimilar and the colour range behind it.
#include "selection/ColorSimilarity.h"

#include "selection/MaskRegions.h"
#include "selection/SelectionMask.h"

#include <algorithm>
#include <new>
#include <vector>

namespace pict {

bool SampledImage::isUsable(int32_t canvasWidth, int32_t canvasHeight) const {
    if (!color || !color->isValid() || color->width() != canvasWidth || color->height() != canvasHeight)
        return false;
    return !alpha || (alpha->isValid() && alpha->width() == canvasWidth && alpha->height() == canvasHeight);
}

void ColorRange::widen(int32_t tolerance) {
    const int32_t t = std::clamp(tolerance, 0, 255);
    for (int c = 0; c < 3; ++c) {
        minimum[c] = static_cast<uint8_t>(std::max(minimum[c] - t, 0));
        maximum[c] = static_cast<uint8_t>(std::min(maximum[c] + t, 255));
    }
}

namespace {

// Which pixels may join, decided once per run from the seeds.
enum class Admission {
    InRange,           // no alpha plane: the colour decides
    OpaqueInRange,     // some seed is visible: visible pixels of a matching colour
    Transparent,       // every seed is transparent: transparent pixels, whatever their colour
};

struct SeedSummary {
    ColorRange range;
    int64_t opaque = 0;
    int64_t transparent = 0;
};

// Whether any byte of the row reaches level: a plain reduction the compiler vectorizes, so
// the rows without seeds (nearly all of them for a click) are passed over quickly.
bool anyAtLeast(const uint8_t* row, int32_t width, uint8_t level) {
    uint8_t hit = 0;
    for (int32_t x = 0; x < width; ++x)
        hit |= uint8_t(row[x] >= level);
    return hit != 0;
}

SeedSummary collectSeeds(const Surface8& coverage, const SampledImage& image) {
    SeedSummary seeds;
    const int32_t width = coverage.width();
    for (int32_t y = 0; y < coverage.height(); ++y) {
        const uint8_t* cover = coverage.row(y);
        if (!anyAtLeast(cover, width, kSeedCoverage))
            continue;
        const uint8_t* color = image.color->row(y);
        const uint8_t* alpha = image.alpha ? image.alpha->row(y) : nullptr;
        for (int32_t x = 0; x < width; ++x) {
            if (cover[x] < kSeedCoverage)
                continue;
            if (alpha && alpha[x] == 0) {
                ++seeds.transparent;
                continue;
            }
            seeds.range.include(color + 3 * x);
            ++seeds.opaque;
        }
    }
    return seeds;
}

// Which pixels of one row may join. Built once per row, so the pixel tests read straight
// from the row's bytes.
template <Admission Rule>
struct RowAdmits {
    const uint8_t* color;
    const uint8_t* alpha; // null without an alpha plane
    const ColorRange& range;

    RowAdmits(const SampledImage& image, const ColorRange& colors, int32_t y)
        : color(image.color->row(y)), alpha(image.alpha ? image.alpha->row(y) : nullptr), range(colors) {}

    bool operator()(int32_t x) const {
        if constexpr (Rule == Admission::Transparent)
            return alpha[x] == 0;
        else if constexpr (Rule == Admission::OpaqueInRange)
            return alpha[x] != 0 && range.contains(color + 3 * x);
        else
            return range.contains(color + 3 * x);
    }
};

template <Admission Rule>
void selectSimilar(Surface8& coverage, const SampledImage& image, const ColorRange& range) {
    const int32_t width = coverage.width();
    for (int32_t y = 0; y < coverage.height(); ++y) {
        const RowAdmits<Rule> admits(image, range, y);
        uint8_t* cover = coverage.row(y);
        for (int32_t x = 0; x < width; ++x)
            if (admits(x))
                cover[x] = 255;
    }
}

// 4-connected flood from every seed at once over the admitted pixels. Every seed is itself
// admitted (the range was built from them), so the result is each seed's whole connected
// region. Runs of a row are taken at a time from an explicit stack of run starts; nothing
// recurses, whatever the size of the region. The coverage changes only once the flood has
// finished, so running out of memory part-way adds nothing.
template <Admission Rule>
bool growFromSeeds(Surface8& coverage, const SampledImage& image, const ColorRange& range) {
    const int32_t width = coverage.width();
    const int32_t height = coverage.height();
    Surface8 visited;
    if (!createMask(visited, coverage.size()))
        return false;
    try {
        std::vector<Point> pending;
        // Pushes the start of every admitted, unvisited run of row y within [left, right).
        auto queueRuns = [&](int32_t y, int32_t left, int32_t right) {
            const uint8_t* seen = visited.row(y);
            const RowAdmits<Rule> admits(image, range, y);
            int32_t x = left;
            while (x < right) {
                while (x < right && (seen[x] || !admits(x)))
                    ++x;
                if (x >= right)
                    break;
                pending.push_back({x, y});
                while (x < right && !seen[x] && admits(x))
                    ++x;
            }
        };
        for (int32_t sy = 0; sy < height; ++sy) {
            const uint8_t* cover = coverage.row(sy);
            if (!anyAtLeast(cover, width, kSeedCoverage))
                continue;
            const uint8_t* seenRow = visited.row(sy);
            const uint8_t* alphaRow = image.alpha ? image.alpha->row(sy) : nullptr;
            for (int32_t sx = 0; sx < width; ++sx) {
                // A seed: selected enough and, when some seed is visible, visible itself
                // (when none is, only transparent seeds exist).
                if (seenRow[sx] || cover[sx] < kSeedCoverage)
                    continue;
                if constexpr (Rule == Admission::OpaqueInRange)
                    if (alphaRow[sx] == 0)
                        continue;
                pending.push_back({sx, sy});
                while (!pending.empty()) {
                    const Point p = pending.back();
                    pending.pop_back();
                    uint8_t* seen = visited.row(p.y);
                    if (seen[p.x])
                        continue;
                    const RowAdmits<Rule> admits(image, range, p.y);
                    int32_t left = p.x;
                    int32_t right = p.x + 1;
                    while (left > 0 && !seen[left - 1] && admits(left - 1))
                        --left;
                    while (right < width && !seen[right] && admits(right))
                        ++right;
                    std::fill(seen + left, seen + right, uint8_t(1));
                    if (p.y > 0)
                        queueRuns(p.y - 1, left, right);
                    if (p.y + 1 < height)
                        queueRuns(p.y + 1, left, right);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        return false; // the coverage has not been touched yet
    }
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* seen = visited.row(y);
        uint8_t* cover = coverage.row(y);
        for (int32_t x = 0; x < width; ++x)
            cover[x] = seen[x] ? uint8_t(255) : cover[x];
    }
    return true;
}

template <Admission Rule>
bool extendByColor(Surface8& coverage, const SampledImage& image, const ColorRange& range, bool grow) {
    if (grow)
        return growFromSeeds<Rule>(coverage, image, range);
    selectSimilar<Rule>(coverage, image, range);
    return true;
}

} // namespace

bool SelectionMask::growOrSimilar(const SampledImage& image, int32_t tolerance, bool grow) {
    if (isEmpty())
        return true;
    if (!image.isUsable(canvasWidth_, canvasHeight_))
        return false;
    if (!resize(canvasRect()))
        return false;
    const SeedSummary seeds = collectSeeds(coverage_, image);
    bool done = true;
    if (seeds.opaque + seeds.transparent > 0) {
        ColorRange range = seeds.range;
        range.widen(tolerance);
        const Admission rule = !image.alpha ? Admission::InRange
                               : seeds.opaque > 0 ? Admission::OpaqueInRange
                                                  : Admission::Transparent;
        switch (rule) {
        case Admission::InRange:
            done = extendByColor<Admission::InRange>(coverage_, image, range, grow);
            break;
        case Admission::OpaqueInRange:
            done = extendByColor<Admission::OpaqueInRange>(coverage_, image, range, grow);
            break;
        case Admission::Transparent:
            done = extendByColor<Admission::Transparent>(coverage_, image, range, grow);
            break;
        }
    }
    // Widened to the canvas above; shrink back even when the flood could not run.
    return trim() && done;
}

} // namespace pict
