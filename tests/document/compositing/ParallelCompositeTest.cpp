// The compositor on one thread against four, over overlapping layers in several modes.
#include "document/compositing/CompositeCache.h"
#include "document/compositing/Compositor.h"
#include "support/DocumentFixtures.h"
#include "support/ThreadCounts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace pict {
namespace {

struct Composite {
    Surface24 color;
    Surface8 alpha;
};

Composite compose() {
    auto document = test::whiteDocument(140, 90);
    std::mt19937 random(17);
    const int32_t modes[] = {kBlendNormal, 1, 3, 12, 15, 18};
    int32_t index = 0;
    for (const Rect rect : {Rect{-20, 5, 100, 70}, Rect{30, -10, 160, 50}, Rect{10, 40, 90, 120},
                            Rect{60, 20, 80, 85}, Rect{0, 0, 140, 90}, Rect{5, 5, 135, 85}}) {
        RasterLayer* layer = test::addColorLayer(*document, "L", rect, uint8_t(random()), uint8_t(random()),
                                                 uint8_t(random()));
        Surface24& color = layer->color();
        for (int32_t y = 0; y < color.height(); ++y)
            for (int32_t x = 0; x < color.width() * 3; ++x)
                color.row(y)[x] = uint8_t(random());
        layer->setBlendMode(modes[index]);
        layer->setOpacity(uint8_t(120 + 20 * index));
        ++index;
    }
    const CompositeEntries entries = buildEntries(document->layers());
    Composite out;
    EXPECT_TRUE(out.color.create(140, 90, 24));
    EXPECT_TRUE(out.alpha.create(140, 90, 8));
    EXPECT_TRUE(compositeEntries(entries.entries, out.color, out.alpha, Rect{0, 0, 140, 90}));
    return out;
}

TEST(ParallelComposite, LayersInSeveralModesGiveTheSameBytes) {
    const auto result = test::onOneAndFourThreads(compose);
    for (int32_t y = 0; y < 90; ++y) {
        ASSERT_EQ(std::memcmp(result.one.color.row(y), result.four.color.row(y), 140 * 3), 0) << "row " << y;
        ASSERT_EQ(std::memcmp(result.one.alpha.row(y), result.four.alpha.row(y), 140), 0) << "row " << y;
    }
}

} // namespace
} // namespace pict
