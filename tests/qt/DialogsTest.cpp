#include "app/qt/dialogs/ModalDialog.h"
#include "app/qt/dialogs/OptionsDialog.h"
#include "app/qt/dialogs/TextPrompt.h"
#include "qt/QtTestApp.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

namespace pict::qt {
namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { test::testApplication(); }
};

TEST_F(DialogsTest, OptionsDialogReturnsWhatItWasGivenAndEdited) {
    ApplicationOptions options;
    options.saveLayout = false;
    options.maxRecentFiles = 12;
    options.documentWindowBackground = Color::fromRgb(0x123456);
    options.imageBorder = Color::fromRgb(0xFF0000);
    options.defaultForeground = Color::fromRgb(0x00FF00);
    options.defaultBackground = Color::fromRgb(0x0000FF);
    options.historyStates = 55;
    options.pixelSimilarityTolerance = 200;
    options.pixelThreads = 3;
    options.historyMemory = 64;
    options.autosaveMinutes = 0;
    options.largePictureMiB = 2048;
    OptionsDialog dialog(options);
    EXPECT_EQ(dialog.options(), options);

    // The spin boxes hold the settings' ranges.
    const QList<QSpinBox*> spins = dialog.findChildren<QSpinBox*>();
    ASSERT_EQ(spins.size(), 7);
    for (QSpinBox* spin : spins)
        spin->setValue(100000);
    const ApplicationOptions edited = dialog.options();
    EXPECT_EQ(edited.maxRecentFiles, 16);
    EXPECT_EQ(edited.historyStates, 100);
    EXPECT_EQ(edited.pixelSimilarityTolerance, 255);
    EXPECT_EQ(edited.pixelThreads, 64);
    EXPECT_EQ(edited.historyMemory, 65536);
    EXPECT_EQ(edited.autosaveMinutes, 120);
    EXPECT_EQ(edited.largePictureMiB, 100000) << "the question's limit goes up to 1 TiB";
}

// Reset is what Cancel does while Alt is held; the test drives it through the slot that the
// held key would select.
class ResettingDialog : public ModalDialog {
public:
    int resets = 0;
    void pressResetForTest() { reset(); }

protected:
    void reset() override { ++resets; }
};

TEST_F(DialogsTest, CancelReadsCancelWithoutAlt) {
    ResettingDialog dialog;
    EXPECT_EQ(dialog.cancelButton()->text(), "Cancel");
    EXPECT_FALSE(dialog.cancelReadsReset());
    dialog.cancelButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.resets, 0);
}

TEST_F(DialogsTest, OptionsResetRestoresDefaults) {
    ApplicationOptions options;
    options.historyStates = 3;
    options.imageBorder = Color::fromRgb(0xABCDEF);
    class Probe : public OptionsDialog {
    public:
        using OptionsDialog::OptionsDialog;
        void pressReset() { reset(); }
    } dialog(options);
    dialog.pressReset();
    EXPECT_EQ(dialog.options(), ApplicationOptions{});
}

TEST_F(DialogsTest, TextPromptNeedsANonEmptyValue) {
    TextPromptDialog dialog("New Image Preset", {}, "Preset name:", "640 x 480 px");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.value(), "640 x 480 px");
    dialog.field()->setText("   ");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.field()->setText("  Poster ");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.value(), "Poster");
}

TEST_F(DialogsTest, DuplicateProposesACopyName) { EXPECT_EQ(proposedDuplicateName("photo.png"), "photo.png copy"); }

} // namespace
} // namespace pict::qt
