// How every reader ends: a failed or out-of-memory read leaves nothing loaded and says why;
// an image of the wrong kind is refused; a good read keeps what it read.
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/PictureReaders.h"
#include "codecs/ReadReport.h"

#include "codecs/CodecTestSupport.h"
#include "codecs/PictureFileBuilders.h"

#include <gtest/gtest.h>

#include <new>

namespace pict {
namespace {

TEST(GuardedRead, OutcomesOfTheBody) {
    struct Case {
        const char* name;
        int outcome; // 0 succeeds, 1 fails with a reason, 2 runs out of memory
        bool wantResult;
        ReadFault wantFault;
        bool wantDropped;
    };
    for (const Case& c : {Case{"succeeds", 0, true, ReadFault::None, false},
                          Case{"fails", 1, false, ReadFault::Corrupt, true},
                          Case{"runs out of memory", 2, false, ReadFault::NoMemory, true}}) {
        SCOPED_TRACE(c.name);
        ReadReport report;
        bool dropped = false;
        const bool result = guardedRead(
            report,
            [&] {
                if (c.outcome == 2)
                    throw std::bad_alloc();
                return c.outcome == 0 || report.corrupt("it says so");
            },
            [&] { dropped = true; });
        EXPECT_EQ(result, c.wantResult);
        EXPECT_EQ(report.fault, c.wantFault);
        EXPECT_EQ(dropped, c.wantDropped);
    }
}

TEST(GuardedRead, TheFirstReasonStaysWhenMemoryRunsOutLater) {
    ReadReport report;
    EXPECT_FALSE(guardedRead(
        report,
        [&]() -> bool {
            report.truncated(10, 40);
            throw std::bad_alloc();
        },
        [] {}));
    EXPECT_EQ(report.fault, ReadFault::Truncated);
}

std::vector<uint8_t> savedBytes(CodecImage& image) {
    image.color = test::patternSurface(9, 7);
    image.bitDepth = 24;
    MemoryStream out;
    EXPECT_TRUE(out.openOwned());
    EXPECT_TRUE(image.codec().saveToMemory(out, image));
    return out.takeOwnedBytes();
}

// Each codec's load: a good file fills the image; the same file cut short and loaded into
// the filled image leaves it empty with a reason; an image of another kind is refused.
TEST(GuardedLoad, EveryCodecClearsAFailedLoad) {
    for (FileKind kind : {FileKind::Bmp, FileKind::Jpg, FileKind::Png}) {
        SCOPED_TRACE(std::string(kindName(kind)));
        std::unique_ptr<CodecImage> image = createCodecImage(kind);
        ASSERT_TRUE(image);
        const std::vector<uint8_t> bytes = savedBytes(*image);
        image->clearLoaded();
        ASSERT_TRUE(image->codec().loadFromMemory(*image, bytes.data(), bytes.size(), false));
        EXPECT_EQ(image->color.size(), (Size{9, 7}));
        EXPECT_FALSE(image->report.failed());

        ASSERT_TRUE(image->codec().loadFromMemory(*image, bytes.data(), 20, false) == false);
        EXPECT_TRUE(image->color.isEmpty());
        EXPECT_EQ(image->width, 0);
        EXPECT_TRUE(image->report.failed());

        const FileKind other = kind == FileKind::Png ? FileKind::Bmp : FileKind::Png;
        std::unique_ptr<CodecImage> wrong = createCodecImage(other);
        wrong->color = test::patternSurface(2, 2);
        EXPECT_FALSE(image->codec().loadFromMemory(*wrong, bytes.data(), bytes.size(), false));
        EXPECT_EQ(wrong->report.fault, ReadFault::NotThisKind);
        EXPECT_TRUE(wrong->color.isEmpty());
    }
}

// The GIF and icon readers start from empty surfaces and leave them empty when they fail.
TEST(PictureReaders, FailedReadsLeaveBothSurfacesEmpty) {
    using Reader = bool (*)(ByteStream&, Surface24&, Surface8&, ReadReport&);
    const std::vector<uint8_t> gif = test::makeGif(4, 4, {test::checkerFrame(4, 4)});
    const std::vector<uint8_t> icon = test::makeIcon({test::bitmapEntry(8, 32, true, true)});
    for (const auto& [reader, bytes] : {std::pair<Reader, const std::vector<uint8_t>*>{readGif, &gif},
                                        std::pair<Reader, const std::vector<uint8_t>*>{readIcon, &icon}}) {
        Surface24 color = test::patternSurface(3, 3);
        Surface8 alpha;
        ASSERT_TRUE(alpha.create(3, 3, 8));
        MemoryStream whole;
        ASSERT_TRUE(whole.attach(bytes->data(), int64_t(bytes->size())));
        ReadReport report;
        ASSERT_TRUE(reader(whole, color, alpha, report));
        EXPECT_EQ(color.size(), (Size{bytes == &gif ? 4 : 8, bytes == &gif ? 4 : 8}));

        MemoryStream cut;
        ASSERT_TRUE(cut.attach(bytes->data(), 12));
        ReadReport cutReport;
        EXPECT_FALSE(reader(cut, color, alpha, cutReport));
        EXPECT_TRUE(cutReport.failed());
        EXPECT_TRUE(color.isEmpty());
        EXPECT_TRUE(alpha.isEmpty());

        MemoryStream closed;
        ReadReport closedReport;
        EXPECT_FALSE(reader(closed, color, alpha, closedReport));
        EXPECT_EQ(closedReport.fault, ReadFault::CannotRead);
    }
}

} // namespace
} // namespace pict
