// Every refused file says why, in the words the user reads under "Cannot open file"; files
// whose data merely ends early open, with their missing part gray, and say so.
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/DocumentFiles.h"
#include "codecs/ReadReport.h"
#include "document/Document.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;
using test::writeWholeFile;

fs::path folder() {
    static const fs::path made = [] {
        const fs::path path = test::scratchDir() / "open-reasons";
        fs::remove_all(path);
        fs::create_directories(path);
        return path;
    }();
    return made;
}

std::vector<uint8_t> encoded(CodecImage& image, const Surface24& color) {
    image.color.createLike(color);
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(image.codec().saveToMemory(out, image));
    return out.takeOwnedBytes();
}

std::vector<uint8_t> pngBytes(int32_t width, int32_t height) {
    PngImage image;
    return encoded(image, test::patternSurface(width, height));
}

std::vector<uint8_t> jpegBytes(int32_t width, int32_t height) {
    JpegImage image;
    return encoded(image, test::patternSurface(width, height));
}

// Opens the bytes saved under name; the report of a failed open.
ReadReport refusal(const std::string& name, const std::vector<uint8_t>& bytes) {
    writeWholeFile(folder() / name, bytes);
    OpenedImage image;
    EXPECT_FALSE(openImage((folder() / name).string(), image)) << name;
    EXPECT_TRUE(image.color.isEmpty());
    return image.report;
}

void expectReason(const ReadReport& report, ReadFault fault, const std::string& reason) {
    EXPECT_EQ(int(report.fault), int(fault)) << report.reason;
    EXPECT_EQ(report.reason, reason);
}

size_t findMarker(const std::vector<uint8_t>& file, uint8_t marker) {
    for (size_t i = 2; i + 1 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == marker)
            return i;
    ADD_FAILURE() << "no marker " << int(marker);
    return 0;
}

// ---- the reasons ----

TEST(OpenReason, EmptyTextAndMisnamedFilesAreNotOfTheirKind) {
    expectReason(refusal("empty.png", {}), ReadFault::Truncated, "The file is empty.");
    const std::string text = "This is a note, not a picture.\n";
    expectReason(refusal("note.png", std::vector<uint8_t>(text.begin(), text.end())), ReadFault::NotThisKind,
                 "The file is not a PNG file; it holds text.");
    expectReason(refusal("photo.jpg", pngBytes(4, 4)), ReadFault::NotThisKind,
                 "The file is not a JPEG file; it holds a PNG picture.");
    expectReason(refusal("scan.bmp", jpegBytes(8, 8)), ReadFault::NotThisKind,
                 "The file is not a BMP file; it holds a JPEG picture.");
    expectReason(refusal("anim.gif", {0, 1, 2, 0xFE, 0xFD, 7, 9, 200}), ReadFault::NotThisKind,
                 "The file is not a GIF file.");
    expectReason(refusal("app.ico", {'G', 'I', 'F', '8', '9', 'a', 0, 0}), ReadFault::NotThisKind,
                 "The file is not a icon file; it holds a GIF picture.");
}

TEST(OpenReason, MissingFilesFoldersAndOtherKindsSayWhy) {
    OpenedImage image;
    EXPECT_FALSE(openImage((folder() / "absent.png").string(), image));
    expectReason(image.report, ReadFault::CannotRead, "The file does not exist.");
    fs::create_directories(folder() / "album.png");
    EXPECT_FALSE(openImage((folder() / "album.png").string(), image));
    expectReason(image.report, ReadFault::CannotRead, "It is a folder, not a file.");
    EXPECT_FALSE(openImage((folder() / "scan.ved").string(), image));
    EXPECT_EQ(int(image.report.fault), int(ReadFault::Unsupported));
}

