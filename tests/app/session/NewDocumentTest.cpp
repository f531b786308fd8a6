// The New dialog's OK and the batch tool's --new both make their document here.
#include "app/session/NewDocument.h"

#include "document/Document.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

NewImageSpec spec(int32_t width, int32_t height) {
    NewImageSpec s;
    s.name = "Untitled-3";
    s.width = width;
    s.height = height;
    return s;
}

TEST(NewDocument, CarriesTheRecordIntoTheDocument) {
    NewImageSpec s = spec(4, 3);
    s.resolution = 118.11;
    s.resolutionUnit = ResolutionUnit::PixelsPerCentimeter;
    s.fillColor = Color{0x10, 0x20, 0x30};
    std::unique_ptr<Document> document = createNewDocument(s);
    ASSERT_TRUE(document);
    const DocumentInfo& info = document->info();
    EXPECT_EQ(document->canvasSize(), (Size{4, 3}));
    EXPECT_FLOAT_EQ(info.resolution, 118.11f);
    EXPECT_EQ(info.resolutionUnit, ResolutionUnit::PixelsPerCentimeter);
    EXPECT_EQ(info.name, "Untitled-3");
    EXPECT_TRUE(info.untitled);
    EXPECT_FALSE(document->isModified());
    ASSERT_EQ(document->layers().count(), 1);
    const uint8_t* pixel = document->layers().rasterAt(0)->colorAt(3, 2);
    EXPECT_EQ(pixel[0], 0x30) << "blue first in memory";
    EXPECT_EQ(pixel[1], 0x20);
    EXPECT_EQ(pixel[2], 0x10);
}

TEST(NewDocument, PixelsPerInchIsTheOtherUnit) {
    NewImageSpec s = spec(2, 2);
    s.resolutionUnit = ResolutionUnit::PixelsPerInch;
    ASSERT_TRUE(createNewDocument(s));
    EXPECT_EQ(createNewDocument(s)->info().resolutionUnit, ResolutionUnit::PixelsPerInch);
}

TEST(NewDocument, ATransparentRecordHasNoPixelsToFill) {
    NewImageSpec s = spec(5, 5);
    s.transparent = true;
    std::unique_ptr<Document> document = createNewDocument(s);
    ASSERT_TRUE(document);
    ASSERT_EQ(document->layers().count(), 1);
    EXPECT_EQ(document->layers().rasterAt(0), nullptr) << "an empty layer, not a filled one";
}

TEST(NewDocument, AnInvalidRecordMakesNoDocument) {
    EXPECT_FALSE(createNewDocument(spec(0, 5)));
    EXPECT_FALSE(createNewDocument(spec(5, 30001)));
    NewImageSpec s = spec(5, 5);
    s.resolution = 0.5;
    EXPECT_FALSE(createNewDocument(s));
}

} // namespace
} // namespace pict
