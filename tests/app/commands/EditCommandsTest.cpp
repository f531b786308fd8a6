#include "app/SessionFixture.h"

#include "app/FakeClipboardExchange.h"
#include "app/session/InternalClipboard.h"
#include "support/DocumentFixtures.h"
#include "history/HistoryState.h"

#include <memory>
#include <string>

namespace pict {
namespace {

using EditCommandsTest = test::SessionTest;

TEST_F(EditCommandsTest, UndoAndRedoAreRefusedWithNothingToDo) {
    expectRefused(kCmdUndo);
    expectRefused(kCmdRedo);
}

TEST_F(EditCommandsTest, UndoAndRedoMoveThroughTheHistory) {
    ASSERT_EQ(commands_.selectMarquee(Rect{1, 1, 5, 5}, false).outcome, CommandOutcome::Done);
    EXPECT_TRUE(commands_.isEnabled(kCmdUndo));
    EXPECT_FALSE(commands_.isEnabled(kCmdRedo));

    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(selection().isEmpty());
    EXPECT_FALSE(commands_.isEnabled(kCmdUndo));
    expectRefused(kCmdUndo);

    EXPECT_EQ(run(kCmdRedo), CommandOutcome::Done);
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 5, 5}));
    expectRefused(kCmdRedo);
}

// Undo back to where the document was opened (or saved) leaves it unmodified; a selection
// step never modifies it; a visibility flip, which is no history step, keeps it modified
// until it is saved.
TEST_F(EditCommandsTest, TheModifiedFlagFollowsTheHistory) {
    EXPECT_FALSE(document().isModified());
    EXPECT_EQ(run(kCmdInvert), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());
    EXPECT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified()) << "undoing the selection leaves the inversion";
    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_FALSE(document().isModified()) << "back where it was opened";
    EXPECT_EQ(run(kCmdRedo), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());

    // Saved after the inversion: that is the unmodified place now.
    session_.markSaved();
    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());
    EXPECT_EQ(run(kCmdRedo), CommandOutcome::Done);
    EXPECT_FALSE(document().isModified());
    // Another inversion undone after a new step is a different document.
    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(run(kCmdDesaturate), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());

    session_.markSaved();
    EXPECT_EQ(run(kCmdToggleLayerVisibility), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified());
    EXPECT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
    EXPECT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(document().isModified()) << "the hidden layer is still unsaved";
}

// A state that applies once and then never again, and whose undo may fail, as states do
// when memory runs out.
class StuckState : public HistoryState {
public:
    explicit StuckState(bool undoWorks) : undoWorks_(undoWorks) {}
    std::string name() const override { return "Stuck"; }
    bool apply() override { return applies_-- > 0; }
    bool undo() override { return undoWorks_; }

private:
    bool undoWorks_;
    int applies_ = 1;
};

TEST_F(EditCommandsTest, AFailedUndoOrRedoSaysSoAndKeepsThePosition) {
    ASSERT_TRUE(history().add(std::make_unique<StuckState>(false), false));
    const CommandResult undone = commands_.execute(kCmdUndo);
    EXPECT_EQ(undone.outcome, CommandOutcome::Failed);
    EXPECT_EQ(undone.message, "Cannot undo \"Stuck\"! The image is unchanged.");
    EXPECT_EQ(history().position(), 0);
    EXPECT_FALSE(commands_.isEnabled(kCmdRedo));

    history().purge();
    ASSERT_TRUE(history().add(std::make_unique<StuckState>(true), false));
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    const CommandResult redone = commands_.execute(kCmdRedo);
    EXPECT_EQ(redone.outcome, CommandOutcome::Failed);
    EXPECT_EQ(redone.message, "Cannot redo \"Stuck\"! The image is unchanged.");
    EXPECT_EQ(history().position(), -1);
    EXPECT_TRUE(commands_.isEnabled(kCmdRedo));
}

