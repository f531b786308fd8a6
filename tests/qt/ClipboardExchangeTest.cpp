// The editor's clipboard over the real (offscreen) system clipboard: what Copy publishes and
// what Paste reads, in every format other programs use.
#include "app/qt/window/ClipboardImage.h"
#include "app/qt/window/SystemClipboard.h"
#include "app/session/InternalClipboard.h"
#include "document/PixelPiece.h"
#include "qt/MainWindowFixture.h"
#include "support/DocumentFixtures.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace pict::qt {
namespace {

// 3 x 2 with a distinct color and transparency per pixel.
QImage samplePicture() {
    QImage image(3, 2, QImage::Format_ARGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, y, qRgba(10 + 40 * x, 20 + 50 * y, 30 + x + y, 255 - 60 * (x + 2 * y)));
    return image;
}

QByteArray encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void expectSamePixels(const QImage& expected, const PixelPiece& piece, bool withAlpha = true) {
    ASSERT_EQ(piece.size(), (Size{expected.width(), expected.height()}));
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const uint8_t* got = piece.color.row(y) + 3 * x;
            EXPECT_EQ(got[2], qRed(want)) << x << "," << y;
            EXPECT_EQ(got[1], qGreen(want)) << x << "," << y;
            EXPECT_EQ(got[0], qBlue(want)) << x << "," << y;
            if (withAlpha) {
                EXPECT_EQ(piece.alpha.valueAt(x, y), qAlpha(want)) << x << "," << y;
            }
        }
}

void putOnClipboard(const char* format, const QByteArray& bytes) {
    auto* data = new QMimeData;
    data->setData(format, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
    test::processEventsFor(10);
}

class SystemClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::testApplication();
        QGuiApplication::clipboard()->clear();
        system = std::make_unique<SystemClipboard>();
        clipboard = std::make_unique<InternalClipboard>(system.get());
    }
    void TearDown() override {
        clipboard.reset();
        system.reset();
        QGuiApplication::clipboard()->clear();
    }
    std::unique_ptr<SystemClipboard> system;
    std::unique_ptr<InternalClipboard> clipboard;
};

TEST_F(SystemClipboardTest, CopyPublishesPngWithTransparencyAndABitmapAtOnce) {
    PixelPiece piece;
    ASSERT_TRUE(pieceFromImage(samplePicture(), piece));
    piece.origin = {7, 8};
    clipboard->store(std::move(piece));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasImage()) << "offered at once, before any encoding";
    EXPECT_TRUE(data->hasFormat("image/png"));
    EXPECT_TRUE(system->holdsOwnPicture());
    EXPECT_TRUE(clipboard->hasImage());

    system->waitForEncoding();
    data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat("image/png"));
    ASSERT_TRUE(data->hasFormat("image/bmp"));
    PixelPiece fromPng;
    ASSERT_TRUE(pieceFromImage(QImage::fromData(data->data("image/png"), "PNG"), fromPng));
    expectSamePixels(samplePicture(), fromPng);
    PixelPiece fromBmp;
    ASSERT_TRUE(pieceFromImage(QImage::fromData(data->data("image/bmp"), "BMP"), fromBmp));
    expectSamePixels(samplePicture(), fromBmp, false);

    // Still ours: Paste takes our exact copy with its origin.
    const ClipboardPicture picture = clipboard->picture();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(picture.hasOrigin);
    EXPECT_EQ(picture.piece->origin, (Point{7, 8}));
}

// Another program may ask the moment Copy returns, while the worker is still encoding, or
// after several quick copies whose older encodings were cancelled: each time it gets the bytes
// of the last copy, in every format.
TEST_F(SystemClipboardTest, AFormatAskedForBeforeItIsEncodedIsWaitedFor) {
    QImage large(900, 700, QImage::Format_ARGB32);
    for (int y = 0; y < large.height(); ++y)
        for (int x = 0; x < large.width(); ++x)
            large.setPixel(x, y, qRgba(x % 251, y % 241, (x * y) % 239, (x + y) % 256));
    for (int copies = 1; copies <= 3; ++copies) {
        for (int round = 0; round < copies; ++round) {
            PixelPiece piece;
            ASSERT_TRUE(pieceFromImage(round + 1 == copies ? large : samplePicture(), piece));
            clipboard->store(std::move(piece));
        }
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        const QImage image = qvariant_cast<QImage>(data->imageData());
        EXPECT_EQ(image.convertToFormat(QImage::Format_ARGB32), large) << copies;
        PixelPiece fromPng;
        ASSERT_TRUE(pieceFromImage(QImage::fromData(data->data("image/png"), "PNG"), fromPng));
        expectSamePixels(large, fromPng);
        PixelPiece fromBmp;
        ASSERT_TRUE(pieceFromImage(QImage::fromData(data->data("image/bmp"), "BMP"), fromBmp));
        expectSamePixels(large, fromBmp, false);
    }
}

