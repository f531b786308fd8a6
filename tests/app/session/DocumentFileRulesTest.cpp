#include "app/session/DocumentFileRules.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(DocumentFileRules, SamePathIsExactText) {
    std::vector<std::string> open = {"/p/a.png", "/p/B.png"};
    EXPECT_EQ(findWindowWithPath(open, "/p/a.png"), 0u);
    EXPECT_FALSE(findWindowWithPath(open, "/p/b.png"));
    EXPECT_FALSE(findWindowWithPath(open, "/p/./a.png"));
    EXPECT_FALSE(findWindowWithPath({""}, ""));
}

TEST(DocumentFileRules, SaveWritesOnlyAnExistingWritableFile) {
    SaveCheck ok{true, true, true, true, true};
    EXPECT_EQ(decideSave(ok), SaveAction::WriteToPath);
    SaveCheck unmodified = ok;
    unmodified.modified = false;
    EXPECT_EQ(decideSave(unmodified), SaveAction::Nothing);
    for (bool SaveCheck::*field : {&SaveCheck::hasPath, &SaveCheck::fileExists, &SaveCheck::folderExists,
                                   &SaveCheck::kindWritable}) {
        SaveCheck c = ok;
        c.*field = false;
        EXPECT_EQ(decideSave(c), SaveAction::SaveAs);
    }
}

TEST(DocumentFileRules, ClosePromptAnswers) {
    EXPECT_EQ(closePromptText("a.png"), "Save changes to \"a.png\" before closing?");
    EXPECT_EQ(closeActionFor(CloseAnswer::Yes, true, true), CloseAction::WriteThenClose);
    EXPECT_EQ(closeActionFor(CloseAnswer::Yes, false, false), CloseAction::SaveAsThenClose);
    EXPECT_EQ(closeActionFor(CloseAnswer::Yes, true, false), CloseAction::SaveAsThenClose);
    EXPECT_EQ(closeActionFor(CloseAnswer::No, false, false), CloseAction::Close);
    EXPECT_EQ(closeActionFor(CloseAnswer::Cancel, true, true), CloseAction::KeepOpen);
}

TEST(DocumentFileRules, OnlyALayeredDocumentGoingFlatIsAskedAboutAndStaysModified) {
    for (FileKind flat : {FileKind::Bmp, FileKind::Jpg, FileKind::Png}) {
        EXPECT_TRUE(asksBeforeFlatSave(flat, true));
        EXPECT_TRUE(staysModifiedAfterSave(flat, true));
        EXPECT_FALSE(asksBeforeFlatSave(flat, false));
        EXPECT_FALSE(staysModifiedAfterSave(flat, false));
    }
    // The layered kind keeps everything; kinds that are not written never get as far.
    for (FileKind other : {FileKind::Ora, FileKind::Gif, FileKind::Unknown}) {
        EXPECT_FALSE(asksBeforeFlatSave(other, true));
        EXPECT_FALSE(staysModifiedAfterSave(other, true));
    }
    EXPECT_EQ(flatSavePromptText(FileKind::Jpg), "Saving as JPEG merges all layers into one picture. The layers stay "
                                                 "open here but are not in the file.");
    EXPECT_EQ(flatSavePromptText(FileKind::Bmp).substr(0, 14), "Saving as BMP ");
    EXPECT_EQ(flatSavePromptText(FileKind::Png).substr(0, 14), "Saving as PNG ");
    EXPECT_EQ(std::string(kSaveAsLayeredButton), "Save as OpenRaster\xE2\x80\xA6");
}

TEST(DocumentFileRules, ExitStopsAtTheFirstWindowThatStaysOpen) {
    std::vector<size_t> asked;
    bool all = closeWindowsInOrder(3, [&](size_t i) {
        asked.push_back(i);
        return i != 1;
    });
    EXPECT_FALSE(all);
    EXPECT_EQ(asked, (std::vector<size_t>{0, 1}));
    EXPECT_TRUE(closeWindowsInOrder(2, [](size_t) { return true; }));
    EXPECT_EQ(openFailedMessage("/x.png"), "Cannot open file \"/x.png\"!");
    EXPECT_EQ(openFailedMessage("/x.png", "The file is empty."), "Cannot open file \"/x.png\"!\nThe file is empty.");
    EXPECT_EQ(openedInPartMessage("/x.jpg"), "\"/x.jpg\"\nThe file ends early; the missing part is shown gray.");
    EXPECT_EQ(saveFailedMessage("/x.png"), "Error saving file \"/x.png\"!");
}

} // namespace
} // namespace pict
