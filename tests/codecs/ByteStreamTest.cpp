#include "codecs/ByteStream.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <numeric>
#include <sys/stat.h>

namespace pict {
namespace {

std::string scratchFile(const std::string& name) { return (test::scratchDir() / name).string(); }

TEST(MemoryStream, ReadsWholeElementsAndStopsAtTheEnd) {
    uint8_t data[10];
    std::iota(data, data + 10, 0);
    MemoryStream stream(data, 10);
    uint32_t words[3] = {};
    EXPECT_EQ(stream.read(words, 4, 3), 2); // 10 bytes copied, two whole elements
    EXPECT_TRUE(stream.atEnd());
    EXPECT_EQ(stream.readByte(), -1);
    EXPECT_EQ(stream.read(nullptr, 1, 1), 0);
    ASSERT_TRUE(stream.seekTo(9));
    EXPECT_EQ(stream.readByte(), 9);
}

TEST(MemoryStream, SeekingToTheEndFailsAndWritesNeverGrowAWindow) {
    uint8_t data[4] = {1, 2, 3, 4};
    MemoryStream view;
    ASSERT_TRUE(view.attachWritable(data, 4));
    EXPECT_FALSE(view.seek(0, SeekOrigin::End));
    EXPECT_TRUE(view.seek(-1, SeekOrigin::End));
    EXPECT_FALSE(view.seekTo(-1));
    const uint8_t more[3] = {7, 8, 9};
    EXPECT_EQ(view.write(more, 1, 3), 1);
    EXPECT_EQ(data[3], 7);
    EXPECT_EQ(view.size(), 4);
    EXPECT_FALSE(view.attach(data, 4)); // already open

    MemoryStream readOnly(data, 4);
    EXPECT_EQ(readOnly.write(more, 1, 1), 0);
    MemoryStream empty;
    EXPECT_FALSE(empty.attach(data, 0));
    EXPECT_FALSE(empty.attach(nullptr, 4));
    EXPECT_EQ(empty.readByte(), -1);
    EXPECT_TRUE(empty.atEnd());
}

TEST(MemoryStream, OwnedBufferGrowsAndCanBeRewrittenAndCut) {
    MemoryStream owned;
    ASSERT_TRUE(owned.openOwned());
    EXPECT_TRUE(owned.rewind());
    const uint8_t bytes[5] = {1, 2, 3, 4, 5};
    EXPECT_EQ(owned.write(bytes, 1, 5), 5);
    EXPECT_EQ(owned.size(), 5);
    ASSERT_TRUE(owned.rewind());
    EXPECT_TRUE(owned.writeByte(0x1FF));
    EXPECT_TRUE(owned.truncateHere());
    ASSERT_EQ(owned.ownedBytes().size(), 1u);
    EXPECT_EQ(owned.ownedBytes()[0], 0xFF);
}

TEST(FileStream, OpenFailuresLeaveTheStreamClosed) {
    FileStream stream;
    EXPECT_FALSE(stream.openForRead(scratchFile("missing.bin")));
    EXPECT_FALSE(stream.isOpen());
    EXPECT_EQ(stream.readByte(), -1);
    EXPECT_FALSE(stream.seekTo(0));
    ASSERT_TRUE(stream.openForWrite(scratchFile("twice.bin")));
    EXPECT_FALSE(stream.openForWrite(scratchFile("twice.bin")));
    EXPECT_FALSE(stream.openForRead(scratchFile("twice.bin")));
    EXPECT_TRUE(stream.isOpen());
}

TEST(FileStream, MixedReadsWritesAndSeeksSeeOneConsistentFile) {
    const std::string path = scratchFile("mixed.bin");
    FileStream stream;
    ASSERT_TRUE(stream.openForWrite(path));
    std::vector<uint8_t> big(200000);
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = uint8_t(i * 7);
    ASSERT_EQ(stream.write(big.data(), 1, 100), 100);       // buffered
    ASSERT_EQ(stream.write(big.data() + 100, 1, big.size() - 100), int64_t(big.size() - 100)); // direct
    EXPECT_EQ(stream.position(), int64_t(big.size()));
    EXPECT_EQ(stream.size(), int64_t(big.size()));
    EXPECT_TRUE(stream.seek(0, SeekOrigin::End)); // files may seek to their end
    EXPECT_TRUE(stream.atEnd());
    ASSERT_TRUE(stream.seekTo(5));
    EXPECT_EQ(stream.readByte(), big[5]);
    ASSERT_TRUE(stream.writeByte(0xAB)); // overwrites byte 6
    ASSERT_TRUE(stream.seek(-2, SeekOrigin::Current));
    EXPECT_EQ(stream.readByte(), big[5]);
    EXPECT_EQ(stream.readByte(), 0xAB);
    EXPECT_EQ(stream.readByte(), big[7]);
    ASSERT_TRUE(stream.close());

    FileStream reader;
    ASSERT_TRUE(reader.openForRead(path));
    std::vector<uint8_t> back(big.size());
    EXPECT_EQ(reader.read(back.data(), 4, back.size() / 4), int64_t(back.size() / 4));
    big[6] = 0xAB;
    EXPECT_EQ(back, big);
    EXPECT_EQ(reader.readByte(), -1);
    EXPECT_EQ(reader.write(big.data(), 1, 1), 0); // read-only descriptor
}

TEST(ReplacingFileStream, OldFileSurvivesUntilCommitAndKeepsItsPermissions) {
    const std::string path = scratchFile("keep.bin");
    test::writeWholeFile(path, {1, 2, 3});
    ::chmod(path.c_str(), 0640);
    {
        ReplacingFileStream stream;
        ASSERT_TRUE(stream.openForReplace(path));
        ASSERT_TRUE(stream.writeByte(9));
        EXPECT_EQ(test::readWholeFile(path), (std::vector<uint8_t>{1, 2, 3}));
        // destroyed without commit: the temporary file goes away
    }
    EXPECT_EQ(test::readWholeFile(path), (std::vector<uint8_t>{1, 2, 3}));
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::scratchDir()))
        files += entry.path().filename().string().find("keep.bin.") != std::string::npos;
    EXPECT_EQ(files, 0u);

