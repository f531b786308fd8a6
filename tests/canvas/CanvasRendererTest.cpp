#include "canvas/CanvasRenderer.h"

#include "surface/RasterSurface.h"

#include <gtest/gtest.h>

#include <functional>

namespace pict {
namespace {

constexpr uint32_t kBg = 0xAAAAAA, kBorder = 0x102030;

Surface24 makeColor(int32_t w, int32_t h, const std::function<uint32_t(int32_t, int32_t)>& rgbAt) {
    Surface24 s;
    EXPECT_TRUE(s.create(w, h, 24));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint32_t rgb = rgbAt(x, y);
            uint8_t* p = s.row(y) + 3 * x;
            p[0] = rgb & 0xFF;
            p[1] = (rgb >> 8) & 0xFF;
            p[2] = (rgb >> 16) & 0xFF;
        }
    return s;
}

Surface8 makeAlpha(int32_t w, int32_t h, const std::function<uint8_t(int32_t, int32_t)>& at) {
    Surface8 s;
    EXPECT_TRUE(s.create(w, h, 8));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            s.row(y)[x] = at(x, y);
    return s;
}

uint32_t rgb(uint32_t pixel) { return pixel & 0xFFFFFF; }
uint32_t gray(uint8_t v) { return uint32_t(v) << 16 | uint32_t(v) << 8 | v; }

// A plain reference for one window pixel, straight from the rules.
uint32_t expectedPixel(const CanvasView& v, const Surface24& color, const Surface8* alpha, int32_t x, int32_t y) {
    Rect img = v.imageWindowRect();
    Rect frame{img.left - 1, img.top - 1, img.right + 1, img.bottom + 1};
    if (!frame.contains(x, y))
        return kBg;
    if (!img.contains(x, y))
        return kBorder;
    Point ip = v.windowToImage({x, y});
    const uint8_t* c = color.row(ip.y) + 3 * ip.x;
    uint8_t a = alpha ? alpha->row(ip.y)[ip.x] : 255;
    uint8_t k = (((x - img.left) / 8 + (y - img.top) / 8) % 2 == 0) ? 255 : 204;
    auto mix = [&](uint8_t ch) { return a == 0 ? k : uint32_t(uint8_t(ch + (((255 - a) * (k - ch)) >> 8))); };
    return mix(c[2]) << 16 | mix(c[1]) << 8 | mix(c[0]);
}

void expectMatchesReference(const ViewBuffer& b, const CanvasView& v, const Surface24& color, const Surface8* alpha) {
    ASSERT_EQ(b.width, v.clientSize().width);
    int mismatches = 0;
    for (int32_t y = 0; y < b.height; ++y)
        for (int32_t x = 0; x < b.width; ++x)
            if (rgb(b.at(x, y)) != expectedPixel(v, color, alpha, x, y) && ++mismatches < 5)
                ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << rgb(b.at(x, y)) << " expected "
                              << expectedPixel(v, color, alpha, x, y);
    EXPECT_EQ(mismatches, 0);
}

CanvasRenderer makeRenderer() {
    CanvasRenderer r;
    r.setColors({Color::fromRgb(kBg), Color::fromRgb(kBorder)});
    return r;
}

TEST(CanvasRenderer, SmallImageIsCentredInsideAOnePixelBorder) {
    Surface24 color = makeColor(5, 3, [](int32_t x, int32_t y) { return 0x010000u * (x * 40) + y; });
    CanvasView view({5, 3}, {12, 9});
    CanvasRenderer r = makeRenderer();
    const ViewBuffer& b = r.render(view, {&color, nullptr});
    // Origin (3, 3): border at columns 2 and 8, rows 2 and 6.
    EXPECT_EQ(rgb(b.at(1, 4)), kBg);
    EXPECT_EQ(rgb(b.at(2, 4)), kBorder);
    EXPECT_EQ(rgb(b.at(2, 2)), kBorder);
    EXPECT_EQ(rgb(b.at(8, 6)), kBorder);
    EXPECT_EQ(rgb(b.at(9, 6)), kBg);
    EXPECT_EQ(rgb(b.at(8, 7)), kBg);
    EXPECT_EQ(rgb(b.at(3, 3)), 0x000000u);
    EXPECT_EQ(rgb(b.at(7, 5)), 0xA00002u);
    EXPECT_EQ(b.at(7, 5) >> 24, 0xFFu) << "pixels are opaque RGB32";
    expectMatchesReference(b, view, color, nullptr);
}

TEST(CanvasRenderer, TransparencyMixesOverTheCheckerboard) {
    Surface24 color = makeColor(32, 32, [](int32_t x, int32_t) { return x < 16 ? 0x000000u : 0x204060u; });
    Surface8 alpha = makeAlpha(32, 32, [](int32_t x, int32_t y) -> uint8_t { return y < 16 ? 0 : x < 16 ? 128 : 255; });
    CanvasView view({32, 32}, {32, 32});
    CanvasRenderer r = makeRenderer();
    const ViewBuffer& b = r.render(view, {&color, &alpha});
    EXPECT_EQ(rgb(b.at(0, 0)), gray(255)) << "fully transparent shows the checker exactly";
    EXPECT_EQ(rgb(b.at(8, 0)), gray(204));
    EXPECT_EQ(rgb(b.at(8, 8)), gray(255));
    // Alpha 128 over the white square: c + ((127 * (255 - c)) >> 8) with c = 0.
    EXPECT_EQ(rgb(b.at(0, 16)), gray(126));
    EXPECT_EQ(rgb(b.at(8, 16)), gray((127 * 204) >> 8));
    EXPECT_EQ(rgb(b.at(20, 20)), 0x204060u) << "opaque keeps its color";
    expectMatchesReference(b, view, color, &alpha);
}

TEST(CanvasRenderer, CheckerSquaresStayEightWindowPixelsAndScrollWithTheImage) {
    Surface24 color = makeColor(400, 400, [](int32_t, int32_t) { return 0u; });
    Surface8 alpha = makeAlpha(400, 400, [](int32_t, int32_t) -> uint8_t { return 0; });
    for (float zoom : {0.25f, 1.0f, 3.0f}) {
        CanvasView view({400, 400}, {64, 48});
        view.setZoom(zoom, false);
        view.scrollTo(5, 3);
        CanvasRenderer r = makeRenderer();
        const ViewBuffer& b = r.render(view, {&color, &alpha});
        expectMatchesReference(b, view, color, &alpha);
    }
}

TEST(CanvasRenderer, NearestNeighbourMatchesTheMappingAtEveryZoom) {
    Surface24 color = makeColor(97, 61, [](int32_t x, int32_t y) { return uint32_t(x * 2) << 16 | uint32_t(y * 3) << 8 | uint32_t((x ^ y) & 0xFF); });
    Surface8 alpha = makeAlpha(97, 61, [](int32_t x, int32_t y) -> uint8_t { return uint8_t(x * 7 + y); });
    for (float zoom : {1.0f / 3, 0.5f, 2.0f / 3, 1.0f, 1.5f, 2.0f, 7.0f, 16.0f}) {
        CanvasView view({97, 61}, {150, 90});
        view.setZoom(zoom, false);
        view.scrollTo(13, 9);
        CanvasRenderer r = makeRenderer();
        SCOPED_TRACE(zoom);
        expectMatchesReference(r.render(view, {&color, &alpha}), view, color, &alpha);
    }
}

TEST(CanvasRenderer, ScrollingShiftsTheCacheAndDrawsOnlyTheExposedStrips) {
    Surface24 color = makeColor(300, 200, [](int32_t x, int32_t y) { return uint32_t(x) << 12 | uint32_t(y); });
    Surface8 alpha = makeAlpha(300, 200, [](int32_t x, int32_t) -> uint8_t { return uint8_t(x); });
    CanvasView view({300, 200}, {100, 80});
    view.setZoom(2, false);
    CanvasRenderer r = makeRenderer();
    r.render(view, {&color, &alpha});
    for (Point step : {Point{7, 0}, Point{0, 5}, Point{-3, 11}, Point{20, -9}, Point{-250, 0}}) {
        view.scrollBy(step.x, step.y);
        const ViewBuffer& b = r.render(view, {&color, &alpha});
        SCOPED_TRACE(testing::Message() << step.x << "," << step.y);
        expectMatchesReference(b, view, color, &alpha);
    }
}

TEST(CanvasRenderer, AScrollDrawsOnlyTheUncoveredStripAndMovesTheRest) {
    Surface24 color = makeColor(300, 200, [](int32_t x, int32_t y) { return uint32_t(x) << 12 | uint32_t(y); });
    CanvasView view({300, 200}, {100, 80});
    CanvasRenderer r = makeRenderer();
    const ViewBuffer before = r.render(view, {&color, nullptr});
    // Paint the source over without telling the renderer: whatever shows the new color
    // afterwards was drawn again, whatever shows the old one came from the cache.
    Surface24 repainted = makeColor(300, 200, [](int32_t, int32_t) { return 0x00FF00u; });
    std::swap(color, repainted);
    view.scrollBy(7, 5);
    const ViewBuffer& after = r.render(view, {&color, nullptr});
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 100; ++x) {
            const bool uncovered = x >= 93 || y >= 75;
            if (uncovered)
                ASSERT_EQ(rgb(after.at(x, y)), 0x00FF00u) << x << "," << y;
            else
                ASSERT_EQ(after.at(x, y), before.at(x + 7, y + 5)) << x << "," << y;
        }
}

