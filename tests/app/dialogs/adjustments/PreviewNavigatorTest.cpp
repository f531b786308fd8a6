#include "app/dialogs/adjustments/PreviewNavigator.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(PreviewNavigatorTest, TheThumbnailKeepsTheDocumentsProportionsCentred) {
    const Rect box = PreviewNavigator::box(300);
    EXPECT_EQ(box, (Rect{180, 0, 300, 120}));
    EXPECT_EQ(PreviewNavigator::thumbnail(box, {400, 100}), (Rect{190, 47, 290, 72})) << "100 x 25, centred vertically";
    EXPECT_EQ(PreviewNavigator::thumbnail(box, {100, 400}), (Rect{227, 10, 252, 110}));
    EXPECT_EQ(PreviewNavigator::thumbnail(box, {50, 50}), (Rect{190, 10, 290, 110}));
    EXPECT_EQ(PreviewNavigator::picture({190, 10, 290, 110}), (Rect{191, 11, 289, 109}));
}

TEST(PreviewNavigatorTest, TheShownPartIsMappedIntoThePicture) {
    const Rect picture{0, 0, 100, 50};
    EXPECT_EQ(PreviewNavigator::shownPart(picture, {400, 200}, {100, 50, 200, 150}), (Rect{25, 13, 50, 38}));
    EXPECT_EQ(PreviewNavigator::shownPart(picture, {400, 200}, {0, 0, 400, 200}), picture) << "all shown";
}

TEST(PreviewNavigatorTest, PicturePointsMapToContentPointsWithinIt) {
    const Rect picture{10, 10, 110, 60};
    EXPECT_EQ(PreviewNavigator::contentAt(picture, {400, 200}, {60, 35}), (Point{200, 100}));
    EXPECT_EQ(PreviewNavigator::contentAt(picture, {400, 200}, {0, 500}), (Point{0, 200})) << "limited to the picture";
}

} // namespace
} // namespace pict