    ReplacingFileStream stream;
    ASSERT_TRUE(stream.openForReplace(path));
    ASSERT_TRUE(stream.writeByte(9));
    ASSERT_TRUE(stream.commit());
    EXPECT_EQ(test::readWholeFile(path), (std::vector<uint8_t>{9}));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(ReplacingFileStream, ReplacesWhatALinkPointsAtAndKeepsTheOwner) {
    const std::string real = scratchFile("owned.bin"), link = scratchFile("owned-link.bin");
    test::writeWholeFile(real, {1});
    std::filesystem::remove(link);
    std::filesystem::create_symlink(real, link);
    const bool canChown = ::geteuid() == 0 && ::chown(real.c_str(), 4321, 4322) == 0;
    ReplacingFileStream stream;
    ASSERT_TRUE(stream.openForReplace(link));
    ASSERT_TRUE(stream.writeByte(7));
    ASSERT_TRUE(stream.commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::readWholeFile(real), (std::vector<uint8_t>{7}));
    if (canChown) {
        struct stat info {};
        ASSERT_EQ(::stat(real.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 4321u);
        EXPECT_EQ(info.st_gid, 4322u);
    }
}

TEST(ReplacingFileStream, LeavesAWriteProtectedFileAlone) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "write protection does not bind the superuser";
    const std::string path = scratchFile("protected.bin");
    test::writeWholeFile(path, {5});
    ::chmod(path.c_str(), 0444);
    ReplacingFileStream stream;
    EXPECT_FALSE(stream.openForReplace(path));
    ::chmod(path.c_str(), 0644);
    EXPECT_EQ(test::readWholeFile(path), (std::vector<uint8_t>{5}));
}

TEST(ReplacingFileStream, RefusesFoldersThatDoNotExist) {
    ReplacingFileStream stream;
    EXPECT_FALSE(stream.openForReplace(scratchFile("no/such/folder/x.bin")));
    EXPECT_FALSE(stream.openForReplace(test::scratchDir().string())); // a folder is not a file
}

} // namespace
} // namespace pict
