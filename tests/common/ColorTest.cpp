#include "common/Color.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace pict {
namespace {

// The references build each word from its bytes in memory order, so they share no shifts with
// the code under test.
static_assert(std::endian::native == std::endian::little, "the pixel words assume little-endian memory");

uint32_t wordFromBytes(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    const uint8_t bytes[4] = {b0, b1, b2, b3};
    uint32_t word = 0;
    std::memcpy(&word, bytes, 4);
    return word;
}

std::array<uint8_t, 4> bytesOf(uint32_t word) {
    std::array<uint8_t, 4> bytes{};
    std::memcpy(bytes.data(), &word, 4);
    return bytes;
}

// Every combination of the values where shifts and masks go wrong.
std::vector<Color> edgeColors() {
    constexpr uint8_t kEdges[] = {0x00, 0x01, 0x0F, 0x10, 0x7F, 0x80, 0xF0, 0xFE, 0xFF};
    std::vector<Color> colors;
    for (uint8_t r : kEdges)
        for (uint8_t g : kEdges)
            for (uint8_t b : kEdges)
                colors.push_back({r, g, b});
    return colors;
}

// A word order: how a color is written as a word, read back from one, and the bytes the word
// must hold in memory (the top byte fixed on the way out, ignored on the way in).
struct WordOrder {
    const char* name;
    uint32_t (*write)(Color);
    Color (*read)(uint32_t);
    std::array<uint8_t, 4> (*expectedBytes)(Color);
};

const WordOrder kWordOrders[] = {
    {"0x00RRGGBB", [](Color c) { return c.rgb(); }, Color::fromRgb,
     [](Color c) { return std::array<uint8_t, 4>{c.blue, c.green, c.red, 0}; }},
    {"fill word 0x00BBGGRR", [](Color c) { return c.fillWord(); }, Color::fromFillWord,
     [](Color c) { return std::array<uint8_t, 4>{c.red, c.green, c.blue, 0}; }},
    {"pixel word 0xFFRRGGBB", [](Color c) { return c.pixelWord(); }, Color::fromPixelWord,
     [](Color c) { return std::array<uint8_t, 4>{c.blue, c.green, c.red, 0xFF}; }},
};

TEST(ColorTest, EachWordOrderPutsTheChannelBytesWhereItSays) {
    constexpr uint8_t kStrayBytes[] = {0x00, 0x01, 0x80, 0xFF};
    for (const WordOrder& order : kWordOrders) {
        for (const Color c : edgeColors()) {
            const std::array<uint8_t, 4> expected = order.expectedBytes(c);
            EXPECT_EQ(bytesOf(order.write(c)), expected) << order.name;
            for (uint8_t stray : kStrayBytes)
                EXPECT_EQ(order.read(wordFromBytes(expected[0], expected[1], expected[2], stray)), c)
                    << order.name << " with top byte " << int(stray);
        }
    }
}

TEST(ColorTest, MemoryBytesAreBlueGreenRedAndTouchNothingElse) {
    for (const Color c : edgeColors()) {
        uint8_t pixel[5] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
        c.storeBgr(pixel + 1);
        const uint8_t expected[5] = {0xAA, c.blue, c.green, c.red, 0xAA};
        EXPECT_EQ(std::memcmp(pixel, expected, 5), 0);
        EXPECT_EQ(Color::fromBgrBytes(pixel + 1), c);
    }
}

TEST(ColorTest, OrdersConvertIntoEachOtherByReversingTheChannelBytes) {
    for (const Color c : edgeColors()) {
        const std::array<uint8_t, 4> rgb = bytesOf(c.rgb());
        EXPECT_EQ(bytesOf(c.fillWord()), (std::array<uint8_t, 4>{rgb[2], rgb[1], rgb[0], 0}));
        EXPECT_EQ(Color::fromFillWord(Color::fromRgb(c.rgb()).fillWord()), c);
        EXPECT_EQ(c.pixelWord() & 0xFFFFFFu, c.rgb());
    }
}

TEST(ColorTest, NamedColorsAndEquality) {
    EXPECT_EQ(kBlack.rgb(), 0u);
    EXPECT_EQ(kWhite.rgb(), 0xFFFFFFu);
    EXPECT_EQ(kWhite.fillWord(), 0xFFFFFFu);
    EXPECT_EQ(Color{}, kBlack);
    EXPECT_NE((Color{1, 0, 0}), (Color{0, 0, 1}));
    static_assert(Color::fromRgb(0x123456).fillWord() == 0x563412);
}

} // namespace
} // namespace pict
