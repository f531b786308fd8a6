#include "surface/RasterSurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pict {
namespace {

TEST(SurfaceCreate, RefusesBadSizesAndDepthsAndStaysEmpty) {
    Surface24 s;
    ASSERT_TRUE(s.create(4, 4));
    EXPECT_FALSE(s.create(0, 10, 24));
    EXPECT_TRUE(s.isEmpty());
    AnySurface any;
    EXPECT_FALSE(any.create(10, 10, 12));
    EXPECT_TRUE(any.isEmpty());
    EXPECT_FALSE(any.create(10, -1, 8));
}

TEST(SurfaceCreate, DefaultPalettes) {
    Surface8 gray;
    ASSERT_TRUE(gray.create(3, 3, 8));
    ASSERT_EQ(gray.paletteCount(), 256);
    EXPECT_EQ(gray.palette()->at(0), 0x000000u);
    EXPECT_EQ(gray.palette()->at(200), 0xC8C8C8u);

    Surface8 few;
    ASSERT_TRUE(few.create(3, 3, 8, 16));
    ASSERT_EQ(few.paletteCount(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(few.palette()->at(i), 0u);

    Surface4 sixteen;
    ASSERT_TRUE(sixteen.create(3, 3, 4));
    ASSERT_EQ(sixteen.paletteCount(), 16);
    EXPECT_EQ(sixteen.palette()->at(1), 0x000080u);  // dark blue
    EXPECT_EQ(sixteen.palette()->at(4), 0x800000u);  // dark red
    EXPECT_EQ(sixteen.palette()->at(7), 0xC0C0C0u);
    EXPECT_EQ(sixteen.palette()->at(12), 0xFF0000u); // red
    EXPECT_EQ(sixteen.palette()->at(99), 0u);        // out of range reads black

    Surface1 mono;
    ASSERT_TRUE(mono.create(1, 1, 1));
    EXPECT_EQ(mono.stride(), 4);
    EXPECT_EQ(mono.palette()->at(1), 0xFFFFFFu);
}

TEST(SurfaceCreate, SixteenBitLayouts) {
    Surface16 s;
    ASSERT_TRUE(s.create(2, 2, 15));
    EXPECT_EQ(s.depth(), 16);
    EXPECT_FALSE(s.isBitFields());
    EXPECT_EQ(s.masks()[kRed], 0x7C00u);
    EXPECT_EQ(s.masks()[kGreen], 0x03E0u);
    EXPECT_EQ(s.masks()[kBlue], 0x001Fu);
    EXPECT_EQ(s.buffer()->loss[kRed], 3);
    EXPECT_EQ(s.buffer()->shift[kRed], 10);

    ASSERT_TRUE(s.create(2, 2, 16, 0, true));
    EXPECT_TRUE(s.isBitFields());
    EXPECT_EQ(s.masks()[kRed], 0xF800u);
    EXPECT_EQ(s.masks()[kGreen], 0x07E0u);
    EXPECT_EQ(s.buffer()->loss[kGreen], 2);
    EXPECT_EQ(s.masks()[kBlue], 0x001Fu);
}

TEST(SurfaceLayout, StrideAndBottomUpRows) {
    Surface24 s;
    ASSERT_TRUE(s.create(3, 5));
    EXPECT_EQ(s.stride(), 12);
    EXPECT_EQ(s.imageSize(), 60);
    EXPECT_EQ(s.row(0), s.buffer()->bits + 4 * 12); // the top row is stored last
    EXPECT_EQ(s.row(4), s.buffer()->bits);
    EXPECT_EQ(s.bounds(), (Rect{0, 0, 3, 5}));
}

TEST(SurfaceOwnership, AttachRefusalKeepsTheOldBuffer) {
    Surface24 color;
    ASSERT_TRUE(color.create(2, 2));
    const SurfaceBuffer* before = color.buffer();
    Surface8 mask;
    ASSERT_TRUE(mask.create(2, 2, 8));
    EXPECT_FALSE(color.attach(mask.detach()));
    EXPECT_EQ(color.buffer(), before);
    EXPECT_TRUE(color.attach(nullptr));
    EXPECT_TRUE(color.isEmpty());
}

TEST(SurfaceOwnership, SwapChecksBothClasses) {
    Surface24 a, b;
    ASSERT_TRUE(a.create(2, 2));
    ASSERT_TRUE(b.create(5, 5));
    EXPECT_TRUE(a.swap(b));
    EXPECT_EQ(a.width(), 5);
    Surface8 m;
    ASSERT_TRUE(m.create(1, 1, 8));
    EXPECT_FALSE(a.swap(m));
    EXPECT_EQ(a.width(), 5);
    EXPECT_EQ(m.width(), 1);
}

TEST(SurfaceOwnership, CloneIsDeepAndCreateLikeOfEmptyKeepsTarget) {
    Surface8 m;
    ASSERT_TRUE(m.create(3, 2, 8));
    m.setValueAt(2, 1, 77);
    Surface8 copy = m.clone();
    m.setValueAt(2, 1, 5);
    EXPECT_EQ(copy.valueAt(2, 1), 77);
    EXPECT_EQ(copy.paletteCount(), 256);

    Surface8 empty;
    EXPECT_TRUE(copy.createLike(empty));
    EXPECT_EQ(copy.width(), 3);
}

TEST(SurfaceHeaderCreate, HeaderSizesAndShortInput) {
    uint8_t block[124 + 16] = {};
    SurfaceHeader h;
    h.width = 4;
    h.height = -3;
    h.bitCount = 32;
    h.compression = kCompressionBitFields;
    for (uint32_t size : {40u, 56u, 108u, 124u}) {
        h.size = size;
        std::memcpy(block, &h, sizeof h);
        const uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
        std::memcpy(block + 40, masks, sizeof masks);
        AnySurface s;
        EXPECT_TRUE(s.createFromHeader(block, sizeof block)) << size;
        EXPECT_EQ(s.height(), 3);
        EXPECT_EQ(s.masks()[kAlpha], size == 40 ? 0u : 0xFF000000u) << size;
    }
    h.size = 64;
    std::memcpy(block, &h, sizeof h);
    AnySurface s;
    EXPECT_FALSE(s.createFromHeader(block, sizeof block));
    h.size = 40;
    std::memcpy(block, &h, sizeof h);
    EXPECT_FALSE(s.createFromHeader(block, 45)); // masks cut off
}

TEST(SurfaceHeaderCreate, RunLengthHeadersGiveUncompressedBuffers) {
    uint8_t block[40 + 1024] = {};
    SurfaceHeader h;
    h.width = 8;
    h.height = 8;
    h.bitCount = 8;
    h.compression = kCompressionRle8;
    std::memcpy(block, &h, sizeof h);
    Surface8 s;
    ASSERT_TRUE(s.createFromHeader(block, sizeof block));
    EXPECT_FALSE(s.isRunLength());
    EXPECT_EQ(s.paletteCount(), 256);
}

// Lowers the pixel memory limit for one test and puts it back however the test ends.
class SurfaceLimit {
public:
    explicit SurfaceLimit(int64_t bytes) : saved_(maxSurfaceBytes()) { setMaxSurfaceBytes(bytes); }
    ~SurfaceLimit() { setMaxSurfaceBytes(saved_); }
    SurfaceLimit(const SurfaceLimit&) = delete;
    SurfaceLimit& operator=(const SurfaceLimit&) = delete;

private:
    int64_t saved_;
};

TEST(SurfaceCreate, HugeRequestsAreRefusedCleanly) {
    SurfaceLimit limit(int64_t(1) << 30);
    Surface24 s;
    EXPECT_FALSE(s.create(30000, 30000));
    EXPECT_TRUE(s.isEmpty());
}

// Copies are allocations like any other: a surface made before the limit was lowered cannot
// be duplicated past it, and the failed copy leaves the source alone.
TEST(SurfaceCreate, CopiesRespectTheLimit) {
    Surface24 source;
    ASSERT_TRUE(source.create(8, 4)); // 24-byte rows: 96 bytes of pixels
    source.row(3)[5] = 77;
    {
        SurfaceLimit limit(95);
        EXPECT_TRUE(source.clone().isEmpty());
        Surface24 target;
        ASSERT_TRUE(target.create(2, 2));
        target.row(1)[4] = 33;
        EXPECT_FALSE(target.createLike(source));
        EXPECT_EQ(source.row(3)[5], 77);
        // The failed copy keeps what the target held.
        ASSERT_FALSE(target.isEmpty());
        EXPECT_EQ(target.size(), (Size{2, 2}));
        EXPECT_EQ(target.row(1)[4], 33);
    }
    SurfaceLimit exact(96);
    // A surface of another depth refuses the copy and keeps its own pixels as well.
    Surface8 mask;
    ASSERT_TRUE(mask.create(3, 3, 8));
    mask.row(2)[1] = 9;
    EXPECT_FALSE(mask.createLike(source));
    EXPECT_EQ(mask.size(), (Size{3, 3}));
    EXPECT_EQ(mask.row(2)[1], 9);
    const Surface24 copy = source.clone();
    ASSERT_FALSE(copy.isEmpty());
    EXPECT_EQ(copy.row(3)[5], 77);
}

} // namespace
} // namespace pict

namespace pict {
namespace {

TEST(SurfaceMaskValues, IsAllLooksAtEveryPixelButNotThePadding) {
    Surface8 m;
    ASSERT_TRUE(m.create(3, 2, 8)); // stride 4: one padding byte per row
    ASSERT_TRUE(m.fillValue(255));
    EXPECT_TRUE(m.isAll(255));
    m.row(1)[3] = 0; // padding carries no meaning
    EXPECT_TRUE(m.isAll(255));
    m.setValueAt(2, 1, 254);
    EXPECT_FALSE(m.isAll(255));
    EXPECT_TRUE(Surface8{}.isAll(255));
}

} // namespace
} // namespace pict
