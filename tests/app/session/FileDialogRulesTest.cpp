#include "app/session/FileDialogRules.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict {
namespace {

TEST(SaveAsPath, ATypedExtensionOfAWritableKindChoosesTheFormat) {
    struct Case {
        const char* typed;
        FileKind filter;
        const char* path;
        FileKind kind;
    };
    const Case cases[] = {
        {"/t/out1.jpg", FileKind::Png, "/t/out1.jpg", FileKind::Jpg},
        {"/t/big-out.png", FileKind::Jpg, "/t/big-out.png", FileKind::Png},
        {"/t/scan.BMP", FileKind::Png, "/t/scan.BMP", FileKind::Bmp},
        {"/t/photo.jpeg", FileKind::Bmp, "/t/photo.jpeg", FileKind::Jpg},
        {"/t/layers.ora", FileKind::Png, "/t/layers.ora", FileKind::Ora},
        // No extension, or one the program cannot write: the filter's kind and extension.
        {"/t/out1", FileKind::Png, "/t/out1.png", FileKind::Png},
        {"/t/v1.2 final", FileKind::Jpg, "/t/v1.2 final.jpg", FileKind::Jpg},
        {"/t/anim.gif", FileKind::Png, "/t/anim.gif.png", FileKind::Png},
        {"/t/icon.ico", FileKind::Bmp, "/t/icon.ico.bmp", FileKind::Bmp},
        {"/t/dir.png/name", FileKind::Bmp, "/t/dir.png/name.bmp", FileKind::Bmp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(saveAsPath(c.typed, c.filter), c.path) << c.typed;
        EXPECT_EQ(saveAsKind(c.typed, c.filter), c.kind) << c.typed;
        EXPECT_EQ(kindOfPath(saveAsPath(c.typed, c.filter)), c.kind) << "the written file's extension says its kind";
    }
}

TEST(FileDialogStartFolder, TakesTheFirstExistingFolderElseHome) {
    const std::filesystem::path root = test::scratchDir() / "dialog-folders";
    std::filesystem::create_directories(root / "doc");
    std::filesystem::create_directories(root / "last");
    std::filesystem::create_directories(root / "Pictures");
    const std::string doc = (root / "doc").string(), last = (root / "last").string(),
                      pictures = (root / "Pictures").string(), gone = (root / "gone").string();
    EXPECT_EQ(fileDialogStartFolder({doc, last, pictures, "/home/u"}), doc);
    EXPECT_EQ(fileDialogStartFolder({"", last, pictures, "/home/u"}), last);
    EXPECT_EQ(fileDialogStartFolder({gone, last, pictures, "/home/u"}), last) << "a deleted folder is passed over";
    EXPECT_EQ(fileDialogStartFolder({"", "", pictures, "/home/u"}), pictures);
    EXPECT_EQ(fileDialogStartFolder({"", gone, gone, "/home/u"}), "/home/u");
    EXPECT_EQ(fileDialogStartFolder({}), "");
    // A file is not a folder to start in.
    const std::string file = (root / "doc" / "a.png").string();
    std::FILE* f = std::fopen(file.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(fileDialogStartFolder({file, "", "", "/home/u"}), "/home/u");
}

TEST(FolderOfPath, IsTheParentOrNothing) {
    EXPECT_EQ(folderOfPath("/p/q/a.png"), "/p/q");
    EXPECT_EQ(folderOfPath("a.png"), "");
    EXPECT_EQ(folderOfPath("/a.png"), "/");
}

} // namespace
} // namespace pict
