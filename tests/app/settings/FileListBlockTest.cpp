#include "app/settings/FileListBlock.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(FileListBlock, BuildsTheDocumentedLayout) {
    FileListBlock block = buildFileListBlock({"/a.png", "/tmp/b\xC3\xA9.jpg"});
    ASSERT_EQ(block.bytes.size(), 2u * 522 + 12);
    EXPECT_TRUE(block.rejected.empty());
    EXPECT_EQ(std::string(block.bytes.begin(), block.bytes.begin() + 4), "VFPP");
    EXPECT_EQ(block.bytes[4] | block.bytes[5] << 8, 2 * 522 + 12);
    EXPECT_EQ(block.bytes[8], 2);
    EXPECT_EQ(block.bytes[12], '/');
    EXPECT_EQ(block.bytes[13], 0);
    EXPECT_EQ(block.bytes[14], 'a');
    // Second slot: "é" is one UTF-16 unit 0x00E9.
    const size_t second = 12 + 522;
    EXPECT_EQ(block.bytes[second + 2 * 6], 0xE9);
    EXPECT_EQ(block.bytes[second + 2 * 6 + 1], 0x00);
    auto paths = parseFileListBlock(block.bytes);
    ASSERT_TRUE(paths);
    EXPECT_EQ(*paths, (std::vector<std::string>{"/a.png", "/tmp/b\xC3\xA9.jpg"}));
}

TEST(FileListBlock, LongOrInvalidPathsAreRejectedNotTruncated) {
    std::string fits = "/" + std::string(259, 'x');  // 260 units + NUL = 261
    std::string tooLong = "/" + std::string(260, 'x');
    std::string astral = "/\xF0\x9F\x98\x80";         // one code point, two units
    FileListBlock block = buildFileListBlock({tooLong, fits, "bad\xFF", astral});
    EXPECT_EQ(block.rejected, (std::vector<std::string>{tooLong, "bad\xFF"}));
    auto paths = parseFileListBlock(block.bytes);
    ASSERT_TRUE(paths);
    EXPECT_EQ(*paths, (std::vector<std::string>{fits, astral}));
    EXPECT_TRUE(buildFileListBlock({tooLong}).bytes.empty());
    EXPECT_TRUE(buildFileListBlock({}).bytes.empty());
}

TEST(FileListBlock, ReceiverRefusesWrongMagicSizeOrCount) {
    std::vector<uint8_t> good = buildFileListBlock({"/a.png"}).bytes;
    ASSERT_TRUE(parseFileListBlock(good));

    auto wrongMagic = good;
    wrongMagic[0] = 'X';
    EXPECT_FALSE(parseFileListBlock(wrongMagic));

    auto shorter = good;
    shorter.pop_back();
    EXPECT_FALSE(parseFileListBlock(shorter)) << "size field no longer equals the bytes received";

    auto lyingSize = good;
    lyingSize[4] += 1;
    lyingSize.push_back(0);
    EXPECT_FALSE(parseFileListBlock(lyingSize)) << "size does not match the count";

    auto zeroCount = good;
    zeroCount[8] = 0;
    EXPECT_FALSE(parseFileListBlock(zeroCount));

    auto noNul = good;
    for (size_t i = 12; i < noNul.size(); i += 2)
        noNul[i] = 'x';
    EXPECT_FALSE(parseFileListBlock(noNul));

    EXPECT_FALSE(parseFileListBlock(std::vector<uint8_t>{'V', 'F', 'P'}));
}

TEST(FileListBlock, UnpairedSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(utf16ToUtf8(u"a\xD800" u"b"), "a\xEF\xBF\xBD" "b");
    EXPECT_FALSE(utf8ToUtf16("\xED\xA0\x80")); // an encoded surrogate
    EXPECT_FALSE(utf8ToUtf16("\xC0\xAF"));     // overlong
}

} // namespace
} // namespace pict
