#include "document/AlphaChannel.h"
#include "document/NumberedNames.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(NameNumber, AcceptsSignedDecimalsOnly) {
    EXPECT_EQ(parseNameNumber("7"), 7);
    EXPECT_EQ(parseNameNumber("+12"), 12);
    EXPECT_EQ(parseNameNumber("-3"), -3);
    EXPECT_EQ(parseNameNumber("007"), 7);
    EXPECT_FALSE(parseNameNumber(""));
    EXPECT_FALSE(parseNameNumber("+"));
    EXPECT_FALSE(parseNameNumber("x"));
    EXPECT_FALSE(parseNameNumber("1x"));
    EXPECT_FALSE(parseNameNumber(" 1"));
    EXPECT_FALSE(parseNameNumber("+-1"));
}

TEST(NameNumber, RejectsValuesOutsideInt32) {
    EXPECT_EQ(parseNameNumber("2147483647"), 2147483647);
    EXPECT_EQ(parseNameNumber("-2147483648"), INT32_MIN);
    EXPECT_FALSE(parseNameNumber("2147483648"));
    EXPECT_FALSE(parseNameNumber("99999999999999999999"));
}

TEST(DefaultLayerName, CountsUpFromTheHighestNumber) {
    EXPECT_EQ(nextNumberedName("Layer ", {}), "Layer 1");
    EXPECT_EQ(nextNumberedName("Layer ", {"Layer 1", "Layer 7"}), "Layer 8");
    EXPECT_EQ(nextNumberedName("Layer ", {"Layer 1", "Layer 2", "Layer 10"}), "Layer 11");
    EXPECT_EQ(nextNumberedName("Layer ", {"Layer x", "Background"}), "Layer 1");
    EXPECT_EQ(nextNumberedName("Layer ", {"Layer -5"}), "Layer 1");
    EXPECT_EQ(nextNumberedName("Layer ", {"layer 4", "Layer4"}), "Layer 1"); // case and space matter
    // The largest int32 does not wrap around.
    EXPECT_EQ(nextNumberedName("Layer ", {"Layer 2147483647"}), "Layer 2147483648");
}

TEST(DuplicateLayerName, FollowsTheCopyRules) {
    EXPECT_EQ(duplicateName("Layer 1", {"Layer 1"}), "Layer copy");
    EXPECT_EQ(duplicateName("Layer 1", {"Layer 1", "Layer copy"}), "Layer copy 2");
    EXPECT_EQ(duplicateName("Layer 1", {"Layer 1", "Layer copy", "Layer copy 2"}), "Layer copy 3");
    EXPECT_EQ(duplicateName("Layer copy 3", {"Layer copy", "Layer copy 2", "Layer copy 3"}), "Layer copy 4");
    EXPECT_EQ(duplicateName("Background", {"Background"}), "Background copy");
    EXPECT_EQ(duplicateName("Layer copy", {"Layer copy"}), "Layer copy 2");
    EXPECT_EQ(duplicateName("Sky 2x", {"Sky 2x"}), "Sky 2x copy");
    EXPECT_EQ(duplicateName("Photo", {"Photo", "Photo copy 9"}), "Photo copy 10");
}

TEST(DefaultLayerName, CountsPlaceholdersAndForgetsDeletedLayers) {
    auto document = test::bareDocument(10, 10);
    LayerStack& stack = document->layers();
    for (int i = 0; i < 3; ++i) {
        auto layer = std::make_unique<EmptyLayer>(&stack);
        layer->setName(stack.defaultLayerName(false));
        stack.add(std::move(layer));
    }
    EXPECT_EQ(stack.nameAt(2), "Layer 3");
    EXPECT_EQ(stack.defaultLayerName(true), "Background");
    stack.removeAt(2);
    EXPECT_EQ(stack.defaultLayerName(false), "Layer 3");

    auto placeholder = std::make_unique<RemovedLayer>(&stack);
    placeholder->setName("Layer 9");
    stack.add(std::move(placeholder));
    EXPECT_EQ(stack.defaultLayerName(false), "Layer 10");
    EXPECT_EQ(stack.duplicateLayerName(*stack.layerAt(0)), "Layer copy");
}

TEST(AlphaChannelName, NumbersLikeLayers) {
    AlphaChannelList channels;
    EXPECT_EQ(channels.nextName(), "Alpha 1");
    channels.insert(std::make_unique<AlphaChannel>(channels.nextName(), test::solidMask(4, 4, 0)));
    EXPECT_EQ(channels.nextName(), "Alpha 2");
    channels.insert(std::make_unique<AlphaChannel>("Alpha 7", test::solidMask(4, 4, 0)));
    channels.insert(std::make_unique<AlphaChannel>("Alpha x", test::solidMask(4, 4, 0)));
    EXPECT_EQ(channels.nextName(), "Alpha 8");
}

} // namespace
} // namespace pict
