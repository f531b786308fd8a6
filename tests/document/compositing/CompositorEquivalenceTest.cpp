// The span compositor against the plain per-pixel description: for every pixel, the lowest
// covering entry starts the color and alpha, every later covering entry is added with
// composite(), and the color is written only where the alpha ends above 0. Randomised
// stacks must give identical bytes.
#include "document/compositing/Compositor.h"
#include "support/DocumentFixtures.h"
#include "surface/BlendModes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pict {
namespace {

void referenceComposite(const std::vector<CompositeEntry>& entries, Surface24& color, Surface8& alpha,
                        const Rect& rect) {
    const Rect area = color.bounds().intersected(rect);
    for (int32_t y = area.top; y < area.bottom; ++y)
        for (int32_t x = area.left; x < area.right; ++x) {
            uint8_t c[3] = {0, 0, 0};
            uint8_t a = 0;
            bool started = false;
            for (const CompositeEntry& entry : entries) {
                if (!entry.rect.contains(x, y))
                    continue;
                const RasterLayer& layer = *entry.layer;
                const int32_t lx = x - entry.offset.x;
                const int32_t ly = y - entry.offset.y;
                if (!started) {
                    std::memcpy(c, layer.colorAt(lx, ly), 3);
                    a = layer.alphaAt(lx, ly);
                    started = true;
                } else {
                    composite(c, a, layer.colorAt(lx, ly), layer.alphaAt(lx, ly), layer.blendMode());
                }
            }
            alpha.setValueAt(x, y, a);
            if (a != 0)
                std::memcpy(color.row(y) + 3 * x, c, 3);
        }
}

class RandomStacks {
public:
    explicit RandomStacks(uint32_t seed) : random_(seed) {}

    int32_t between(int32_t low, int32_t high) { return std::uniform_int_distribution<int32_t>(low, high)(random_); }
    bool chance(int32_t percent) { return between(0, 99) < percent; }
    uint8_t byte() { return uint8_t(between(0, 255)); }

    // Extreme values come up often: they are where the fast paths and the formulas' edges are.
    uint8_t edgyByte() {
        switch (between(0, 5)) {
        case 0:
            return 0;
        case 1:
            return 255;
        case 2:
            return uint8_t(between(126, 129));
        default:
            return byte();
        }
    }

    Surface24 noise(Size size) {
        Surface24 surface;
        surface.create(size.width, size.height, 24);
        const bool flat = chance(20);
        const uint8_t base[3] = {edgyByte(), edgyByte(), edgyByte()};
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < 3 * size.width; ++x)
                surface.row(y)[x] = flat ? base[x % 3] : edgyByte();
        return surface;
    }

    Surface8 mask(Size size) {
        Surface8 surface;
        surface.create(size.width, size.height, 8);
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < size.width; ++x)
                surface.setValueAt(x, y, edgyByte());
        return surface;
    }

    // A stack of up to seven layers on the canvas; modes are dealt from `nextMode` on so that
    // a run of stacks goes through all of them.
    void fill(Document& document, int32_t& nextMode) {
        const Size canvas = document.canvasSize();
        LayerStack& stack = document.layers();
        const int32_t count = between(1, 7);
        for (int32_t i = 0; i < count; ++i) {
            const Size size{between(1, canvas.width + 8), between(1, canvas.height + 8)};
            const bool background = i == 0 && chance(40);
            const Point position = background ? Point{} : Point{between(-size.width, canvas.width),
                                                               between(-size.height, canvas.height)};
            auto layer = RasterLayer::createFromSurface(&stack, noise(background ? canvas : size), background);
            ASSERT_TRUE(layer);
            layer->setPosition(position);
            if (chance(50)) {
                ASSERT_TRUE(layer->setTransparencyMask(mask(layer->size())));
            }
            layer->setBlendMode(nextMode);
            nextMode = (nextMode + 1) % kBlendModeCount;
            layer->setOpacity(chance(40) ? 255 : chance(10) ? 0 : edgyByte());
            layer->setVisible(!chance(15));
            ASSERT_TRUE(stack.insert(std::move(layer), stack.count()));
        }
    }

private:
    std::mt19937 random_;
};

