#include "support/DocumentFixtures.h"
#include "document/AlphaChannel.h"
#include "document/MaskCombine.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

std::unique_ptr<AlphaChannel> channel(const std::string& name, uint8_t value, Size size = {4, 3}) {
    return std::make_unique<AlphaChannel>(name, test::solidMask(size.width, size.height, value));
}

TEST(AlphaChannelList, InsertAppendsOrPlacesBefore) {
    AlphaChannelList list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.at(0), nullptr);
    ASSERT_TRUE(list.insert(channel("A", 1)));
    ASSERT_TRUE(list.insert(channel("B", 2), 5));  // beyond the count: appended
    ASSERT_TRUE(list.insert(channel("C", 3), 0));  // before A
    ASSERT_TRUE(list.insert(channel("D", 4), -3)); // negative: appended
    ASSERT_TRUE(list.insert(channel("E", 5), 2));  // before B
    ASSERT_EQ(list.count(), 5);
    const char* expected[] = {"C", "A", "E", "B", "D"};
    for (int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(list.at(i)->name(), expected[i]);
    EXPECT_EQ(list.at(-1), nullptr);
    EXPECT_EQ(list.at(5), nullptr);
    EXPECT_EQ(list.indexOf(list.at(3)), 3);
    EXPECT_TRUE(list.contains(list.at(4)));
    AlphaChannel outsider("X", test::solidMask(1, 1, 0));
    EXPECT_EQ(list.indexOf(&outsider), -1);
    EXPECT_FALSE(list.insert(nullptr));
}

TEST(AlphaChannelList, AChannelIsHeldOnce) {
    AlphaChannelList list;
    ASSERT_TRUE(list.insert(channel("A", 1)));
    EXPECT_FALSE(list.insert(std::unique_ptr<AlphaChannel>(list.at(0))));
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.at(0)->name(), "A"); // still alive and owned once
}

TEST(AlphaChannelList, RemoveDestroysEraseHandsBack) {
    AlphaChannelList list;
    list.insert(channel("A", 1));
    list.insert(channel("B", 2));
    list.insert(channel("C", 3));
    AlphaChannel* b = list.at(1);
    std::unique_ptr<AlphaChannel> erased = list.eraseAt(1);
    EXPECT_EQ(erased.get(), b);
    EXPECT_EQ(list.count(), 2);
    EXPECT_TRUE(list.removeAt(0));
    EXPECT_EQ(list.at(0)->name(), "C");
    EXPECT_FALSE(list.removeAt(3));
    EXPECT_EQ(list.eraseAt(-1), nullptr);
    // The erased channel can go back (undo of a removal).
    EXPECT_TRUE(list.insert(std::move(erased), 0));
    EXPECT_EQ(list.at(0), b);
}

TEST(AlphaChannelList, CombineAppliesTheFourModes) {
    AlphaChannelList list;
    Surface8 values;
    values.create(4, 1, 8);
    const uint8_t d[4] = {0, 100, 200, 255};
    for (int32_t x = 0; x < 4; ++x)
        values.setValueAt(x, 0, d[x]);
    Surface8 source = test::solidMask(4, 1, 120);
    struct Case {
        int32_t mode;
        uint8_t expected[4];
    } cases[] = {
        {int32_t(CombineMode::New), {120, 120, 120, 120}},
        {int32_t(CombineMode::Add), {120, 220, 255, 255}},
        {int32_t(CombineMode::Subtract), {0, 0, 80, 135}},
        {int32_t(CombineMode::Intersect), {0, 100, 120, 120}},
        {-1, {120, 120, 120, 120}}, // a negative mode replaces
    };
    for (const Case& c : cases) {
        list.insert(std::make_unique<AlphaChannel>("x", values.clone()));
        const int32_t index = list.count() - 1;
        ASSERT_TRUE(list.combine(index, source, c.mode)) << c.mode;
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(list.at(index)->mask().valueAt(x, 0), c.expected[x]) << "mode " << c.mode << " x " << x;
    }
}

