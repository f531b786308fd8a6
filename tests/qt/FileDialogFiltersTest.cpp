#include "app/qt/window/FileDialogFilters.h"

#include <gtest/gtest.h>

namespace pict::qt {
namespace {

TEST(FileDialogFilters, OpenFilterHasOneEntryPerKindEndingWithAllFormats) {
    const QList<FileFilterEntry> entries = parseFileFilter(QString::fromUtf8(kOpenFilter));
    ASSERT_EQ(entries.size(), 8);
    EXPECT_EQ(entries[0].text, "BMP (*.bmp;*.dib;*.rle)");
    EXPECT_EQ(entries[0].nameFilter(), "BMP (*.bmp *.dib *.rle)");
    EXPECT_EQ(entries[5].nameFilter(), "TIFF (*.tif *.tiff)");
    EXPECT_EQ(entries[6].nameFilter(), "OpenRaster (*.ora)");
    EXPECT_EQ(entries[7].text, "All Formats");
    EXPECT_EQ(entries[7].patterns.size(), 12);
    EXPECT_EQ(entries[7].nameFilter(),
              "All Formats (*.bmp *.dib *.gif *.ico *.jpg *.jpeg *.jpe *.png *.rle *.tif *.tiff *.ora)");
    // The dialog preselects the entry the kinds name as the default: the last one.
    EXPECT_EQ(openFilterDefaultIndex(), static_cast<int>(openNameFilters().size()));
}

TEST(FileDialogFilters, SaveFilterEntriesInKindOrder) {
    EXPECT_EQ(saveNameFilters(),
              QStringList({"BMP (*.bmp)", "JPG (*.jpg)", "PNG (*.png)", "TIFF (*.tif)", "OpenRaster (*.ora)"}));
    EXPECT_EQ(kindOfSaveFilterIndex(1), FileKind::Bmp);
    EXPECT_EQ(kindOfSaveFilterIndex(2), FileKind::Jpg);
    EXPECT_EQ(kindOfSaveFilterIndex(3), FileKind::Png);
    EXPECT_EQ(kindOfSaveFilterIndex(4), FileKind::Tif);
    EXPECT_EQ(kindOfSaveFilterIndex(5), FileKind::Ora);
}

TEST(FileDialogFilters, ParsingStopsAtAnUnpairedText) {
    const QList<FileFilterEntry> entries = parseFileFilter(QStringLiteral("A (*.a)|*.a|B"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].nameFilter(), "A (*.a)");
    EXPECT_TRUE(parseFileFilter(QString()).isEmpty());
}

} // namespace
} // namespace pict::qt