TEST_F(EditCommandsTest, PurgeEmptiesTheHistoryButKeepsTheDocument) {
    for (uint16_t id : {kCmdPurgeUndo, kCmdPurgeAll}) {
        commands_.selectMarquee(Rect{1, 1, 5, 5}, false);
        commands_.selectMarquee(Rect{2, 2, 6, 6}, true);
        run(kCmdUndo);
        EXPECT_EQ(run(id), CommandOutcome::Done);
        EXPECT_EQ(history().count(), 0);
        EXPECT_FALSE(commands_.isEnabled(kCmdUndo));
        EXPECT_FALSE(commands_.isEnabled(kCmdRedo));
        EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 5, 5}));
    }
}

TEST_F(EditCommandsTest, PurgeUndoNeedsSomethingToUndoOrRedo) {
    expectRefused(kCmdPurgeUndo);
    expectRefused(kCmdPurgeAll);
    commands_.selectMarquee(Rect{1, 1, 5, 5}, false);
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeUndo));
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeAll));
    run(kCmdUndo); // only a redo left
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeUndo));
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeAll));
}

TEST_F(EditCommandsTest, ClipboardPurgeNeedsAClipboard) {
    expectRefused(kCmdPurgeClipboard); // as in the batch tool
    expectRefused(kCmdPurgeAll);
}

// The session's application holds a clipboard with a picture on it.
class ClipboardPurgeTest : public EditCommandsTest {
protected:
    ClipboardPurgeTest() {
        putPicture();
        app_.clipboard = &clipboard_;
    }
    ~ClipboardPurgeTest() override { app_.clipboard = nullptr; }
    void putPicture() {
        PixelPiece piece;
        piece.color = test::solidColor(2, 2, 1, 2, 3);
        piece.alpha = test::solidMask(2, 2, 255);
        system_.copyForeign(std::move(piece));
    }
    test::FakeClipboardExchange system_;
    InternalClipboard clipboard_{&system_};
};

TEST_F(ClipboardPurgeTest, ClipboardPurgesFollowThePicture) {
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeClipboard));
    EXPECT_TRUE(commands_.isEnabled(kCmdPurgeAll)) << "a picture alone is enough to purge all";
    EXPECT_FALSE(commands_.isEnabled(kCmdPurgeUndo));
    system_.foreign.reset();
    expectRefused(kCmdPurgeClipboard);
    expectRefused(kCmdPurgeAll);
    EXPECT_EQ(system_.clears, 0);
}

TEST_F(ClipboardPurgeTest, ClipboardPurgeEmptiesTheClipboardAndLeavesTheHistory) {
    commands_.selectMarquee(Rect{1, 1, 5, 5}, false);
    EXPECT_EQ(run(kCmdPurgeClipboard), CommandOutcome::Done);
    EXPECT_EQ(system_.clears, 1);
    EXPECT_EQ(history().count(), 1);
    expectRefused(kCmdPurgeClipboard);
}

TEST_F(ClipboardPurgeTest, PurgeAllEmptiesTheClipboardThenTheHistory) {
    commands_.selectMarquee(Rect{1, 1, 5, 5}, false);
    EXPECT_EQ(run(kCmdPurgeAll), CommandOutcome::Done);
    EXPECT_EQ(system_.clears, 1);
    EXPECT_EQ(history().count(), 0);
    EXPECT_EQ(selection().mask().bounds(), (Rect{1, 1, 5, 5}));
    // With only a picture left, Purge All still empties the clipboard.
    putPicture();
    EXPECT_EQ(run(kCmdPurgeAll), CommandOutcome::Done);
    EXPECT_EQ(system_.clears, 2);
}

TEST_F(EditCommandsTest, EmptyMarqueeIsRefused) {
    EXPECT_EQ(commands_.selectMarquee(Rect{5, 5, 5, 9}, false).outcome, CommandOutcome::Refused);
    EXPECT_EQ(history().count(), 0);
}

TEST_F(EditCommandsTest, MarqueeNamesItsShape) {
    commands_.selectMarquee(Rect{8, 8, 1, 1}, true);
    ASSERT_EQ(history().count(), 1);
    EXPECT_EQ(history().undoName(), "Elliptical Marquee");
    EXPECT_EQ(selection().mask().bounds().left, 1);
    commands_.selectMarquee(Rect{1, 1, 8, 8}, false);
    EXPECT_EQ(history().undoName(), "Rectangular Marquee");
    EXPECT_FALSE(document().isModified());
}

} // namespace
} // namespace pict
