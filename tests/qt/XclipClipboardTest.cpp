// The clipboard against a real X server and another program (xclip). Runs only on the xcb
// platform with xclip installed: tests/gui/clipboard_xclip.sh starts Xvfb and runs it there.
#include "app/qt/window/ClipboardImage.h"
#include "document/PixelPiece.h"
#include "qt/MainWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>

namespace pict::qt {
namespace {

QImage translucentPicture() {
    QImage image(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, qRgba(20 + 50 * x, 200 - 40 * y, 7 * (x + y), x == 0 ? 0 : 60 * x + 10 * y));
    return image;
}

class XclipTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::testApplication();
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "needs an X server (tests/gui/clipboard_xclip.sh)";
        if (QStandardPaths::findExecutable("xclip").isEmpty())
            GTEST_SKIP() << "xclip is not installed";
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        if (window)
            MainWindowTest::TearDown();
    }

    // Runs xclip while this process keeps answering the X server (it may own the clipboard).
    QByteArray xclip(const QStringList& arguments, const QByteArray& input = {}) {
        QProcess process;
        process.start("xclip", arguments);
        if (!input.isEmpty()) {
            process.write(input);
            process.closeWriteChannel();
        }
        EXPECT_TRUE(test::waitUntil([&] { return process.state() == QProcess::NotRunning; }, 10000));
        return process.readAllStandardOutput();
    }
};

TEST_F(XclipTest, APngPutThereByXclipPastesWithItsExactPixels) {
    DocumentFrame* frame = addBlank(20, 10);
    const QString file = QString::fromStdString((pict::test::scratchDir() / "xclip-in.png").string());
    ASSERT_TRUE(translucentPicture().save(file, "PNG"));
    xclip({"-selection", "clipboard", "-t", "image/png", "-i", file});
    ASSERT_TRUE(test::waitUntil([&] { return frame->commands().isEnabled(kCmdPaste); }, 5000));
    ASSERT_EQ(frame->executeCommand(kCmdPaste).outcome, CommandOutcome::Done);
    const RasterLayer* pasted = frame->document().layers().rasterAt(1);
    ASSERT_NE(pasted, nullptr);
    const QImage expected = translucentPicture();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const QRgb want = expected.pixel(x, y);
            EXPECT_EQ(pasted->alphaAt(x, y), qAlpha(want)) << x << "," << y;
            if (qAlpha(want) != 0) {
                EXPECT_EQ(pasted->colorAt(x, y)[2], qRed(want)) << x << "," << y;
                EXPECT_EQ(pasted->colorAt(x, y)[0], qBlue(want)) << x << "," << y;
            }
        }
}

TEST_F(XclipTest, AfterCopyXclipReadsThePngWithItsTransparency) {
    DocumentFrame* frame = addBlank(20, 10);
    PixelPiece piece;
    ASSERT_TRUE(pieceFromImage(translucentPicture(), piece));
    auto layer = RasterLayer::createFromPixels(&frame->document().layers(), piece.color, piece.alpha, {3, 3},
                                               "Glass", false);
    ASSERT_TRUE(frame->document().layers().add(std::move(layer)));
    ASSERT_EQ(frame->executeCommand(kCmdCopy).outcome, CommandOutcome::Done);
    test::processEventsFor(200);
    const QByteArray png = xclip({"-selection", "clipboard", "-t", "image/png", "-o"});
    const QImage read = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read, translucentPicture());
}

} // namespace
} // namespace pict::qt
