#include "history/HistoryManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace pict {
namespace {

// A document of one integer: each state adds its delta on apply and removes it on undo, so
// the value tells exactly which states are applied. Events are logged for order checks.
struct Journal {
    int value = 0;
    int modifiedMarks = 0;
    std::vector<std::string> events;
};

class AddState : public DocumentChangeState {
public:
    AddState(Journal& journal, std::string name, int delta, bool applyWorks = true, bool undoWorks = true)
        : DocumentChangeState([&journal] { ++journal.modifiedMarks; }), journal_(journal), name_(std::move(name)),
          delta_(delta), applyWorks_(applyWorks), undoWorks_(undoWorks) {}
    ~AddState() override { journal_.events.push_back("destroy " + name_); }

    std::string name() const override { return name_; }
    bool apply() override {
        journal_.events.push_back("apply " + name_);
        if (!applyWorks_)
            return false;
        journal_.value += delta_;
        return true;
    }
    bool undo() override {
        journal_.events.push_back("undo " + name_);
        if (!undoWorks_)
            return false;
        journal_.value -= delta_;
        return true;
    }

private:
    Journal& journal_;
    std::string name_;
    int delta_;
    bool applyWorks_;
    bool undoWorks_;
};

std::unique_ptr<HistoryState> state(Journal& j, const std::string& name, int delta) {
    return std::make_unique<AddState>(j, name, delta);
}

TEST(HistoryLimitRule, ClampsToOneThroughHundred) {
    EXPECT_EQ(HistoryManager().limit(), 20);
    EXPECT_EQ(HistoryManager(0).limit(), 1);
    EXPECT_EQ(HistoryManager(-5).limit(), 1);
    EXPECT_EQ(HistoryManager(250).limit(), 100);
    HistoryManager history;
    history.setLimit(101);
    EXPECT_EQ(history.limit(), 100);
}

TEST(HistoryAdd, AppliesRecordsAndMarksModified) {
    Journal j;
    HistoryManager history;
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_TRUE(history.add(state(j, "A", 1), false));
    EXPECT_EQ(j.value, 1);
    EXPECT_EQ(j.modifiedMarks, 1);
    EXPECT_EQ(history.position(), 0);
    EXPECT_TRUE(history.canUndo());
    EXPECT_EQ(history.undoName(), "A");
    EXPECT_EQ(history.redoName(), "");
    EXPECT_FALSE(history.redo()); // redo right after add has nothing to do
}

TEST(HistoryAdd, AlreadyAppliedStateIsNotRunAgain) {
    Journal j;
    HistoryManager history;
    auto s = state(j, "Preview", 5);
    s->apply(); // as a dialog preview would have done
    j.events.clear();
    EXPECT_TRUE(history.add(std::move(s), true));
    EXPECT_TRUE(j.events.empty());
    EXPECT_EQ(j.value, 5);
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(j.value, 0);
}

TEST(HistoryAdd, FailingApplyIsDestroyedAndLeavesRedoBranch) {
    Journal j;
    HistoryManager history;
    history.add(state(j, "A", 1), false);
    history.add(state(j, "B", 10), false);
    history.undo();
    j.events.clear();
    EXPECT_FALSE(history.add(std::make_unique<AddState>(j, "Bad", 100, false), false));
    EXPECT_EQ((std::vector<std::string>{"apply Bad", "destroy Bad"}), j.events);
    EXPECT_EQ(j.modifiedMarks, 2);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.position(), 0);
    EXPECT_TRUE(history.canRedo());
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(j.value, 11);
}

TEST(HistoryAdd, NullStateIsRefused) {
    HistoryManager history;
    EXPECT_FALSE(history.add(nullptr, true));
    EXPECT_EQ(history.count(), 0);
}

TEST(HistoryAdd, AfterUndoDiscardsRedoBranchNewestFirst) {
    Journal j;
    HistoryManager history;
    history.add(state(j, "A", 1), false);
    history.add(state(j, "B", 2), false);
    history.add(state(j, "C", 4), false);
    history.undo();
    history.undo();
    j.events.clear();
    history.add(state(j, "D", 8), false);
    EXPECT_EQ((std::vector<std::string>{"apply D", "destroy C", "destroy B"}), j.events);
    EXPECT_EQ(j.value, 9);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.undoName(), "D");
}

