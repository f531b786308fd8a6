#include "app/SessionFixture.h"

#include "app/dialogs/adjustments/GaussianBlurDialogModel.h"
#include "app/commands/LastFilterSlot.h"

namespace pict {
namespace {

class GaussianBlurDialogModelTest : public test::SessionTest {
protected:
    GaussianBlurDialogModelTest() : SessionTest(5, 5) {
        app_.lastFilter = &slot_;
        uint8_t* centre = layers().rasterAt(0)->color().row(2) + 6;
        centre[0] = centre[1] = centre[2] = 0;
    }
    int centre() { return layers().rasterAt(0)->colorAt(2, 2)[0]; }
    LastFilterSlot slot_;
};

TEST_F(GaussianBlurDialogModelTest, StartsAtTheSmallestRadiusWhichCommitsNothing) {
    GaussianBlurDialogModel model(session_);
    EXPECT_EQ(model.text(), "0.1");
    EXPECT_EQ(model.sliderPosition(), 0);
    EXPECT_TRUE(model.canConfirm());
    EXPECT_TRUE(model.isIdentity());
    const FilterParams answer = model.accept();
    EXPECT_FALSE(answer.filter);
    EXPECT_FALSE(answer.previewedState);
}

TEST_F(GaussianBlurDialogModelTest, TheSliderSetsTheRadiusAsTheFieldShowsIt) {
    GaussianBlurDialogModel model(session_);
    model.setSliderPosition(1);
    EXPECT_EQ(model.text(), "0.2") << "0.198 shown with two decimals";
    EXPECT_DOUBLE_EQ(model.radius(), 0.2);
    EXPECT_FALSE(model.isIdentity()) << "what the field shows is what OK commits";
    model.setSliderPosition(50);
    EXPECT_EQ(model.text(), "5");
    model.setSliderPosition(500);
    EXPECT_EQ(model.sliderPosition(), 200);
    EXPECT_EQ(model.text(), "250");
}

TEST_F(GaussianBlurDialogModelTest, TheFieldTakesNumbersUpTo250AndMovesTheSlider) {
    GaussianBlurDialogModel model(session_);
    model.setText("100");
    EXPECT_TRUE(model.canConfirm());
    EXPECT_DOUBLE_EQ(model.radius(), 100.0);
    EXPECT_EQ(model.sliderPosition(), 180);
    for (const char* refused : {"", "250.01", "abc", "1.2.3", "1234567", "-3"}) {
        model.setText(refused);
        EXPECT_FALSE(model.canConfirm()) << refused;
        EXPECT_DOUBLE_EQ(model.radius(), 100.0) << "a refused text keeps the last radius";
    }
    model.setText("2.5");
    EXPECT_TRUE(model.canConfirm());
    EXPECT_EQ(model.sliderPosition(), GaussianBlurDialogModel::sliderForRadius(2.5));
    EXPECT_EQ(model.text(), "2.5") << "the field keeps what was typed";
}

TEST_F(GaussianBlurDialogModelTest, PreviewBlursTheLayerAndMakesItTheLastFilter) {
    GaussianBlurDialogModel model(session_);
    model.setText("1");
    EXPECT_GT(centre(), 0);
    ASSERT_FALSE(slot_.isEmpty());
    EXPECT_EQ(lastFilterMenuLabel(slot_), "Gaussian Blur\tCtrl+F");
    model.cancel();
    EXPECT_EQ(centre(), 0);
    EXPECT_FALSE(slot_.isEmpty()) << "a cancelled preview still was the last filter";
}

TEST_F(GaussianBlurDialogModelTest, ResetGoesBackToTheSmallestRadius) {
    GaussianBlurDialogModel model(session_);
    model.setText("abc");
    model.reset();
    EXPECT_EQ(model.text(), "0.1");
    EXPECT_TRUE(model.canConfirm());
    EXPECT_EQ(centre(), 0);
}

} // namespace
} // namespace pict
