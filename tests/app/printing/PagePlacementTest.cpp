// Where the printed picture lands: the whole-number factor, the centring and the squeeze.
#include "app/printing/PagePlacement.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace pict {
namespace {

// A page whose printable area is 4800 x 6600 device pixels (600 dpi Letter with 1/4" margins).
constexpr PrinterPage kPage{5100, 6900, 150, 150};

TEST(PagePlacement, SmallPictureAtThreeTimesItsSizeCentred) {
    ASSERT_EQ(kPage.printableWidth(), 4800);
    const PagePlacement p = placeOnPage({1000, 800}, kPage);
    EXPECT_EQ(p.factor, 3); // 3600 / 1000
    EXPECT_EQ(p.destination, (Rect{900, 2100, 3900, 4500}));
}

TEST(PagePlacement, WidePictureSqueezedToThePrintableWidth) {
    const PagePlacement p = placeOnPage({6000, 4000}, kPage);
    EXPECT_EQ(p.factor, 1); // 3600 / 6000 is 0, never reduced
    // Left would be -600, so 0; the 6000 pixels are squeezed into 4800, the height kept.
    EXPECT_EQ(p.destination, (Rect{0, 1300, 4800, 5300}));
}

TEST(PagePlacement, TallNarrowPictureSqueezedVertically) {
    const PagePlacement p = placeOnPage({100, 10000}, kPage);
    EXPECT_EQ(p.factor, 36);
    // 3600 wide, centred; 360000 tall clipped to the printable height.
    EXPECT_EQ(p.destination, (Rect{600, 0, 4200, 6600}));
}

TEST(PagePlacement, ThreeQuartersRoundToTheNearestPixel) {
    // 4802 * 3 / 4 = 3601.5, which rounds to 3602: exactly twice a picture 1801 wide.
    const PrinterPage page{4802, 6000, 0, 0};
    EXPECT_EQ(placeOnPage({1801, 10}, page).factor, 2);
    // 4801 * 3 / 4 = 3600.75 rounds to 3601, not twice 1801.
    EXPECT_EQ(placeOnPage({1801, 10}, {4801, 6000, 0, 0}).factor, 1);
    EXPECT_EQ(placeOnPage({1, 1}, page).factor, 3602);
}

TEST(PagePlacement, OddRemaindersCentreTowardTheTopLeft) {
    const PagePlacement p = placeOnPage({3, 3}, {11, 13, 1, 1}); // printable 9 x 11
    EXPECT_EQ(p.factor, 2);                                      // 7 / 3
    EXPECT_EQ(p.destination, (Rect{1, 2, 7, 8}));                // (9 - 6) / 2, (11 - 6) / 2
}

TEST(PagePlacement, AgreesWithThePlainRuleOnManySizes) {
    for (int32_t w = 1; w < 9000; w += 379)
        for (int32_t h = 1; h < 12000; h += 997) {
            const PagePlacement p = placeOnPage({w, h}, kPage);
            const int32_t f = std::max(3600 / w, 1);
            EXPECT_EQ(p.factor, f);
            const Rect& d = p.destination;
            EXPECT_EQ(d.left, std::max((4800 - w * f) / 2, 0));
            EXPECT_EQ(d.top, std::max((6600 - h * f) / 2, 0));
            EXPECT_EQ(d.width(), std::min(w * f, 4800 - d.left));
            EXPECT_EQ(d.height(), std::min(h * f, 6600 - d.top));
            EXPECT_TRUE((Rect{0, 0, 4800, 6600}).contains(d)) << w << "x" << h;
        }
}

} // namespace
} // namespace pict
