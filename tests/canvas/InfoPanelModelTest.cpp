#include "canvas/InfoPanelModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

// A view buffer of one color, sized to the client.
ViewBuffer filled(Size client, uint32_t pixel) {
    ViewBuffer b;
    EXPECT_TRUE(b.resize(client));
    std::fill(b.pixels.begin(), b.pixels.end(), pixel);
    return b;
}

std::vector<std::string> texts(const InfoPanelModel& info) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < kInfoFieldCount; ++i)
        out.push_back(info.text(static_cast<InfoField>(i)));
    return out;
}

TEST(InfoPanelModelTest, LabelsInPanelOrderAndAllFieldsStartBlank) {
    const char* expected[] = {"R :", "G :", "B :", "X :", "Y :", "W :", "H :"};
    for (int32_t i = 0; i < kInfoFieldCount; ++i)
        EXPECT_STREQ(InfoPanelModel::label(static_cast<InfoField>(i)), expected[i]);
    const InfoPanelModel info;
    EXPECT_EQ(texts(info), std::vector<std::string>(7, ""));
}

TEST(InfoPanelModelTest, FormatsColorsPositionsAndSizes) {
    InfoPanelModel info;
    info.showColor(Color{255, 0, 17});
    info.showPosition(Point{-3, 40});
    info.showSize(120, 7);
    EXPECT_EQ(texts(info), (std::vector<std::string>{"255", "0", "17", "-3", "40", "120", "7"}));
    info.showColor(Color::fromRgb(0x123456));
    EXPECT_EQ(info.text(InfoField::Red), "18");
    EXPECT_EQ(info.text(InfoField::Blue), "86");
    info.showSize(5, 0);
    EXPECT_EQ(info.text(InfoField::Width), "") << "an empty rectangle blanks both";
    EXPECT_EQ(info.text(InfoField::Height), "");
    info.setSelectionSize(-4, 9);
    EXPECT_EQ(info.text(InfoField::Height), "");
    info.setSelectionSize(4, 9);
    EXPECT_EQ(info.text(InfoField::Width), "4");
    info.showColor(std::nullopt);
    info.showPosition(std::nullopt);
    EXPECT_EQ(info.text(InfoField::Green), "");
    EXPECT_EQ(info.text(InfoField::X), "");
    EXPECT_EQ(info.text(InfoField::Width), "4") << "the size stays";
}

TEST(InfoPanelModelTest, TellsItsListenerOnlyAboutChanges) {
    InfoPanelModel info;
    int calls = 0;
    info.setChangeListener([&] { ++calls; });
    info.showSize(3, 4);
    info.showSize(3, 4);
    EXPECT_EQ(calls, 1);
    info.showPosition(std::nullopt); // already blank
    EXPECT_EQ(calls, 1);
    // A pointer move changing position and color is one notification.
    const CanvasView view({10, 10}, {10, 10});
    info.pointerMoved(view, filled({10, 10}, 0xFF102030), {2, 3});
    EXPECT_EQ(calls, 2);
}

TEST(InfoPanelModelTest, PointerOverTheImageReadsTheShownPixel) {
    // A 10 x 8 image at 100 % centred in a 30 x 20 client: origin (10, 6).
    const CanvasView view({10, 8}, {30, 20});
    ASSERT_EQ(view.contentOrigin(), (Point{10, 6}));
    ViewBuffer shown = filled({30, 20}, 0xFFAAAAAA);
    shown.row(6)[10] = 0xFFCCCCCC; // a checkerboard square under a transparent pixel
    shown.row(13)[19] = 0xFF0A141E;
    InfoPanelModel info;
    info.pointerMoved(view, shown, {10, 6});
    EXPECT_EQ(texts(info), (std::vector<std::string>{"204", "204", "204", "0", "0", "", ""}));
    info.pointerMoved(view, shown, {19, 13});
    EXPECT_EQ(texts(info), (std::vector<std::string>{"10", "20", "30", "9", "7", "", ""}));
}

TEST(InfoPanelModelTest, PointerOutsideTheImageBlanksColorAndPosition) {
    const CanvasView view({10, 8}, {30, 20});
    const ViewBuffer shown = filled({30, 20}, 0xFFAAAAAA);
    InfoPanelModel info;
    info.showSize(6, 2);
    info.pointerMoved(view, shown, {12, 8});
    ASSERT_EQ(info.text(InfoField::X), "2");
    for (Point outside : {Point{9, 8}, Point{20, 8}, Point{12, 5}, Point{12, 14}, Point{-1, -1}}) {
        info.pointerMoved(view, shown, {12, 8});
        info.pointerMoved(view, shown, outside);
        EXPECT_EQ(texts(info), (std::vector<std::string>{"", "", "", "", "", "6", "2"})) << outside.x << "," << outside.y;
    }
    // A buffer that has not caught up with a larger client reads nothing.
    info.pointerMoved(view, filled({5, 5}, 0xFF000000), {12, 8});
    EXPECT_EQ(info.text(InfoField::Red), "");
}

TEST(InfoPanelModelTest, ZoomedPositionsRoundDown) {
    CanvasView view({10, 10}, {40, 40});
    view.setZoom(4.0f, false);
    ASSERT_EQ(view.contentOrigin(), (Point{0, 0}));
    InfoPanelModel info;
    info.pointerMoved(view, filled({40, 40}, 0xFFFFFFFF), {7, 8});
    EXPECT_EQ(info.text(InfoField::X), "1");
    EXPECT_EQ(info.text(InfoField::Y), "2");
}

} // namespace
} // namespace pict
