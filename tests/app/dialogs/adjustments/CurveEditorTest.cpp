#include "app/dialogs/adjustments/CurveEditor.h"

#include <gtest/gtest.h>

#include <random>

namespace pict {
namespace {

using Click = CurveEditor::ClickResult;

TEST(CurveEditor, ClickNearTheCurveInsertsInOrderAndSelects) {
    CurveEditor editor;
    EXPECT_EQ(editor.click(128, 133, false), Click::Inserted);
    EXPECT_EQ(editor.points(), (CurvePoints{{0, 0}, {128, 133}, {255, 255}}));
    EXPECT_EQ(editor.selectedPoint(), 1);
    EXPECT_EQ(editor.click(60, 62, false), Click::Inserted);
    EXPECT_EQ(editor.selectedPoint(), 1);
    EXPECT_EQ(editor.points()[2], (CurvePoint{128, 133}));
    EXPECT_EQ(editor.click(200, 20, false), Click::Ignored); // far from the curve
    EXPECT_EQ(editor.points().size(), 4u);
}

TEST(CurveEditor, ClickNearAPointSelectsAndMovesIt) {
    CurveEditor editor;
    editor.click(128, 128, false);
    EXPECT_EQ(editor.click(133, 122, false), Click::Selected); // 25 + 36 = 61: near
    EXPECT_EQ(editor.points()[1], (CurvePoint{133, 122}));
    EXPECT_EQ(editor.click(4, 6, false), Click::Selected); // the first point keeps x = 0
    EXPECT_EQ(editor.points().front(), (CurvePoint{0, 6}));
    EXPECT_EQ(editor.selectedPoint(), 0);
    EXPECT_EQ(editor.click(300, 260, false), Click::Selected); // clicks are limited to the graph
    EXPECT_EQ(editor.points().back(), (CurvePoint{255, 255}));
    EXPECT_EQ(editor.click(250, 250, false), Click::Selected); // 25 + 25 = 50
    EXPECT_EQ(editor.points().back(), (CurvePoint{255, 250}));
}

TEST(CurveEditor, CtrlClickRemovesMiddlePointsButNeverTheEnds) {
    CurveEditor editor;
    editor.click(100, 100, false);
    EXPECT_EQ(editor.click(2, 3, true), Click::Ignored);
    EXPECT_EQ(editor.click(252, 255, true), Click::Ignored);
    EXPECT_EQ(editor.points().size(), 3u);
    EXPECT_EQ(editor.click(104, 97, true), Click::Removed);
    EXPECT_EQ(editor.points(), CurvesSettings::defaultCurve());
    EXPECT_EQ(editor.selectedPoint(), CurveEditor::kNoPoint);
}

TEST(CurveEditor, PointsNeverPassOrMeetTheirNeighbours) {
    CurveEditor editor;
    editor.click(100, 100, false);
    editor.click(150, 150, false);
    EXPECT_EQ(editor.selectedPoint(), 2);
    EXPECT_TRUE(editor.moveSelected(40, 90)); // dragged past the point at 100
    EXPECT_EQ(editor.points()[2], (CurvePoint{101, 90}));
    EXPECT_TRUE(editor.moveSelected(255, 300));
    EXPECT_EQ(editor.points()[2], (CurvePoint{254, 255}));
    EXPECT_FALSE(editor.moveSelected(255, 255)); // already there
    EXPECT_TRUE(isValidCurve(editor.points()));
}

TEST(CurveEditor, AListHoldsAtMostTenPoints) {
    CurveEditor editor;
    for (int32_t x = 25; x <= 200; x += 25)
        ASSERT_EQ(editor.click(x, x, false), Click::Inserted) << x;
    EXPECT_EQ(editor.points().size(), 10u);
    EXPECT_EQ(editor.click(240, 240, false), Click::Ignored);
    EXPECT_EQ(editor.points().size(), 10u);
}

TEST(CurveEditor, RandomEditingKeepsEveryListAcceptable) {
    CurveEditor editor;
    std::mt19937 random(17);
    for (int i = 0; i < 5000; ++i) {
        if (i % 500 == 0)
            editor.setChannel(int32_t(random() % kToneChannelCount));
        const auto x = int32_t(random() % 280) - 12;
        const int32_t y = editor.curveAt(x) + int32_t(random() % 21) - 10;
        if (random() % 3 == 0)
            editor.moveSelected(x, y);
        else
            editor.click(x, y, random() % 4 == 0);
        ASSERT_TRUE(editor.settings().isValid()) << "step " << i;
    }
}

TEST(CurveEditor, ChannelsAreEditedApartAndResetRestoresAll) {
    CurveEditor editor;
    editor.setChannel(kToneRed);
    EXPECT_EQ(editor.click(128, 128, false), Click::Inserted);
    editor.moveSelected(128, 255);
    EXPECT_EQ(editor.settings().channel[kToneRed], (CurvePoints{{0, 0}, {128, 255}, {255, 255}}));
    EXPECT_EQ(editor.settings().channel[kToneComposite], CurvesSettings::defaultCurve());
    EXPECT_FALSE(editor.settings().isIdentity());
    editor.setChannel(9);
    EXPECT_EQ(editor.channel(), kToneRed);
    editor.reset();
    EXPECT_TRUE(editor.settings().isIdentity());
    EXPECT_EQ(editor.channel(), kToneComposite);
}

TEST(CurveEditor, UnacceptableStartingListsBecomeTheDefaultLine) {
    CurvesSettings given;
    given.channel[kToneGreen] = {{0, 0}, {80, 10}, {80, 200}, {255, 255}};
    given.channel[kToneBlue] = {{0, 255}, {255, 0}};
    CurveEditor editor(given);
    EXPECT_EQ(editor.settings().channel[kToneGreen], CurvesSettings::defaultCurve());
    EXPECT_EQ(editor.settings().channel[kToneBlue], given.channel[kToneBlue]);
    editor.setChannel(kToneBlue);
    EXPECT_EQ(editor.curveAt(0), 255);
    EXPECT_EQ(editor.curveAt(255), 0);
}

} // namespace
} // namespace pict