TEST(HistoryLimit, KeepsTheNewestStates) {
    Journal j;
    HistoryManager history(3);
    for (int i = 0; i < 4; ++i)
        history.add(state(j, std::string(1, char('A' + i)), 1 << i), false);
    EXPECT_EQ(history.count(), 3);
    EXPECT_EQ(history.position(), 2);
    EXPECT_EQ(history.stateAt(0)->name(), "B");
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.undo());
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(history.position(), -1);
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(j.value, 1); // A can no longer be undone
}

TEST(HistoryLimit, LoweringDropsOldestAppliedStates) {
    Journal j;
    HistoryManager history(10);
    for (int i = 0; i < 5; ++i)
        history.add(state(j, std::string(1, char('A' + i)), 1), false);
    history.setLimit(2);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.position(), 1);
    EXPECT_EQ(history.stateAt(0)->name(), "D");
}

TEST(HistoryLimit, LoweringWithEverythingUndoneKeepsTheOldestForRedo) {
    Journal j;
    HistoryManager history(10);
    for (int i = 0; i < 5; ++i)
        history.add(state(j, std::string(1, char('A' + i)), 1 << i), false);
    while (history.undo()) {
    }
    ASSERT_EQ(j.value, 0);
    history.setLimit(2);
    EXPECT_EQ(history.count(), 2);
    EXPECT_EQ(history.position(), -1);
    EXPECT_TRUE(history.redo());
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(j.value, 3); // A then B, in their original order
    EXPECT_FALSE(history.redo());
}

TEST(HistoryLimit, LoweringWithOnlyOldestAppliedKeepsWhatFollowsIt) {
    Journal j;
    HistoryManager history(10);
    for (int i = 0; i < 5; ++i)
        history.add(state(j, std::string(1, char('A' + i)), 1 << i), false);
    for (int i = 0; i < 4; ++i)
        history.undo();
    ASSERT_EQ(history.position(), 0);
    history.setLimit(2);
    EXPECT_EQ(history.position(), -1);
    EXPECT_FALSE(history.canUndo());
    ASSERT_EQ(history.count(), 2);
    EXPECT_EQ(history.stateAt(0)->name(), "B");
    EXPECT_EQ(history.stateAt(1)->name(), "C");
    history.redo();
    EXPECT_EQ(j.value, 1 + 2);
}

// Applies and undoes while `works` is set; once it is cleared every attempt fails and
// changes nothing, as a state that runs out of memory does.
class FlakyState : public DocumentChangeState {
public:
    FlakyState(Journal& journal, const bool& works) : DocumentChangeState([] {}), journal_(journal), works_(works) {}
    std::string name() const override { return "Flaky"; }
    bool apply() override { return works_ && step(+1); }
    bool undo() override { return works_ && step(-1); }

private:
    bool step(int delta) {
        journal_.value += delta;
        return true;
    }
    Journal& journal_;
    const bool& works_;
};

// A failed undo or redo changed nothing in the document, so the history must not pretend it
// did: the position stays, and the same step can be tried again.
TEST(HistoryUndoRedo, FailuresLeaveThePositionWhereItWas) {
    Journal j;
    HistoryManager history;
    bool works = true;
    history.add(state(j, "A", 10), false);
    history.add(std::make_unique<FlakyState>(j, works), false);
    ASSERT_EQ(j.value, 11);

    works = false;
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(history.position(), 1);
    EXPECT_EQ(history.undoName(), "Flaky");
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(j.value, 11);

    works = true;
    EXPECT_TRUE(history.undo());
    EXPECT_EQ(history.position(), 0);
    works = false;
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(history.position(), 0);
    EXPECT_EQ(history.redoName(), "Flaky");
    EXPECT_EQ(j.value, 10);

    works = true;
    EXPECT_TRUE(history.redo());
    EXPECT_EQ(history.position(), 1);
    EXPECT_EQ(j.value, 11);
}

