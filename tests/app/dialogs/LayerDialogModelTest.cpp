#include "app/dialogs/LayerDialogModel.h"
#include "document/Document.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(LayerDialogModel, OpacityPercentAndByteRoundTrip) {
    EXPECT_EQ(layerOpacityFromPercent(50), 128);
    EXPECT_EQ(layerOpacityFromPercent(100), 255);
    EXPECT_EQ(layerOpacityFromPercent(0), 0);
    EXPECT_EQ(layerOpacityFromPercent(1), 3);
    EXPECT_EQ(layerOpacityPercent(128), 50);
    EXPECT_EQ(layerOpacityPercent(255), 100);
    EXPECT_EQ(layerOpacityPercent(0), 0);
    for (int32_t p = 0; p <= 100; ++p)
        EXPECT_EQ(layerOpacityPercent(layerOpacityFromPercent(p)), p) << p;
}

TEST(LayerDialogModel, NewLayerStartsWithTheNextNameAndConfirmsTheByte) {
    Document document;
    DocumentInfo info;
    info.width = 8;
    info.height = 8;
    ASSERT_TRUE(document.newFromInfo(info));
    const LayerParams start = newLayerDefaults(document.layers());
    EXPECT_EQ(start.name, "Layer 1");
    EXPECT_EQ(start.mode, 0);
    EXPECT_EQ(start.opacity, 255);

    const auto answer = confirmNewLayer(" Glow ", 2, "50");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->name, "Glow");
    EXPECT_EQ(answer->mode, 2);
    EXPECT_EQ(answer->opacity, 128);
    EXPECT_EQ(answer->layer, -1);
    for (const char* bad : {"101", "-1", "", "half"})
        EXPECT_FALSE(confirmNewLayer("x", 0, bad)) << bad;
    EXPECT_EQ(confirmNewLayer("x", 19, "0")->mode, 0) << "an unknown mode falls back to Normal";
}

TEST(LayerDialogModel, DeletePromptEndsInEightSpaces) {
    EXPECT_EQ(deleteLayerPrompt("Layer 2"), "Delete layer \"Layer 2\"?        ");
}

} // namespace
} // namespace pict