// Runs both compositors over the same starting bytes and compares every byte.
void expectSameComposite(const std::vector<CompositeEntry>& entries, Size size, const Rect& rect, RandomStacks& random,
                         const std::string& what) {
    Surface24 spanColor = random.noise(size);
    Surface8 spanAlpha = random.mask(size);
    Surface24 referenceColor = spanColor.clone();
    Surface8 referenceAlpha = spanAlpha.clone();
    const bool composed = compositeEntries(entries, spanColor, spanAlpha, rect);
    ASSERT_EQ(composed, !size.isEmpty() && !Rect::fromSize(size).intersected(rect).isEmpty()) << what;
    referenceComposite(entries, referenceColor, referenceAlpha, rect);
    for (int32_t y = 0; y < size.height; ++y) {
        ASSERT_EQ(std::memcmp(spanAlpha.row(y), referenceAlpha.row(y), size_t(size.width)), 0)
            << what << ", alpha row " << y;
        for (int32_t x = 0; x < size.width; ++x)
            ASSERT_EQ(std::memcmp(spanColor.row(y) + 3 * x, referenceColor.row(y) + 3 * x, 3), 0)
                << what << ", color at (" << x << ", " << y << ")";
    }
}

// Deals `rounds` random stacks, on canvases whose sides are drawn from `smallest` up to
// `largest`, and hands each to `check`; stops at the first fatal failure.
template <typename Check>
void forEachRandomStack(uint32_t seed, int32_t firstMode, int32_t rounds, Size smallest, Size largest,
                        Check check) {
    RandomStacks random(seed);
    int32_t nextMode = firstMode;
    for (int32_t round = 0; round < rounds; ++round) {
        auto document = test::bareDocument(random.between(smallest.width, largest.width),
                                           random.between(smallest.height, largest.height));
        random.fill(*document, nextMode);
        check(*document, random, "round " + std::to_string(round));
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST(CompositorEquivalence, WholeStacksOnTheCanvas) {
    const auto wholeCanvas = [](Document& document, RandomStacks& random, const std::string& what) {
        const CompositeEntries entries = buildEntries(document.layers());
        expectSameComposite(entries.entries, document.canvasSize(), document.canvasRect(), random, what);
    };
    forEachRandomStack(20240611, 0, 400, {1, 1}, {40, 30}, wholeCanvas);
}

TEST(CompositorEquivalence, PartialRectangles) {
    const auto partial = [](Document& document, RandomStacks& random, const std::string& what) {
        const Size canvas = document.canvasSize();
        const Rect rect{random.between(-5, canvas.width), random.between(-5, canvas.height),
                        random.between(-5, canvas.width + 5), random.between(-5, canvas.height + 5)};
        const CompositeEntries entries = buildEntries(document.layers());
        expectSameComposite(entries.entries, canvas, rect, random, what);
    };
    forEachRandomStack(77, 5, 300, {4, 4}, {40, 30}, partial);
}

TEST(CompositorEquivalence, MergeTargetsOffTheCanvasOrigin) {
    const auto mergeTarget = [](Document& document, RandomStacks& random, const std::string& what) {
        std::vector<const Layer*> list;
        for (int32_t i = 0; i < document.layers().count(); ++i)
            if (random.chance(70))
                list.push_back(document.layers().layerAt(i));
        const CompositeEntries entries = buildEntries(document.layers(), list);
        if (entries.entries.empty())
            return;
        const Size target = entries.target.size();
        expectSameComposite(entries.entries, target, Rect::fromSize(target), random, what);
    };
    forEachRandomStack(4242, 11, 200, {1, 1}, {30, 30}, mergeTarget);
}

TEST(CompositorEquivalence, EveryModeOverEveryKindOfBackdrop) {
    // Two layers per mode: a backdrop that is opaque, half transparent or masked, and a
    // source with a mask, so that every kernel variant runs at least once.
    RandomStacks random(9);
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        for (int32_t backdrop = 0; backdrop < 3; ++backdrop) {
            auto document = test::bareDocument(16, 16);
            LayerStack& stack = document->layers();
            auto lower = RasterLayer::createFromSurface(&stack, random.noise({16, 16}), false);
            if (backdrop == 1)
                lower->setOpacity(100);
            if (backdrop == 2)
                lower->setTransparencyMask(random.mask({16, 16}));
            stack.insert(std::move(lower), 0);
            auto upper = RasterLayer::createFromSurface(&stack, random.noise({12, 12}), false);
            upper->setPosition({2, 3});
            upper->setBlendMode(mode);
            upper->setOpacity(random.byte());
            upper->setTransparencyMask(random.mask({12, 12}));
            stack.insert(std::move(upper), 1);
            auto top = RasterLayer::createFromSurface(&stack, random.noise({8, 16}), false);
            top->setBlendMode(mode);
            stack.insert(std::move(top), 2);
            expectSameComposite(buildEntries(stack).entries, {16, 16}, {0, 0, 16, 16}, random,
                                std::string(blendModeName(mode)) + " over backdrop " + std::to_string(backdrop));
            if (HasFatalFailure())
                return;
        }
}

} // namespace
} // namespace pict
