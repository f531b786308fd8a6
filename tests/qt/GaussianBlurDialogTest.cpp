#include "app/commands/CommandIds.h"
#include "app/dialogs/adjustments/PreviewNavigator.h"
#include "app/qt/dialogs/adjustments/GaussianBlurDialog.h"
#include "app/qt/widgets/PreviewPane.h"
#include "qt/AdjustmentDialogFixture.h"

#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace pict::qt::test {
namespace {

class GaussianBlurDialogTest : public AdjustmentDialogTest {
protected:
    void SetUp() override {
        AdjustmentDialogTest::SetUp();
        fillBackground(0, 0, 0);
        uint8_t* centre = background().color().row(6) + 3 * 8;
        centre[0] = centre[1] = centre[2] = 255;
    }
    int centre() { return pixel(8, 6)[0]; }
    int beside() { return pixel(9, 6)[0]; }

    static GaussianBlurDialog& blur(AdjustmentDialog& dialog) { return *qobject_cast<GaussianBlurDialog*>(&dialog); }
    static void typeRadius(AdjustmentDialog& dialog, const char* text) {
        QLineEdit* field = blur(dialog).radiusField();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    QString lastFilterText() const { return window->actions().action(kCmdLastFilter)->text(); }
};

TEST_F(GaussianBlurDialogTest, OpensWithTheSmallestRadiusAndPreviewChecked) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Gaussian Blur");
        EXPECT_EQ(blur(dialog).radiusField()->text(), "0.1");
        EXPECT_EQ(blur(dialog).radiusField()->maxLength(), 6);
        EXPECT_EQ(blur(dialog).radiusSlider()->value(), 0);
        EXPECT_TRUE(dialog.previewBox()->isChecked());
        ASSERT_TRUE(blur(dialog).pane());
        EXPECT_EQ(blur(dialog).pane()->centrePoint().x, 8) << "centred on the layer";
        ok(dialog);
    });
    EXPECT_EQ(history().count(), 0) << "0.1 commits nothing";
    EXPECT_EQ(centre(), 255);
}

TEST_F(GaussianBlurDialogTest, OkRecordsThePreviewedBlurAndNamesTheLastFilter) {
    EXPECT_EQ(lastFilterText(), "Last Filter\tCtrl+F");
    EXPECT_FALSE(window->actions().action(kCmdLastFilter)->isEnabled());
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        typeRadius(dialog, "1");
        EXPECT_EQ(centre(), 63) << "radius 1 on a single bright pixel";
        EXPECT_EQ(beside(), 31);
        ok(dialog);
    });
    expectOneState("Gaussian Blur", 0);
    EXPECT_EQ(centre(), 63);
    EXPECT_EQ(lastFilterText(), "Gaussian Blur\tCtrl+F");
    EXPECT_TRUE(window->actions().action(kCmdLastFilter)->isEnabled());
}

TEST_F(GaussianBlurDialogTest, CancelTakesTheBlurBackButItStaysTheLastFilter) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        blur(dialog).radiusSlider()->setValue(20);
        EXPECT_LT(centre(), 255);
        cancel(dialog);
    });
    EXPECT_EQ(centre(), 255);
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(lastFilterText(), "Gaussian Blur\tCtrl+F");
}

TEST_F(GaussianBlurDialogTest, WithoutPreviewOkBlursOnce) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        setPreview(dialog, false);
        typeRadius(dialog, "1");
        EXPECT_EQ(centre(), 255);
        ok(dialog);
    });
    expectOneState("Gaussian Blur", 0);
    EXPECT_EQ(centre(), 63);
}

TEST_F(GaussianBlurDialogTest, OkIsDisabledWhileTheFieldHoldsNoRadiusAndResetRestoresIt) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        typeRadius(dialog, "300");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        typeRadius(dialog, "25");
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        EXPECT_GT(blur(dialog).radiusSlider()->value(), 50);
        dialog.pressReset();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(blur(dialog).radiusField()->text(), "0.1");
        EXPECT_EQ(blur(dialog).radiusSlider()->value(), 0);
        EXPECT_EQ(centre(), 255);
        cancel(dialog);
    });
    EXPECT_EQ(history().count(), 0);
}