TEST(OpenReason, TruncatedFilesSayHowManyBytesOfHowMany) {
    // A 4 x 2 24-bit bitmap: 54 header bytes and two 12-byte rows.
    std::vector<uint8_t> bmp = {'B', 'M'};
    test::appendLe32(bmp, 78);
    test::appendLe32(bmp, 0);
    test::appendLe32(bmp, 54);
    for (uint32_t field : {40u, 4u, 2u})
        test::appendLe32(bmp, field);
    test::appendLe16(bmp, 1);
    test::appendLe16(bmp, 24);
    bmp.resize(54, 0);
    bmp.resize(78, 0x40);
    bmp.resize(60);
    expectReason(refusal("cut.bmp", bmp), ReadFault::Truncated,
                 "The file is truncated: it holds 60 of the 78 bytes its header describes.");
    bmp.resize(30);
    expectReason(refusal("header.bmp", bmp), ReadFault::Truncated,
                 "The file is truncated: it holds 30 of the 54 bytes its header describes.");
    // A PNG whose data stops before its picture begins has nothing to show.
    std::vector<uint8_t> png = pngBytes(16, 16);
    png.resize(20);
    EXPECT_EQ(int(refusal("header.png", png).fault), int(ReadFault::Truncated));
}

TEST(OpenReason, UnsupportedVariantsAreNamed) {
    std::vector<uint8_t> bmp = {'B', 'M'};
    test::appendLe32(bmp, 58);
    test::appendLe32(bmp, 0);
    test::appendLe32(bmp, 54);
    for (uint32_t field : {40u, 1u, 1u})
        test::appendLe32(bmp, field);
    test::appendLe16(bmp, 1);
    test::appendLe16(bmp, 24);
    bmp.resize(58, 0);
    auto withCompression = [&](uint32_t compression) {
        std::vector<uint8_t> file = bmp;
        for (int i = 0; i < 4; ++i)
            file[30 + size_t(i)] = uint8_t(compression >> (8 * i));
        return file;
    };
    expectReason(refusal("odd.bmp", withCompression(7)), ReadFault::Unsupported,
                 "This kind of picture is not supported: BMP with compression 7.");
    expectReason(refusal("cmyk.bmp", withCompression(11)), ReadFault::Unsupported,
                 "This kind of picture is not supported: CMYK BMP.");
    expectReason(refusal("rle.bmp", withCompression(1)), ReadFault::Unsupported,
                 "This kind of picture is not supported: run-length BMP of 24 bits per pixel.");

    std::vector<uint8_t> jpeg = jpegBytes(8, 8);
    jpeg[findMarker(jpeg, 0xC0) + 4] = 12; // sample precision of the frame
    expectReason(refusal("deep.jpg", jpeg), ReadFault::Unsupported,
                 "This kind of picture is not supported: 12-bit JPEG.");
}

TEST(OpenReason, TooLargePicturesGiveTheirSizeAndTheLimit) {
    std::vector<uint8_t> jpeg = jpegBytes(8, 8);
    const size_t frame = findMarker(jpeg, 0xC0);
    for (size_t at : {frame + 5, frame + 7}) { // height, then width, big-endian
        jpeg[at] = 0xFF;
        jpeg[at + 1] = 0xDC; // 65500
    }
    expectReason(refusal("huge.jpg", jpeg), ReadFault::TooLarge,
                 "The picture is 65500 \xC3\x97 65500 pixels; the largest that can be opened is 30000 \xC3\x97 30000.");
}

TEST(OpenReason, CorruptDataKeepsTheLibrarysOwnWords) {
    std::vector<uint8_t> jpeg = jpegBytes(8, 8);
    jpeg[findMarker(jpeg, 0xDB) + 4] = 0x05; // a quantization table number libjpeg refuses
    expectReason(refusal("tables.jpg", jpeg), ReadFault::Corrupt, "The data is corrupt: Bogus DQT index 5.");

    std::vector<uint8_t> png = pngBytes(16, 16);
    png[png.size() - 20] ^= 0xFF; // inside the last IDAT chunk: its checksum no longer fits
    const ReadReport report = refusal("damaged.png", png);
    EXPECT_EQ(int(report.fault), int(ReadFault::Corrupt));
    EXPECT_EQ(report.reason.rfind("The data is corrupt: ", 0), 0u) << report.reason;
    EXPECT_NE(report.reason.find("IDAT"), std::string::npos) << report.reason;
}

