// The status bar: the picture's size, the pointer's image position and the typed zoom.
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/StatusBarFields.h"
#include "qt/MainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>

namespace pict::qt::test {
namespace {

using StatusBarTest = MainWindowTest;

TEST_F(StatusBarTest, ShowsTheActivePicturesSizeAndThePointer) {
    StatusBarFields* fields = window->statusFields();
    ASSERT_NE(fields, nullptr);
    EXPECT_EQ(fields->sizeField()->text(), "");
    EXPECT_FALSE(fields->zoomField()->isEnabled()) << "no document, nothing to zoom";

    DocumentFrame* frame = frameWithClient(20, 10, QSize(100, 60));
    EXPECT_EQ(fields->sizeField()->text(), "20 × 10 px");
    EXPECT_EQ(fields->zoomField()->text(), "100%");
    // The image sits at (40, 25) at 100 %.
    QWidget* area = frame->canvas()->viewport();
    QTest::mouseMove(area, QPoint(43, 27));
    EXPECT_EQ(fields->positionField()->text(), "3, 2");
    QTest::mouseMove(area, QPoint(5, 5));
    EXPECT_EQ(fields->positionField()->text(), "") << "off the picture";

    window->executeCommand(kCmdZoom200);
    EXPECT_EQ(fields->zoomField()->text(), "200%");
    window->executeCommand(kCmdSelectAll);
    window->executeCommand(kCmdRotate90CW);
    EXPECT_EQ(fields->sizeField()->text(), "10 × 20 px") << "follows the canvas";

    DocumentFrame* other = addBlank(33, 44);
    EXPECT_EQ(fields->sizeField()->text(), "33 × 44 px");
    window->documentArea()->setActiveSubWindow(frame);
    EXPECT_EQ(fields->sizeField()->text(), "10 × 20 px");
    other->close();
}

TEST_F(StatusBarTest, TypingAZoomAndEnterZooms) {
    DocumentFrame* frame = frameWithClient(200, 200, QSize(100, 100));
    QLineEdit* zoom = window->statusFields()->zoomField();
    zoom->setFocus();
    zoom->selectAll();
    QTest::keyClicks(zoom, QStringLiteral("150"));
    QTest::keyClick(zoom, Qt::Key_Return);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 1.5f);
    EXPECT_EQ(zoom->text(), "150%");
    EXPECT_EQ(frame->windowTitle(), "Untitled-9 @ 150%");

    // Beyond the range it is held to it; nonsense puts the zoom back.
    zoom->setText(QStringLiteral("5000"));
    QTest::keyClick(zoom, Qt::Key_Return);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 16.0f);
    EXPECT_EQ(zoom->text(), "1600%");
    zoom->setText(QStringLiteral("big"));
    QTest::keyClick(zoom, Qt::Key_Enter);
    EXPECT_FLOAT_EQ(frame->view().zoom(), 16.0f);
    EXPECT_EQ(zoom->text(), "1600%");
    zoom->setText(QStringLiteral("33,5 %"));
    QTest::keyClick(zoom, Qt::Key_Return);
    EXPECT_NEAR(frame->view().zoom(), 0.335f, 1e-6);
}

} // namespace
} // namespace pict::qt::test
