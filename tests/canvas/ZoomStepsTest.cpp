#include "canvas/ZoomSteps.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(ZoomSteps, LadderIsAscendingFromTheMinimumToSixteen) {
    auto steps = zoomSteps();
    ASSERT_EQ(steps.size(), 35u);
    EXPECT_EQ(steps.front(), 0.0001f);
    EXPECT_EQ(steps.back(), 16.0f);
    for (size_t i = 1; i < steps.size(); ++i)
        EXPECT_LT(steps[i - 1], steps[i]);
}

TEST(ZoomSteps, NeighbouringSteps) {
    EXPECT_EQ(nextZoomStepUp(0.75f), 1.0f);
    EXPECT_EQ(nextZoomStepDown(0.75f), 2.0f / 3);
    EXPECT_EQ(nextZoomStepUp(16.0f), 16.0f);
    EXPECT_EQ(nextZoomStepUp(20.0f), 16.0f);
    EXPECT_EQ(nextZoomStepUp(1.0f), 2.0f);
    EXPECT_EQ(nextZoomStepDown(1.0f), 2.0f / 3);
    EXPECT_EQ(nextZoomStepDown(0.0001f), 0.0001f);
    EXPECT_EQ(nextZoomStepDown(0.00005f), 0.0001f);
    EXPECT_EQ(nextZoomStepUp(0.00005f), 0.0001f);
    EXPECT_EQ(nextZoomStepDown(12.5f), 12.0f);
}

TEST(ZoomSteps, PresetsCarryTheirFactors) {
    ASSERT_EQ(zoomPresets().size(), 12u);
    EXPECT_EQ(findZoomPreset(32998)->factor, 0.1f);
    EXPECT_STREQ(findZoomPreset(32998)->label, "10%");
    EXPECT_EQ(findZoomPreset(32984)->factor, 16.0f);
    EXPECT_EQ(findZoomPreset(32997)->factor, 0.75f);
    EXPECT_EQ(findZoomPreset(12345), nullptr);
}

TEST(ZoomCaption, TrimsTheZoomPercentage) {
    EXPECT_EQ(zoomPercentText(2.0f / 3), "66.67%");
    EXPECT_EQ(zoomPercentText(1.0f), "100%");
    EXPECT_EQ(zoomPercentText(0.125f), "12.5%");
    EXPECT_EQ(zoomPercentText(1.0f / 3), "33.33%");
    EXPECT_EQ(zoomPercentText(16.0f), "1600%");
    EXPECT_EQ(zoomPercentText(0.0001f), "0.01%");
    EXPECT_EQ(zoomPercentText(0.24f), "24%");
    EXPECT_EQ(canvasCaption("photo.png", 0.5f), "photo.png @ 50%");
}

} // namespace
} // namespace pict

namespace pict {
namespace {

TEST(ZoomPercentInput, ReadsWhatUsersType) {
    struct Case {
        const char* text;
        std::optional<float> factor;
    };
    const Case cases[] = {
        {"150", 1.5f},      {"150%", 1.5f},   {" 150 % ", 1.5f}, {"66.67", 0.6667f}, {"66,67", 0.6667f},
        {"0.5", 0.005f},    {"1600", 16.0f},  {"100000", 1000.0f}, {"", std::nullopt}, {"%", std::nullopt},
        {"0", std::nullopt}, {"-50", std::nullopt}, {"abc", std::nullopt}, {"1.2.3", std::nullopt},
        {"12x", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<float> got = parseZoomPercent(c.text);
        ASSERT_EQ(got.has_value(), c.factor.has_value()) << '"' << c.text << '"';
        if (got) {
            EXPECT_NEAR(*got, *c.factor, 1e-5) << c.text;
        }
    }
    // What the caption shows reads back as the same zoom.
    for (float zoom : {1.0f / 3, 0.75f, 2.0f, 0.0001f, 16.0f})
        EXPECT_NEAR(*parseZoomPercent(zoomPercentText(zoom)), zoom, 5e-5) << zoomPercentText(zoom);
}

} // namespace
} // namespace pict