TEST_F(GaussianBlurDialogTest, TheDialogReopensWhereItWasClosed) {
    QRect closedAt;
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        dialog.move(dialog.pos() + QPoint(37, 23));
        closedAt = dialog.geometry();
        cancel(dialog);
    });
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.geometry(), closedAt);
        cancel(dialog);
    });
}

TEST_F(GaussianBlurDialogTest, ThePaneZoomsWithinItsLimitsAndRepaintsWithThePreview) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        PreviewPane* pane = blur(dialog).pane();
        for (int k = 0; k < 20; ++k)
            pane->zoomIn();
        EXPECT_FLOAT_EQ(pane->view().zoom(), PreviewPane::kMaximumZoom);
        for (int k = 0; k < 20; ++k)
            pane->zoomOut();
        EXPECT_FLOAT_EQ(pane->view().zoom(), pane->minimumZoom());
        EXPECT_LE(pane->minimumZoom(), 1.0f);
        pane->actualPixels();
        EXPECT_FLOAT_EQ(pane->view().zoom(), 1.0f);
        EXPECT_EQ(pane->zoomSlider()->value(), PreviewZoomSlider::kSteps / 2);
        pane->zoomSlider()->setValue(PreviewZoomSlider::kLastPosition);
        EXPECT_GT(pane->view().zoom(), 7.0f) << "the slider zooms the pane";
        EXPECT_FLOAT_EQ(pane->minimumZoom(), 1.0f) << "the small image fits";
        pane->zoomSlider()->setValue(10);
        EXPECT_FLOAT_EQ(pane->view().zoom(), 1.0f);
        EXPECT_EQ(pane->zoomSlider()->value(), PreviewZoomSlider::kSteps / 2) << "the thumb stays at the zoom";
        const QImage before = pane->grab().toImage();
        typeRadius(dialog, "3");
        const QImage after = pane->grab().toImage();
        EXPECT_NE(before, after) << "the pane shows the blurred layer";
        cancel(dialog);
    });
}

TEST_F(GaussianBlurDialogTest, ThePaneShowsTransparentPixelsOverACheckerboard) {
    ASSERT_TRUE(background().ensureTransparencyMask());
    Surface8& mask = *background().transparencyMask();
    for (int32_t y = 0; y < mask.height(); ++y)
        std::fill_n(mask.row(y), mask.width(), uint8_t(0));
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        PreviewPane* pane = blur(dialog).pane();
        const QImage shown = pane->grab().toImage();
        const QColor middle = shown.pixelColor(shown.width() / 2, shown.height() / 2);
        EXPECT_TRUE(middle == QColor(255, 255, 255) || middle == QColor(204, 204, 204)) << middle.name().toStdString();
        cancel(dialog);
    });
}

TEST_F(GaussianBlurDialogTest, TheNavigatorOfALargeImageScrollsThePaneAndClosesOutsideItsBox) {
    addBlank(900, 600, "Large");
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        PreviewPane* pane = blur(dialog).pane();
        ASSERT_TRUE(pane->isNavigatorAvailable());
        EXPECT_NEAR(pane->centrePoint().x, 450, 1) << "centred on the layer";
        pane->openNavigator();
        ASSERT_TRUE(pane->isNavigatorOpen());
        const Rect picture = PreviewNavigator::picture(
            PreviewNavigator::thumbnail(PreviewNavigator::box(pane->width()), {900, 600}));
        // The picture's top-left corner: the pane scrolls to the image's top-left corner.
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(picture.left + 1, picture.top + 1));
        EXPECT_LT(pane->centrePoint().x, 200);
        EXPECT_LT(pane->centrePoint().y, 200);
        EXPECT_TRUE(pane->isNavigatorOpen());
        QTest::mouseClick(pane, Qt::LeftButton, {}, QPoint(5, pane->height() - 5));
        EXPECT_FALSE(pane->isNavigatorOpen()) << "a press outside the box closes it";
        cancel(dialog);
    });
}

TEST_F(GaussianBlurDialogTest, ASmallImageHasNoNavigator) {
    runDialog(kCmdGaussianBlur, [&](AdjustmentDialog& dialog) {
        PreviewPane* pane = blur(dialog).pane();
        EXPECT_FALSE(pane->isNavigatorAvailable());
        pane->openNavigator();
        EXPECT_FALSE(pane->isNavigatorOpen());
        cancel(dialog);
    });
}

} // namespace
} // namespace pict::qt::test
