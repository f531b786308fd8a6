#include "app/qt/FileDialogFilters.h"

#include <gtest/gtest.h>

namespace pict::qt {
namespace {

TEST(FileDialogFilters, OpenFilterHasSixEntriesEndingWithAllFormats) {
    const QList<FileFilterEntry> entries = parseFileFilter(QLatin1String(kOpenFilter));
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries[0].text, "BMP (*.bmp;*.dib;*.rle)");
    EXPECT_EQ(entries[0].nameFilter(), "BMP (*.bmp *.dib *.rle)");
    EXPECT_EQ(entries[5].text, "All Formats");
    EXPECT_EQ(entries[5].patterns.size(), 9);
    EXPECT_EQ(entries[5].nameFilter(), "All Formats (*.bmp *.dib *.gif *.ico *.jpg *.jpeg *.jpe *.png *.rle)");
}

TEST(FileDialogFilters, SaveFilterEntriesMapToKinds) {
    const QList<FileFilterEntry> entries = parseFileFilter(QLatin1String(kSaveFilter));
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(nameFilters(entries), QStringList({"BMP (*.bmp)", "JPG (*.jpg)", "PNG (*.png)"}));
    EXPECT_EQ(saveKindForEntry(1), SaveKind::Bitmap);
    EXPECT_EQ(saveKindForEntry(2), SaveKind::Jpeg);
    EXPECT_EQ(saveKindForEntry(3), SaveKind::Png);
    EXPECT_EQ(saveKindForEntry(0), SaveKind::Png);
    EXPECT_EQ(saveKindForEntry(7), SaveKind::Png);
}

TEST(FileDialogFilters, PreselectedEntryFollowsTheDocumentsKind) {
    EXPECT_EQ(saveEntryForName("scan.bmp"), 1);
    EXPECT_EQ(saveEntryForName("scan.DIB"), 1);
    EXPECT_EQ(saveEntryForName("photo.jpeg"), 2);
    EXPECT_EQ(saveEntryForName("photo.JPG"), 2);
    EXPECT_EQ(saveEntryForName("anim.gif"), 3);
    EXPECT_EQ(saveEntryForName("icon.ico"), 3);
    EXPECT_EQ(saveEntryForName("Untitled-1"), 3);
}

TEST(FileDialogFilters, EnsureExtensionAddsOnlyWhatIsMissing) {
    EXPECT_EQ(ensureExtension("/a/b", SaveKind::Png), "/a/b.png");
    EXPECT_EQ(ensureExtension("/a/b.PNG", SaveKind::Png), "/a/b.PNG");
    EXPECT_EQ(ensureExtension("/a/b.jpeg", SaveKind::Jpeg), "/a/b.jpeg");
    EXPECT_EQ(ensureExtension("/a/b.png", SaveKind::Jpeg), "/a/b.png.jpg");
    EXPECT_EQ(ensureExtension("/a/b.gif", SaveKind::Bitmap), "/a/b.gif.bmp");
}

TEST(FileDialogFilters, ProposedNameReplacesTheExtension) {
    EXPECT_EQ(proposedSaveName("Untitled-3", SaveKind::Png), "Untitled-3.png");
    EXPECT_EQ(proposedSaveName("anim.gif", SaveKind::Png), "anim.png");
    EXPECT_EQ(proposedSaveName("photo.jpeg", SaveKind::Jpeg), "photo.jpg");
    EXPECT_EQ(proposedSaveName("my.holiday.bmp", SaveKind::Bitmap), "my.holiday.bmp");
}

} // namespace
} // namespace pict::qt