TEST(AlphaChannelList, CombineRefusesAnotherSizeOrMode) {
    AlphaChannelList list;
    list.insert(channel("A", 7));
    EXPECT_FALSE(list.combine(0, test::solidMask(3, 3, 200), int32_t(CombineMode::New)));
    EXPECT_FALSE(list.combine(0, test::solidMask(4, 3, 200), 4));
    EXPECT_FALSE(list.combine(1, test::solidMask(4, 3, 200), int32_t(CombineMode::Add)));
    EXPECT_TRUE(list.at(0)->mask().isAll(7));
}

TEST(AlphaChannelList, RestoreFromNeedsTheSameSize) {
    AlphaChannelList list;
    list.insert(channel("A", 7));
    EXPECT_FALSE(list.restoreFrom(0, test::solidMask(4, 4, 9)));
    EXPECT_TRUE(list.at(0)->mask().isAll(7));
    EXPECT_TRUE(list.restoreFrom(0, test::solidMask(4, 3, 9)));
    EXPECT_TRUE(list.at(0)->mask().isAll(9));
    EXPECT_FALSE(list.restoreFrom(2, test::solidMask(4, 3, 9)));
}

TEST(AlphaChannelList, CloneIsDeepAndOrdered) {
    AlphaChannelList list;
    list.insert(channel("A", 1));
    list.insert(channel("B", 2));
    auto copy = list.clone();
    ASSERT_TRUE(copy);
    ASSERT_EQ(copy->count(), 2);
    EXPECT_EQ(copy->at(1)->name(), "B");
    EXPECT_NE(copy->at(0), list.at(0));
    list.at(0)->mask().fillValue(99);
    EXPECT_TRUE(copy->at(0)->mask().isAll(1));
}

TEST(AlphaChannelList, ResizeAndExtendFollowTheCanvas) {
    AlphaChannelList list;
    EXPECT_TRUE(list.resizeAll({8, 6}, 0)); // empty: nothing to do
    Surface8 mask = test::solidMask(4, 3, 0);
    mask.setValueAt(0, 0, 255);
    list.insert(std::make_unique<AlphaChannel>("A", std::move(mask)));
    list.insert(channel("B", 50));
    ASSERT_TRUE(list.resizeAll({8, 6}, 0));
    EXPECT_EQ(list.at(0)->size(), (Size{8, 6}));
    EXPECT_EQ(list.at(1)->size(), (Size{8, 6}));
    EXPECT_EQ(list.at(0)->mask().valueAt(1, 1), 255); // nearest neighbour doubles the pixel
    EXPECT_EQ(list.at(0)->mask().valueAt(2, 2), 0);
    EXPECT_TRUE(list.at(1)->mask().isAll(50));

    ASSERT_TRUE(list.extendAll({10, 7}, {2, 1}));
    EXPECT_EQ(list.at(0)->size(), (Size{10, 7}));
    EXPECT_EQ(list.at(0)->mask().valueAt(2, 1), 255);
    EXPECT_EQ(list.at(0)->mask().valueAt(0, 0), 0); // the new area is not selected
    EXPECT_EQ(list.at(1)->mask().valueAt(9, 6), 50);
    EXPECT_EQ(list.at(1)->mask().valueAt(1, 6), 0);
    EXPECT_TRUE(list.extendAll({10, 7}, {5, 5})); // already that size: nothing moves
    EXPECT_EQ(list.at(0)->mask().valueAt(2, 1), 255);
    EXPECT_FALSE(list.extendAll({0, 7}, {}));
}

TEST(AlphaChannelList, DocumentCopyClonesTheChannels) {
    auto document = test::whiteDocument(4, 3);
    document->channels().insert(channel("Alpha 1", 3));
    Document copy;
    ASSERT_TRUE(copy.copy(*document));
    ASSERT_EQ(copy.channels().count(), 1);
    EXPECT_NE(copy.channels().at(0), document->channels().at(0));
    EXPECT_TRUE(copy.channels().at(0)->mask().isAll(3));
    auto bare = test::whiteDocument(4, 3);
    ASSERT_TRUE(copy.restoreFrom(*bare));
    EXPECT_EQ(copy.channels().count(), 0);
}

} // namespace
} // namespace pict
