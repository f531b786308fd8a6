#include "canvas/CanvasRenderer.h"

#include "document/compositing/CompositeCache.h"
#include "document/Document.h"
#include "surface/RasterSurface.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

Surface24 solid(int32_t w, int32_t h, uint8_t b, uint8_t g, uint8_t r) {
    Surface24 s;
    EXPECT_TRUE(s.create(w, h, 24));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t* p = s.row(y) + 3 * x;
            p[0] = b, p[1] = g, p[2] = r;
        }
    return s;
}

TEST(CompositeSource, OpaqueDocumentDrawsWithoutTheCheckerboard) {
    Document doc;
    ASSERT_TRUE(doc.newFromSurface("/tmp/a.bmp", solid(20, 10, 0x30, 0x20, 0x10)));
    CompositeSource source = compositeSourceOf(doc);
    ASSERT_NE(source.color, nullptr);
    EXPECT_EQ(source.alpha, nullptr);
    CanvasView view(doc.canvasSize(), {20, 10});
    CanvasRenderer renderer;
    EXPECT_EQ(renderer.render(view, source).at(5, 5) & 0xFFFFFF, 0x102030u);
}

TEST(CompositeSource, TransparentLayerShowsTheCheckerboard) {
    Document doc;
    Surface8 alpha;
    ASSERT_TRUE(alpha.create(16, 16, 8));
    ASSERT_TRUE(alpha.fillValue(0));
    ASSERT_TRUE(doc.newFromSurface("/tmp/a.png", solid(16, 16, 0, 0, 0), std::move(alpha)));
    CompositeSource source = compositeSourceOf(doc);
    ASSERT_NE(source.alpha, nullptr);
    CanvasView view(doc.canvasSize(), {16, 16});
    CanvasRenderer renderer;
    const ViewBuffer& b = renderer.render(view, source);
    EXPECT_EQ(b.at(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(b.at(8, 0) & 0xFFFFFF, 0xCCCCCCu);
    EXPECT_EQ(compositeSourceOf(nullptr).color, nullptr);
}

} // namespace
} // namespace pict
