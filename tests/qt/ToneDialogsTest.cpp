#include "app/commands/CommandIds.h"
#include "app/qt/widgets/CurveGraph.h"
#include "app/qt/dialogs/adjustments/CurvesDialog.h"
#include "app/qt/widgets/LevelsWidgets.h"
#include "qt/AdjustmentDialogFixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTest>

namespace pict::qt::test {
namespace {

using ToneDialogsTest = AdjustmentDialogTest;
using Pixel = std::array<int, 3>;

void chooseChannel(AdjustmentDialog& dialog, int channel) {
    auto* box = dialog.findChild<QComboBox*>(QStringLiteral("channel"));
    ASSERT_TRUE(box);
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->itemText(0), "RGB");
    EXPECT_EQ(box->itemText(3), "Blue");
    box->setCurrentIndex(channel);
    emit box->activated(channel);
}

TEST_F(ToneDialogsTest, LevelsShowsTheLayersHistogramAndAdjustsOneChannel) {
    runDialog(kCmdLevels, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Levels");
        auto* histogram = child<HistogramView>(dialog, "histogram");
        ASSERT_TRUE(histogram);
        EXPECT_EQ(histogram->counts()[150], 16u * 12u) << "RGB: every pixel's green";
        EXPECT_EQ(histogram->counts()[100], 16u * 12u);
        chooseChannel(dialog, kToneRed);
        EXPECT_EQ(histogram->counts()[150], 0u);
        setField(dialog, "outputWhite", 200);
        EXPECT_EQ(pixel(), (Pixel{78, 150, 200})) << "red only: 100 * 200 / 255, rounded";
        chooseChannel(dialog, kToneComposite);
        EXPECT_EQ(child<QSpinBox>(dialog, "outputWhite")->value(), 255) << "the composite has its own values";
        ok(dialog);
    });
    expectOneState("Levels", 0);
    EXPECT_EQ(pixel(), (Pixel{78, 150, 200}));
}

TEST_F(ToneDialogsTest, LevelsDraggingTheWhiteHandleMovesTheWhitePoint) {
    runDialog(kCmdLevels, [&](AdjustmentDialog& dialog) {
        auto* bar = child<LevelBar>(dialog, "inputBar");
        ASSERT_TRUE(bar);
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->xOfLevel(255), 15));
        QTest::mouseMove(bar, QPoint(bar->xOfLevel(200), 15));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->xOfLevel(200), 15));
        EXPECT_EQ(child<QSpinBox>(dialog, "inputWhite")->value(), 200);
        EXPECT_EQ(pixel()[2], 255) << "200 and above become white";
        setPreview(dialog, false);
        EXPECT_EQ(pixel()[2], 200);
        cancel(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ToneDialogsTest, LevelsGammaWithoutPreviewAppliesOnOk) {
    runDialog(kCmdLevels, [&](AdjustmentDialog& dialog) {
        setPreview(dialog, false);
        auto* gamma = child<QDoubleSpinBox>(dialog, "gamma");
        ASSERT_TRUE(gamma);
        EXPECT_EQ(gamma->decimals(), 2);
        gamma->setValue(2.0);
        EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
        ok(dialog);
    });
    expectOneState("Levels", 0);
    EXPECT_EQ(pixel()[0], 160) << "255 * (100/255)^0.5, rounded";
}

TEST_F(ToneDialogsTest, CurvesPointsAreDraggedOnTheGraphWithReadouts) {
    runDialog(kCmdCurves, [&](AdjustmentDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Curves");
        auto* curves = qobject_cast<CurvesDialog*>(&dialog);
        ASSERT_TRUE(curves);
        CurveGraph* graph = curves->graph();
        QTest::mousePress(graph, Qt::LeftButton, {}, graph->widgetPoint(100, 100));
        QTest::mouseMove(graph, graph->widgetPoint(100, 160));
        EXPECT_EQ(child<QLabel>(dialog, "input")->text(), "100");
        EXPECT_EQ(child<QLabel>(dialog, "output")->text(), "160");
        QTest::mouseRelease(graph, Qt::LeftButton, {}, graph->widgetPoint(100, 160));
        EXPECT_GT(pixel()[0], 100) << "the preview brightened the layer";
        ok(dialog);
    });
    expectOneState("Curves", 0);
    EXPECT_EQ(pixel()[0], 160) << "the dragged point passes through (100, 160)";
}

TEST_F(ToneDialogsTest, CurvesCtrlClickRemovesAPointAndAnUnchangedCurveRecordsNothing) {
    runDialog(kCmdCurves, [&](AdjustmentDialog& dialog) {
        CurveGraph* graph = qobject_cast<CurvesDialog*>(&dialog)->graph();
        QTest::mouseClick(graph, Qt::LeftButton, {}, graph->widgetPoint(128, 128));
        QTest::mouseClick(graph, Qt::LeftButton, Qt::ControlModifier, graph->widgetPoint(128, 128));
        EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
        ok(dialog);
    });
    EXPECT_EQ(history().count(), 0);
}

TEST_F(ToneDialogsTest, CurvesCancelTakesThePreviewBack) {
    runDialog(kCmdCurves, [&](AdjustmentDialog& dialog) {
        CurveGraph* graph = qobject_cast<CurvesDialog*>(&dialog)->graph();
        QTest::mousePress(graph, Qt::LeftButton, {}, graph->widgetPoint(0, 0));
        QTest::mouseMove(graph, graph->widgetPoint(0, 255));
        QTest::mouseRelease(graph, Qt::LeftButton, {}, graph->widgetPoint(0, 255));
        EXPECT_EQ(pixel(), (Pixel{255, 255, 255})) << "a flat white curve";
        cancel(dialog);
    });
    EXPECT_EQ(pixel(), (Pixel{100, 150, 200}));
    EXPECT_EQ(history().count(), 0);
}

} // namespace
} // namespace pict::qt::test