TEST_F(SystemClipboardTest, AnotherProgramsPngIsReadFirst) {
    PixelPiece ours;
    ASSERT_TRUE(pieceFromImage(QImage(5, 5, QImage::Format_ARGB32), ours));
    clipboard->store(std::move(ours));
    putOnClipboard("image/png", encode(samplePicture(), "PNG"));
    EXPECT_FALSE(system->holdsOwnPicture());
    EXPECT_TRUE(system->offersImage());
    const ClipboardPicture picture = clipboard->picture();
    ASSERT_TRUE(picture);
    EXPECT_FALSE(picture.hasOrigin);
    expectSamePixels(samplePicture(), *picture.piece);
}

TEST_F(SystemClipboardTest, ABitmapAloneIsRead) {
    QImage opaque = samplePicture().convertToFormat(QImage::Format_RGB32);
    putOnClipboard("image/bmp", encode(opaque, "BMP"));
    PixelPiece piece;
    ASSERT_TRUE(system->readImage(piece));
    expectSamePixels(opaque, piece);
    EXPECT_TRUE(piece.alpha.isAll(255));
}

TEST_F(SystemClipboardTest, AnyImageQtOffersIsRead) {
    auto* data = new QMimeData;
    data->setImageData(samplePicture());
    QGuiApplication::clipboard()->setMimeData(data);
    test::processEventsFor(10);
    PixelPiece piece;
    ASSERT_TRUE(system->readImage(piece));
    expectSamePixels(samplePicture(), piece);
}

TEST_F(SystemClipboardTest, TextIsNoPictureAndPurgeEmptiesBoth) {
    QGuiApplication::clipboard()->setText("hello");
    test::processEventsFor(10);
    EXPECT_FALSE(system->offersImage());
    EXPECT_FALSE(clipboard->hasImage());
    PixelPiece piece;
    ASSERT_TRUE(pieceFromImage(samplePicture(), piece));
    clipboard->store(std::move(piece));
    EXPECT_TRUE(clipboard->hasImage());
    clipboard->clear();
    EXPECT_FALSE(clipboard->hasImage());
    EXPECT_FALSE(system->offersImage());
}

using ClipboardWindowTest = test::MainWindowTest;

TEST_F(ClipboardWindowTest, APngFromAnotherProgramPastesAsALayerWithItsPixels) {
    DocumentFrame* frame = addBlank(20, 10);
    putOnClipboard("image/png", encode(samplePicture(), "PNG"));
    ASSERT_TRUE(test::waitUntil([&] { return frame->commands().isEnabled(kCmdPaste); }));
    ASSERT_EQ(frame->executeCommand(kCmdPaste).outcome, CommandOutcome::Done);
    const LayerStack& layers = frame->document().layers();
    ASSERT_EQ(layers.count(), 2);
    const RasterLayer* pasted = layers.rasterAt(1);
    ASSERT_NE(pasted, nullptr);
    PixelPiece piece;
    ASSERT_TRUE(pasted->layerImage(piece.color, piece.alpha));
    expectSamePixels(samplePicture(), piece);
}

TEST_F(ClipboardWindowTest, CopyInTheEditorPutsThePixelsOnTheSystemClipboard) {
    DocumentFrame* frame = addBlank(20, 10);
    ASSERT_EQ(frame->commands().selectMarquee(Rect{2, 2, 5, 4}, false).outcome, CommandOutcome::Done);
    ASSERT_EQ(frame->executeCommand(kCmdCopy).outcome, CommandOutcome::Done);
    ASSERT_TRUE(test::waitUntil([] { return QGuiApplication::clipboard()->mimeData()->hasFormat("image/png"); }));
    const QImage png = QImage::fromData(QGuiApplication::clipboard()->mimeData()->data("image/png"), "PNG");
    EXPECT_EQ(png.size(), QSize(3, 2));
    EXPECT_EQ(png.pixel(0, 0), qRgba(255, 255, 255, 255));
    // New From Clipboard takes it too.
    const size_t before = window->frames().size();
    window->executeCommand(kCmdNewFromClipboard);
    ASSERT_EQ(window->frames().size(), before + 1);
    EXPECT_EQ(window->frames().back()->document().width(), 3);
    QGuiApplication::clipboard()->clear();
}

} // namespace
} // namespace pict::qt
