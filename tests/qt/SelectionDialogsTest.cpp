#include "app/qt/dialogs/ChannelDialogs.h"
#include "app/qt/dialogs/ModifyDialog.h"
#include "history/HistoryManager.h"
#include "qt/MainWindowFixture.h"
#include "qt/ModalAnswer.h"
#include "selection/SelectionController.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

namespace pict::qt::test {
namespace {

using SelectionDialogsTest = MainWindowTest;

// Types the text into the dialog's value box and presses OK.
void typeAndConfirm(const QString& text) {
    answerNextModal<ModifyDialog>([text](ModifyDialog& dialog) {
        dialog.field()->setText(text);
        dialog.okButton()->click();
    });
}

TEST_F(SelectionDialogsTest, ModifyDialogsRunTheirCommandsAndRememberTheValue) {
    DocumentFrame* frame = addBlank(40, 30);
    HistoryManager& history = frame->session().history();
    for (uint16_t id : {kCmdFeather, kCmdBorder, kCmdExpand, kCmdContract})
        EXPECT_FALSE(window->isCommandEnabled(id)) << "nothing is selected yet";
    frame->commands().selectMarquee({10, 10, 20, 20}, false);
    for (uint16_t id : {kCmdFeather, kCmdBorder, kCmdExpand, kCmdContract})
        EXPECT_TRUE(window->isCommandEnabled(id)) << id;

    typeAndConfirm("2");
    window->executeCommand(kCmdExpand);
    EXPECT_EQ(history.undoName(), "Expand");
    EXPECT_EQ(frame->session().selection().mask().bounds(), (Rect{8, 8, 22, 22}));

    // Contract starts from the width Expand took.
    QString shown;
    answerNextModal<ModifyDialog>([&](ModifyDialog& dialog) {
        shown = dialog.field()->text();
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdContract);
    EXPECT_EQ(shown, "2");
    EXPECT_EQ(history.undoName(), "Contract");

    typeAndConfirm("1.5");
    window->executeCommand(kCmdFeather);
    EXPECT_EQ(history.undoName(), "Feather");
    typeAndConfirm("3");
    window->executeCommand(kCmdBorder);
    EXPECT_EQ(history.undoName(), "Border");
}

TEST_F(SelectionDialogsTest, ModifyDialogRefusesOutOfRangeTextAndCancelChangesNothing) {
    ModifyDialogMemory memory;
    ModifyDialog dialog(ModifyDialogKind::Feather, memory);
    EXPECT_EQ(dialog.windowTitle(), "Feather Selection");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        labels.append(label->text());
    EXPECT_TRUE(labels.contains("Feather radius:"));
    EXPECT_TRUE(labels.contains("pixels"));
    for (const char* bad : {"0", "250.5", "", "x"}) {
        dialog.field()->setText(bad);
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << bad;
    }
    dialog.field()->setText("0.1");
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    DocumentFrame* frame = addBlank(40, 30);
    window->executeCommand(kCmdSelectAll);
    const int32_t before = frame->session().history().count();
    answerNextModal<ModifyDialog>([](ModifyDialog& d) {
        d.field()->setText("9");
        d.cancelButton()->click();
    });
    window->executeCommand(kCmdBorder);
    EXPECT_EQ(frame->session().history().count(), before);
    // Escape cancels too.
    answerNextModal<ModifyDialog>([](ModifyDialog& d) { d.reject(); });
    window->executeCommand(kCmdExpand);
    EXPECT_EQ(frame->session().history().count(), before);
}

TEST_F(SelectionDialogsTest, SaveSelectionNamesNewChannelsAndCombinesIntoExistingOnes) {
    DocumentFrame* frame = addBlank(40, 30);
    EXPECT_FALSE(window->isCommandEnabled(kCmdLoadSelection)) << "no channel saved yet";
    frame->commands().selectMarquee({0, 0, 10, 10}, false);

    answerNextModal<SaveSelectionDialog>([](SaveSelectionDialog& dialog) {
        EXPECT_EQ(dialog.channelList()->count(), 1);
        EXPECT_EQ(dialog.channelList()->currentText(), "- New -");
        EXPECT_EQ(dialog.nameField()->placeholderText(), "Alpha 1");
        EXPECT_EQ(dialog.operations()->button(0)->text(), "N&ew channel");
        EXPECT_FALSE(dialog.operations()->button(1)->isEnabled());
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdSaveSelection);
    EXPECT_EQ(frame->session().history().undoName(), "Save Selection");
    const AlphaChannelList& channels = frame->document().channels();
    ASSERT_EQ(channels.count(), 1);
    EXPECT_EQ(channels.at(0)->name(), "Alpha 1");
    EXPECT_TRUE(window->isCommandEnabled(kCmdLoadSelection));

    // Into the existing channel: the name is emptied and disabled, the combine buttons open.
    frame->commands().selectMarquee({20, 0, 30, 10}, false);
    answerNextModal<SaveSelectionDialog>([](SaveSelectionDialog& dialog) {
        dialog.nameField()->setText("typed");
        dialog.channelList()->setCurrentIndex(0);
        EXPECT_FALSE(dialog.nameField()->isEnabled());
        EXPECT_TRUE(dialog.nameField()->text().isEmpty());
        EXPECT_EQ(dialog.operations()->button(0)->text(), "R&eplace channel");
        EXPECT_TRUE(dialog.operations()->button(1)->isEnabled());
        dialog.operations()->button(1)->click();
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdSaveSelection);
    ASSERT_EQ(channels.count(), 1);
    EXPECT_EQ(channels.at(0)->mask().valueAt(5, 5), 255);
    EXPECT_EQ(channels.at(0)->mask().valueAt(25, 5), 255) << "added to the channel";

    // Back to "- New -": the first button is forced on again.
    SaveSelectionDialog dialog({"Alpha 1"}, "Alpha 2");
    dialog.channelList()->setCurrentIndex(0);
    dialog.operations()->button(3)->setChecked(true);
    dialog.channelList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.operations()->checkedId(), 0);
    EXPECT_TRUE(dialog.nameField()->isEnabled());
}

TEST_F(SelectionDialogsTest, LoadSelectionCombinesTheChosenChannel) {
    DocumentFrame* frame = addBlank(40, 30);
    frame->commands().selectMarquee({0, 0, 10, 10}, false);
    frame->commands().execute(kCmdSaveSelection, SaveSelectionParams{-1, "Corner", CombineMode::New});
    frame->commands().selectMarquee({5, 5, 40, 30}, false);

    answerNextModal<LoadSelectionDialog>([](LoadSelectionDialog& dialog) {
        EXPECT_EQ(dialog.channelList()->currentText(), "Corner");
        EXPECT_EQ(dialog.invertBox()->text(), "In&vert");
        QStringList labels;
        for (QAbstractButton* button : dialog.operations()->buttons())
            labels.append(button->text());
        EXPECT_EQ(labels, QStringList({"N&ew selection", "&Add to selection", "&Subtract from selection",
                                       "&Intersect with selection"}));
        dialog.operations()->button(3)->click();
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdLoadSelection);
    EXPECT_EQ(frame->session().history().undoName(), "Load Selection");
    EXPECT_EQ(frame->session().selection().mask().bounds(), (Rect{5, 5, 10, 10}));

    const int32_t before = frame->session().history().count();
    answerNextModal<LoadSelectionDialog>([](LoadSelectionDialog& dialog) {
        dialog.invertBox()->setChecked(true);
        dialog.cancelButton()->click();
    });
    window->executeCommand(kCmdLoadSelection);
    EXPECT_EQ(frame->session().history().count(), before);
    EXPECT_EQ(frame->session().selection().mask().bounds(), (Rect{5, 5, 10, 10}));
}

// A channel saved before a rotation cannot be loaded: the dialog greys it out, says why,
// and starts on a channel that still fits; with none left OK stays off.
TEST_F(SelectionDialogsTest, LoadSelectionGreysOutChannelsOfAnotherCanvasSize) {
    DocumentFrame* frame = addBlank(40, 30);
    frame->commands().selectMarquee({0, 0, 10, 10}, false);
    frame->commands().execute(kCmdSaveSelection, SaveSelectionParams{-1, "Wide", CombineMode::New});
    window->executeCommand(kCmdRotate90CW);
    ASSERT_EQ(frame->document().canvasSize(), (Size{30, 40}));

    answerNextModal<LoadSelectionDialog>([](LoadSelectionDialog& dialog) {
        ASSERT_NE(dialog.misfitNote(), nullptr);
        EXPECT_EQ(dialog.misfitNote()->text(),
                  "Greyed channels were saved at another canvas size and cannot be loaded.");
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        dialog.cancelButton()->click();
    });
    window->executeCommand(kCmdLoadSelection);

    frame->commands().selectMarquee({0, 0, 10, 20}, false);
    frame->commands().execute(kCmdSaveSelection, SaveSelectionParams{-1, "Tall", CombineMode::New});
    frame->commands().execute(kCmdDeselect);
    answerNextModal<LoadSelectionDialog>([](LoadSelectionDialog& dialog) {
        EXPECT_EQ(dialog.channelList()->currentText(), "Tall");
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        const auto* items = qobject_cast<const QStandardItemModel*>(dialog.channelList()->model());
        ASSERT_NE(items, nullptr);
        EXPECT_FALSE(items->item(0)->isEnabled());
        EXPECT_TRUE(items->item(1)->isEnabled());
        dialog.okButton()->click();
    });
    window->executeCommand(kCmdLoadSelection);
    EXPECT_EQ(frame->session().selection().mask().bounds(), (Rect{0, 0, 10, 20}));
    EXPECT_TRUE(prompts.errors.isEmpty());

    // Should a stale answer still name the misfit, the editor says why nothing happened.
    const CommandResult refused =
        frame->executeCommand(kCmdLoadSelection, LoadSelectionParams{0, CombineMode::New, false});
    EXPECT_EQ(refused.outcome, CommandOutcome::Refused);
    EXPECT_FALSE(refused.message.empty());

    // All channels fitting: no note.
    LoadSelectionDialog plain({"Alpha 1"}, {true});
    EXPECT_EQ(plain.misfitNote(), nullptr);
    EXPECT_TRUE(plain.okButton()->isEnabled());
}

} // namespace
} // namespace pict::qt::test