// ---- files that end early ----

// Rows of the loaded picture equal to the source's up to some row, and opaque gray below it.
void expectGrayBelowTheData(const Surface24& loaded, const Surface8* alpha, const Surface24& source, bool exact) {
    ASSERT_EQ(loaded.size(), source.size());
    int32_t y = 0;
    for (; y < loaded.height(); ++y) {
        const uint8_t* row = loaded.row(y);
        if (std::all_of(row, row + 3 * size_t(loaded.width()), [](uint8_t v) { return v == 128; }))
            break;
        if (exact) {
            EXPECT_EQ(std::memcmp(row, source.row(y), 3 * size_t(loaded.width())), 0) << "row " << y;
        }
    }
    EXPECT_GT(y, 0) << "nothing of the picture was kept";
    EXPECT_LT(y, loaded.height()) << "no gray rows";
    for (int32_t below = y; below < loaded.height(); ++below) {
        const uint8_t* row = loaded.row(below);
        EXPECT_TRUE(std::all_of(row, row + 3 * size_t(loaded.width()), [](uint8_t v) { return v == 128; }))
            << "row " << below;
        if (alpha && !alpha->isEmpty()) {
            EXPECT_TRUE(alpha->row(below)[0] == 255 && alpha->row(below)[loaded.width() - 1] == 255) << "row " << below;
        }
    }
}

TEST(OpenReason, APngCutInHalfOpensWithTheRestGray) {
    const Surface24 source = test::patternSurface(64, 64);
    for (bool withAlpha : {false, true}) {
        SCOPED_TRACE(withAlpha);
        PngImage image;
        image.color.createLike(source);
        if (withAlpha) {
            image.alpha.create(64, 64, 8);
            image.alpha.fillValue(200);
        }
        MemoryStream out;
        ASSERT_TRUE(out.openOwned());
        ASSERT_TRUE(image.codec().saveToMemory(out, image));
        std::vector<uint8_t> file = out.takeOwnedBytes();
        file.resize(file.size() / 2);
        const fs::path path = folder() / (withAlpha ? "half-alpha.png" : "half.png");
        writeWholeFile(path, file);

        ReadReport report;
        std::unique_ptr<Document> document = openDocument(path.string(), &report);
        ASSERT_TRUE(document) << report.reason;
        EXPECT_FALSE(report.failed());
        EXPECT_TRUE(report.endsEarly);
        OpenedImage opened;
        ASSERT_TRUE(openImage(path.string(), opened));
        EXPECT_TRUE(opened.report.endsEarly);
        expectGrayBelowTheData(opened.color, &opened.alpha, source, true);
    }
}

TEST(OpenReason, AJpegCutInHalfOpensWithTheRestGray) {
    std::vector<uint8_t> file = jpegBytes(64, 64);
    file.resize(file.size() / 2);
    writeWholeFile(folder() / "half.jpg", file);
    OpenedImage opened;
    ASSERT_TRUE(openImage((folder() / "half.jpg").string(), opened)) << opened.report.reason;
    EXPECT_TRUE(opened.report.endsEarly);
    expectGrayBelowTheData(opened.color, nullptr, test::patternSurface(64, 64), false);
}

TEST(OpenReason, WholeFilesOpenWithAnEmptyReport) {
    writeWholeFile(folder() / "whole.png", pngBytes(8, 8));
    writeWholeFile(folder() / "whole.jpg", jpegBytes(8, 8));
    for (const char* name : {"whole.png", "whole.jpg"}) {
        ReadReport report;
        report.endsEarly = true; // a stale report is replaced
        EXPECT_TRUE(openDocument((folder() / name).string(), &report)) << name;
        EXPECT_FALSE(report.failed()) << name;
        EXPECT_FALSE(report.endsEarly) << name;
        EXPECT_TRUE(report.reason.empty()) << name;
    }
}

} // namespace
} // namespace pict
