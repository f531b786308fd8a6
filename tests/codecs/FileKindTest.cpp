#include "codecs/FileKind.h"

#include <gtest/gtest.h>

#include <string>

namespace pict {
namespace {

TEST(FileKind, ExtensionsAreMatchedAfterTheLastDotIgnoringCase) {
    EXPECT_EQ(kindOfPath("a/b/photo.JPEG"), FileKind::Jpg);
    EXPECT_EQ(kindOfPath("photo.Jfif"), FileKind::Jpg);
    EXPECT_EQ(kindOfPath("scan.dib"), FileKind::Bmp);
    EXPECT_EQ(kindOfPath("scan.rle"), FileKind::Bmp);
    EXPECT_EQ(kindOfPath("x.tar.png"), FileKind::Png);
    EXPECT_EQ(kindOfPath("x.ved"), FileKind::Ved);
    EXPECT_EQ(kindOfPath("x.tif"), FileKind::Tif);
    EXPECT_EQ(kindOfPath("layers.ORA"), FileKind::Ora);
    EXPECT_EQ(kindOfPath("x.TIFF"), FileKind::Tif);
    EXPECT_EQ(kindOfPath("x.gz"), FileKind::Unknown);
    EXPECT_EQ(kindOfPath("noextension"), FileKind::Unknown);
    EXPECT_EQ(kindOfPath("folder.png/name"), FileKind::Unknown); // the dot is in a folder
    EXPECT_EQ(kindOfPath("trailing."), FileKind::Unknown);
}

TEST(FileKind, OnlyBitmapJpegPngTiffAndOpenRasterAreWritten) {
    for (FileKind kind : {FileKind::Bmp, FileKind::Jpg, FileKind::Png, FileKind::Tif, FileKind::Ora})
        EXPECT_TRUE(canSaveKind(kind));
    for (FileKind kind : {FileKind::Unknown, FileKind::Ved, FileKind::Gif, FileKind::Ico})
        EXPECT_FALSE(canSaveKind(kind));
    for (FileKind kind :
         {FileKind::Bmp, FileKind::Gif, FileKind::Ico, FileKind::Jpg, FileKind::Png, FileKind::Tif, FileKind::Ora})
        EXPECT_TRUE(canOpenKind(kind));
    EXPECT_TRUE(keepsLayers(FileKind::Ora));
    EXPECT_FALSE(keepsLayers(FileKind::Png));
    for (FileKind kind : {FileKind::Unknown, FileKind::Ved})
        EXPECT_FALSE(canOpenKind(kind));
}

TEST(FileKind, EnsureExtensionAppendsTheDefaultUnlessTheKindIsThere) {
    EXPECT_EQ(ensureExtension("photo", FileKind::Jpg), "photo.jpg");
    EXPECT_EQ(ensureExtension("photo.JPEG", FileKind::Jpg), "photo.JPEG");
    EXPECT_EQ(ensureExtension("photo.png", FileKind::Jpg), "photo.png.jpg");
    EXPECT_EQ(ensureExtension("scan.dib", FileKind::Bmp), "scan.dib");
    EXPECT_EQ(extensionOfKind(FileKind::Png, true), ".png");
    EXPECT_EQ(extensionOfKind(FileKind::Tif, false), "tif");
    EXPECT_EQ(extensionOfKind(FileKind::Unknown, true), "");
}

TEST(FileKind, ProposedSaveNameReplacesOnlyAKnownExtension) {
    EXPECT_EQ(proposedSaveName("photo.gif", FileKind::Png), "photo.png");
    EXPECT_EQ(proposedSaveName("photo.JPEG", FileKind::Bmp), "photo.bmp");
    EXPECT_EQ(proposedSaveName("Untitled-1", FileKind::Png), "Untitled-1.png");
    EXPECT_EQ(proposedSaveName("v1.2 final", FileKind::Jpg), "v1.2 final.jpg");
}

TEST(FileKind, FilterIndicesMapBothWays) {
    EXPECT_EQ(openFilterDefaultIndex(), 8);
    EXPECT_EQ(saveFilterIndexOfKind(FileKind::Bmp), 1);
    EXPECT_EQ(saveFilterIndexOfKind(FileKind::Jpg), 2);
    EXPECT_EQ(saveFilterIndexOfKind(FileKind::Gif), 3);
    EXPECT_EQ(kindOfSaveFilterIndex(1), FileKind::Bmp);
    EXPECT_EQ(kindOfSaveFilterIndex(2), FileKind::Jpg);
    EXPECT_EQ(kindOfSaveFilterIndex(3), FileKind::Png);
    EXPECT_EQ(saveFilterIndexOfKind(FileKind::Tif), 4);
    EXPECT_EQ(kindOfSaveFilterIndex(4), FileKind::Tif);
    EXPECT_EQ(saveFilterIndexOfKind(FileKind::Ora), 5);
    EXPECT_EQ(kindOfSaveFilterIndex(5), FileKind::Ora);
    EXPECT_EQ(kindOfSaveFilterIndex(9), FileKind::Png);
    EXPECT_EQ(ensureExtension("photo", kindOfSaveFilterIndex(2)), "photo.jpg");
}

} // namespace
} // namespace pict
