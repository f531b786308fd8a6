// The document --new makes, checked on the document itself rather than through a saved file.
#include "batch/BatchNewDocument.h"
#include "document/Document.h"

#include <gtest/gtest.h>

namespace pict::batch {
namespace {

const uint8_t* backgroundPixel(Document& document, int32_t x, int32_t y) {
    return document.layers().rasterAt(0)->colorAt(x, y); // blue, green, red
}

TEST(BatchNewDocument, BackgroundColorChoiceFillsWithTheCurrentColor) {
    auto document = makeNewDocument(3, 2, NewImageBackground::BackgroundColor, Color::fromRgb(0x102030));
    ASSERT_TRUE(document);
    const uint8_t* p = backgroundPixel(*document, 2, 1);
    EXPECT_EQ(p[0], 0x30);
    EXPECT_EQ(p[1], 0x20);
    EXPECT_EQ(p[2], 0x10);

    auto white = makeNewDocument(3, 2, NewImageBackground::White, Color::fromRgb(0x102030));
    ASSERT_TRUE(white);
    EXPECT_EQ(backgroundPixel(*white, 0, 0)[2], 0xFF);
    EXPECT_EQ(backgroundPixel(*white, 0, 0)[0], 0xFF);
}

TEST(BatchNewDocument, InvalidSizesMakeNoDocument) {
    EXPECT_FALSE(makeNewDocument(0, 5, NewImageBackground::White, kBlack));
    EXPECT_FALSE(makeNewDocument(30001, 5, NewImageBackground::White, kBlack));
}

} // namespace
} // namespace pict::batch
