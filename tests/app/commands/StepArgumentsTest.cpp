#include "app/commands/StepArguments.h"

#include <gtest/gtest.h>

#include <array>

namespace pict {
namespace {

TEST(StepArguments, WholeNumbersTakeASignAndNothingElse) {
    std::string error;
    int32_t value = 0;
    EXPECT_TRUE(readInteger("+5", 0, 10, "n", value, error));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(readInteger("-90", -180, 180, "n", value, error));
    EXPECT_EQ(value, -90);
    for (const char* bad : {"", "+", "5x", " 5", "5 ", "1.5", "0x10", "--5", "+-5"})
        EXPECT_FALSE(readInteger(bad, -100, 100, "n", value, error)) << bad;
    EXPECT_EQ(value, -90) << "a refused text leaves the value alone";
}

TEST(StepArguments, RangeErrorsNameTheValueAndTheLimits) {
    std::string error;
    int32_t value = 0;
    EXPECT_FALSE(readInteger("256", 0, 255, "the opacity", value, error));
    EXPECT_EQ(error, "the opacity must be within 0..255, not 256");
    EXPECT_FALSE(readInteger("99999999999999999999", 0, 255, "the opacity", value, error));
    EXPECT_NE(error.find("0..255"), std::string::npos);
    double radius = 0;
    EXPECT_FALSE(readNumber("0.05", 0.1, 250, "the radius", radius, error));
    EXPECT_EQ(error, "the radius must be within 0.1..250, not 0.05");
}

TEST(StepArguments, DecimalNumbersAreFiniteAndPlain) {
    std::string error;
    double value = 0;
    EXPECT_TRUE(readNumber("2.5", 0, 10, "r", value, error));
    EXPECT_DOUBLE_EQ(value, 2.5);
    EXPECT_TRUE(readNumber("-.5", -1, 1, "r", value, error));
    EXPECT_DOUBLE_EQ(value, -0.5);
    EXPECT_TRUE(readNumber("+3", 0, 10, "r", value, error));
    EXPECT_DOUBLE_EQ(value, 3.0);
    for (const char* bad : {"", "nan", "inf", "1e2", "2,5", "0x1p3", "1.5.2"})
        EXPECT_FALSE(readNumber(bad, -1e9, 1e9, "r", value, error)) << bad;
}

TEST(StepArguments, ColorsAreSixHexDigits) {
    std::string error;
    Color color;
    EXPECT_TRUE(readColor("ff8000", "c", color, error));
    EXPECT_EQ(color, (Color{0xFF, 0x80, 0x00}));
    EXPECT_TRUE(readColor("#00A0fF", "c", color, error));
    EXPECT_EQ(color, (Color{0x00, 0xA0, 0xFF}));
    for (const char* bad : {"", "fff", "ff80000", "gg0000", "#", "0xff00"})
        EXPECT_FALSE(readColor(bad, "c", color, error)) << bad;
}

TEST(StepArguments, BlendModesByNameOrNumber) {
    std::string error;
    int32_t mode = -1;
    EXPECT_TRUE(readBlendMode("color-dodge", mode, error));
    EXPECT_EQ(mode, 6);
    EXPECT_TRUE(readBlendMode("Soft-Light", mode, error));
    EXPECT_EQ(mode, 11);
    EXPECT_TRUE(readBlendMode("18", mode, error));
    EXPECT_EQ(mode, 18);
    EXPECT_TRUE(readBlendMode("xor", mode, error));
    EXPECT_EQ(mode, 14);
    for (const char* bad : {"19", "-1", "color dodge", "colour", ""})
        EXPECT_FALSE(readBlendMode(bad, mode, error)) << bad;
    for (int32_t m = 0; m < 19; ++m) {
        int32_t back = -1;
        EXPECT_TRUE(readBlendMode(blendModeKeyword(m), back, error)) << blendModeKeyword(m);
        EXPECT_EQ(back, m);
    }
    EXPECT_EQ(blendModeKeyword(0), "normal");
    EXPECT_EQ(blendModeKeyword(18), "luminosity");
}

TEST(StepArguments, ListsKeepEmptyFields) {
    EXPECT_EQ(splitFields("", ',').size(), 1u);
    const auto fields = splitFields("a,,b,", ',');
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "b");
    EXPECT_EQ(fields[3], "");
}

TEST(StepArguments, KeywordsIgnoreCaseAndListTheChoices) {
    constexpr std::array<std::string_view, 2> kUnits = {"ppi", "ppcm"};
    std::string error;
    int32_t index = -1;
    EXPECT_TRUE(readKeyword("PPCM", kUnits, "the unit", index, error));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(readKeyword("dpi", kUnits, "the unit", index, error));
    EXPECT_EQ(error, "the unit must be one of ppi, ppcm, not \"dpi\"");
}

} // namespace
} // namespace pict