TEST(HistoryUndoRedo, AStateThatNeverUndoesStaysApplied) {
    Journal j;
    HistoryManager history;
    history.add(std::make_unique<AddState>(j, "Stuck", 1, true, false), false);
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(history.position(), 0);
    EXPECT_TRUE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(j.value, 1);
}

TEST(HistoryUndoRedo, RedoMarksModifiedUndoDoesNot) {
    Journal j;
    HistoryManager history;
    history.add(state(j, "A", 1), false);
    history.undo();
    EXPECT_EQ(j.modifiedMarks, 1);
    history.redo();
    EXPECT_EQ(j.modifiedMarks, 2);
    EXPECT_EQ(j.value, 1);
}

TEST(HistoryPurge, DestroysNewestFirstAndKeepsDocument) {
    Journal j;
    HistoryManager history;
    history.add(state(j, "A", 1), false);
    history.add(state(j, "B", 2), false);
    history.undo();
    j.events.clear();
    history.purge();
    EXPECT_EQ((std::vector<std::string>{"destroy B", "destroy A"}), j.events);
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.position(), -1);
    EXPECT_EQ(j.value, 1);
}

} // namespace
} // namespace pict

namespace pict {
namespace {

// Changes nothing a save writes (as a selection step).
class SelectState : public HistoryState {
public:
    std::string name() const override { return "Select"; }
    bool apply() override { return true; }
    bool undo() override { return true; }
};

TEST(HistoryStateToken, ReturnsWhenTheHistoryComesBackToAPlace) {
    Journal j;
    HistoryManager history(20);
    const uint64_t origin = history.stateToken();
    ASSERT_TRUE(history.add(state(j, "a", 1), false));
    const uint64_t afterA = history.stateToken();
    EXPECT_NE(afterA, origin);
    ASSERT_TRUE(history.add(state(j, "b", 2), false));
    const uint64_t afterB = history.stateToken();
    EXPECT_NE(afterB, afterA);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.stateToken(), afterA);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.stateToken(), origin);
    ASSERT_TRUE(history.redo());
    ASSERT_TRUE(history.redo());
    EXPECT_EQ(history.stateToken(), afterB);

    // A new state after an undo is a new document, though it has the same name and effect.
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.add(state(j, "b", 2), false));
    EXPECT_NE(history.stateToken(), afterB);
    EXPECT_NE(history.stateToken(), afterA);

    // A selection step keeps the token of the document before it, applied or undone.
    const uint64_t beforeSelect = history.stateToken();
    ASSERT_TRUE(history.add(std::make_unique<SelectState>(), false));
    EXPECT_EQ(history.stateToken(), beforeSelect);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.stateToken(), beforeSelect);
}

TEST(HistoryStateToken, SurvivesTheLimitAndPurge) {
    Journal j;
    HistoryManager history(2);
    ASSERT_TRUE(history.add(state(j, "a", 1), false));
    const uint64_t afterA = history.stateToken();
    ASSERT_TRUE(history.add(state(j, "b", 1), false));
    ASSERT_TRUE(history.add(state(j, "c", 1), false)); // "a" is dropped
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.stateToken(), afterA) << "the oldest place left is the document after a";

    ASSERT_TRUE(history.redo());
    const uint64_t afterB = history.stateToken();
    history.purge();
    EXPECT_EQ(history.stateToken(), afterB) << "purging keeps the document and its token";
    ASSERT_TRUE(history.add(state(j, "d", 1), false));
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.stateToken(), afterB);

    // Lowering the limit below the position drops undone states from the new end.
    HistoryManager shrinking(5);
    for (const char* name : {"p", "q", "r"})
        ASSERT_TRUE(shrinking.add(state(j, name, 1), false));
    const uint64_t afterR = shrinking.stateToken();
    shrinking.setLimit(1);
    EXPECT_EQ(shrinking.stateToken(), afterR);
}

} // namespace
} // namespace pict