TEST(CanvasRenderer, InvalidatedImageRectsAreRedrawn) {
    Surface24 color = makeColor(50, 50, [](int32_t, int32_t) { return 0x111111u; });
    CanvasView view({50, 50}, {60, 60});
    view.setZoom(1.0f / 3, false);
    CanvasRenderer r = makeRenderer();
    r.render(view, {&color, nullptr});
    for (int32_t y = 20; y < 30; ++y)
        for (int32_t x = 10; x < 13; ++x) {
            uint8_t* p = color.row(y) + 3 * x;
            p[0] = p[1] = p[2] = 0xEE;
        }
    EXPECT_TRUE(r.render(view, {&color, nullptr}).pixels.size() > 0);
    EXPECT_TRUE(r.lastChangedRect().isEmpty()) << "nothing was invalidated";
    r.invalidateImageRect({10, 20, 13, 30});
    const ViewBuffer& b = r.render(view, {&color, nullptr});
    EXPECT_FALSE(r.lastChangedRect().isEmpty());
    expectMatchesReference(b, view, color, nullptr);
}

TEST(CanvasRenderer, ColorChangesAndOneByFiveThousandAtMinimumZoom) {
    Surface24 color = makeColor(1, 5000, [](int32_t, int32_t y) { return uint32_t(y & 0xFF); });
    CanvasView view({1, 5000}, {40, 30});
    view.zoomOut();
    EXPECT_EQ(view.zoom(), 1.0f);
    CanvasRenderer r = makeRenderer();
    expectMatchesReference(r.render(view, {&color, nullptr}), view, color, nullptr);
    EXPECT_EQ(rgb(r.buffer().at(18, 0)), kBorder);
    EXPECT_EQ(rgb(r.buffer().at(19, 0)), 0u);
    EXPECT_EQ(rgb(r.buffer().at(19, 29)), 29u);
    EXPECT_EQ(rgb(r.buffer().at(20, 29)), kBorder);
    r.setColors({Color::fromRgb(0x00FF00), Color::fromRgb(kBorder)});
    EXPECT_EQ(rgb(r.render(view, {&color, nullptr}).at(0, 0)), 0x00FF00u);
}

TEST(CanvasRenderer, MismatchedOrMissingSourceDrawsTheCheckerboard) {
    Surface24 wrong = makeColor(3, 3, [](int32_t, int32_t) { return 0x123456u; });
    CanvasView view({16, 16}, {16, 16});
    CanvasRenderer r = makeRenderer();
    const ViewBuffer& b = r.render(view, {&wrong, nullptr});
    EXPECT_EQ(rgb(b.at(0, 0)), gray(255));
    EXPECT_EQ(rgb(b.at(8, 0)), gray(204));
    CanvasView empty({16, 16}, {0, 0});
    EXPECT_TRUE(r.render(empty, {}).pixels.empty());
}

} // namespace
} // namespace pict
