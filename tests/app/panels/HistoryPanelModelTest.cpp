#include "app/SessionFixture.h"

#include "app/commands/menus/HistoryMenuLabels.h"
#include "app/panels/HistoryPanelModel.h"

#include <cstring>
#include <string>
#include <vector>

namespace pict {
namespace {

class HistoryPanelModelTest : public test::SessionTest {
protected:
    HistoryPanelModelTest() { model_.attach(&session_); }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (int32_t i = 0; i < model_.rowCount(); ++i)
            out.push_back(model_.row(i).name);
        return out;
    }
    // For each row: 'C' current, 'u' undone, '.' applied (the origin counts as applied).
    std::string marks() const {
        std::string out;
        for (int32_t i = 0; i < model_.rowCount(); ++i) {
            const HistoryRow& row = model_.row(i);
            EXPECT_FALSE(row.current && row.undone) << i;
            out += row.current ? 'C' : (row.undone ? 'u' : '.');
        }
        return out;
    }
    // The walk a click on the row asks for, run as the panel's host runs it.
    void clickRow(int32_t row) {
        const std::optional<HistoryWalk> walk = model_.walkTo(row);
        ASSERT_TRUE(walk);
        for (int32_t i = 0; i < walk->steps; ++i)
            ASSERT_EQ(run(walk->id), CommandOutcome::Done);
        model_.refresh();
    }
    // Invert, Select All, Desaturate: three states.
    void threeStates() {
        ASSERT_EQ(run(kCmdInvert), CommandOutcome::Done);
        ASSERT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
        ASSERT_EQ(run(kCmdDesaturate), CommandOutcome::Done);
        EXPECT_TRUE(model_.refresh());
    }

    HistoryPanelModel model_;
};

TEST_F(HistoryPanelModelTest, AnOpenedDocumentStartsWithOpenAlone) {
    ASSERT_FALSE(document().info().untitled);
    EXPECT_EQ(names(), (std::vector<std::string>{"Open"}));
    EXPECT_EQ(marks(), "C");
    EXPECT_EQ(model_.currentRow(), 0);
    EXPECT_FALSE(model_.walkTo(0)) << "already there";
    EXPECT_FALSE(model_.walkTo(1));
    EXPECT_FALSE(model_.walkTo(-1));
    EXPECT_FALSE(model_.refresh()) << "nothing changed";
}

TEST_F(HistoryPanelModelTest, ANewDocumentStartsWithNew) {
    DocumentInfo info;
    info.width = 8;
    info.height = 8;
    info.name = "Untitled-1";
    info.untitled = true;
    auto document = std::make_unique<Document>();
    ASSERT_TRUE(document->newFromInfo(info));
    DocumentSession created(app_, std::move(document));
    HistoryPanelModel model;
    model.attach(&created);
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.row(0).name, "New");
    model.attach(nullptr);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.currentRow(), -1);
    EXPECT_FALSE(model.walkTo(0));
}

TEST_F(HistoryPanelModelTest, RowsNameEveryStateAndMarkTheCurrentOne) {
    threeStates();
    EXPECT_EQ(names(), (std::vector<std::string>{"Open", "Invert", "Select Canavs", "Desaturate"}));
    EXPECT_EQ(marks(), "...C");

    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(marks(), "..Cu");
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(marks(), "Cuuu");
    ASSERT_EQ(run(kCmdRedo), CommandOutcome::Done);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(marks(), ".Cuu");

    // A new state drops the undone ones.
    ASSERT_EQ(run(kCmdDesaturate), CommandOutcome::Done);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(names(), (std::vector<std::string>{"Open", "Invert", "Desaturate"}));
    EXPECT_EQ(marks(), "..C");
}

TEST_F(HistoryPanelModelTest, ClickingARowWalksThereAndBack) {
    threeStates();
    const Surface24 desaturated = document().layers().rasterAt(0)->color().clone();

    EXPECT_EQ(model_.walkTo(1)->id, kCmdUndo);
    EXPECT_EQ(model_.walkTo(1)->steps, 2);
    clickRow(1);
    EXPECT_EQ(marks(), ".Cuu");
    EXPECT_TRUE(selection().isEmpty()) << "Select All undone";
    EXPECT_EQ(document().layers().rasterAt(0)->color().row(0)[0], 0) << "still inverted";

    clickRow(0);
    EXPECT_EQ(marks(), "Cuuu");
    EXPECT_EQ(document().layers().rasterAt(0)->color().row(0)[0], 255) << "as opened";
    EXPECT_FALSE(document().isModified());

    EXPECT_EQ(model_.walkTo(3)->id, kCmdRedo);
    EXPECT_EQ(model_.walkTo(3)->steps, 3);
    clickRow(3);
    EXPECT_EQ(marks(), "...C");
    const Surface24& now = document().layers().rasterAt(0)->color();
    for (int32_t y = 0; y < now.height(); ++y)
        ASSERT_EQ(std::memcmp(now.row(y), desaturated.row(y), size_t(now.width()) * 3), 0) << y;
    EXPECT_FALSE(model_.walkTo(4)) << "past the newest state";
}

TEST_F(HistoryPanelModelTest, PurgeAndTheLimitDropRows) {
    threeStates();
    history().setLimit(2);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(names(), (std::vector<std::string>{"Open", "Select Canavs", "Desaturate"}));
    EXPECT_EQ(marks(), "..C");
    clickRow(0);
    EXPECT_EQ(marks(), "Cuu") << "the oldest kept step is undone";

    ASSERT_EQ(run(kCmdPurgeUndo), CommandOutcome::Done);
    EXPECT_TRUE(model_.refresh());
    EXPECT_EQ(names(), (std::vector<std::string>{"Open"}));
    EXPECT_EQ(marks(), "C");
}

TEST_F(HistoryPanelModelTest, UndoAndRedoMenuItemsNameTheirStep) {
    EXPECT_EQ(undoMenuLabel(nullptr), "Undo\tCtrl+Z");
    EXPECT_EQ(redoMenuLabel(nullptr), "Redo\tCtrl+Y");
    EXPECT_EQ(undoMenuLabel(&history()), "Undo\tCtrl+Z") << "nothing to undo";
    EXPECT_EQ(redoMenuLabel(&history()), "Redo\tCtrl+Y");

    ASSERT_EQ(run(kCmdInvert), CommandOutcome::Done);
    ASSERT_EQ(run(kCmdSelectAll), CommandOutcome::Done);
    EXPECT_EQ(undoMenuLabel(&history()), "Undo Select Canavs\tCtrl+Z");
    EXPECT_EQ(redoMenuLabel(&history()), "Redo\tCtrl+Y");
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(undoMenuLabel(&history()), "Undo Invert\tCtrl+Z");
    EXPECT_EQ(redoMenuLabel(&history()), "Redo Select Canavs\tCtrl+Y");
    ASSERT_EQ(run(kCmdUndo), CommandOutcome::Done);
    EXPECT_EQ(undoMenuLabel(&history()), "Undo\tCtrl+Z");
    EXPECT_EQ(redoMenuLabel(&history()), "Redo Invert\tCtrl+Y");
}

} // namespace
} // namespace pict
