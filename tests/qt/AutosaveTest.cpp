// Autosave and recovery in the main window: what is written when, what goes when a document
// is saved or closed, and the offer at start of what a run that did not end left behind.
#include "app/qt/window/Autosaver.h"
#include "app/session/RecoveryFiles.h"
#include "qt/MainWindowFixture.h"
#include "support/DocumentFixtures.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pict::qt::test {
namespace {

namespace fs = std::filesystem;

constexpr int64_t kDeadProcess = 4'000'000'000;

class AutosaveTest : public MainWindowTest {
protected:
    void SetUp() override {
        state = pict::test::scratchDir() / ("state-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(state);
        ::setenv("XDG_STATE_HOME", state.c_str(), 1);
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        ::unsetenv("XDG_STATE_HOME");
    }
    fs::path folder() const { return state / "pictorane" / "recovery"; }
    std::vector<fs::path> files(const char* extension) const {
        std::vector<fs::path> found;
        std::error_code error;
        for (fs::directory_iterator it(folder(), error), end; !error && it != end; it.increment(error))
            if (it->path().extension() == extension)
                found.push_back(it->path());
        return found;
    }
    void autosave() {
        window->autosaver().autosaveNow();
        window->autosaver().waitForWrites();
    }
    fs::path state;
};

TEST_F(AutosaveTest, OnlyChangedUnsavedDocumentsAreWrittenAndTheirFilesGoOnSave) {
    EXPECT_EQ(window->autosaver().intervalMinutes(), 5) << "the default";
    DocumentFrame* unchanged = addBlank(16, 16, "same");
    DocumentFrame* changed = addBlank(16, 16, "Untitled-3");
    (void)unchanged;
    changed->document().setModified(true);
    pict::test::addColorLayer(changed->document(), "Red", Rect{0, 0, 4, 4}, 0, 0, 255);
    autosave();
    ASSERT_EQ(files(".ora").size(), 1u);
    ASSERT_EQ(files(".record").size(), 1u);
    std::ifstream in(files(".record")[0]);
    const std::optional<RecoveryRecord> record =
        parseRecord(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->title, "Untitled-3");
    EXPECT_TRUE(record->path.empty());

    // Nothing changed since: nothing is written again.
    const auto written = fs::last_write_time(files(".ora")[0]);
    autosave();
    EXPECT_EQ(fs::last_write_time(files(".ora")[0]), written);

    // Saved as a layered file: the copy goes.
    const std::string target = (pict::test::scratchDir() / "autosaved-then-saved.ora").string();
    prompts.saveAs.push_back(SaveAsAnswer{QString::fromStdString(target), 4});
    window->executeCommand(kCmdSaveAs);
    EXPECT_TRUE(files(".ora").empty());
    EXPECT_TRUE(files(".record").empty());
}

TEST_F(AutosaveTest, ClosingWithoutSavingTakesTheCopyAlong) {
    DocumentFrame* frame = addBlank(16, 16, "Untitled-4");
    frame->document().setModified(true);
    pict::test::addColorLayer(frame->document(), "Red", Rect{0, 0, 4, 4}, 0, 0, 255);
    autosave();
    ASSERT_EQ(files(".ora").size(), 1u);
    prompts.saveChanges = {SaveChangesAnswer::No};
    ASSERT_TRUE(window->closeDocument(frame));
    EXPECT_TRUE(files(".ora").empty());
}

TEST_F(AutosaveTest, WhatAnEndedRunLeftIsOfferedAndRecovered) {
    DocumentFrame* frame = addBlank(16, 16, "photo.png");
    frame->document().setFolder("/pictures");
    frame->document().setUntitled(false);
    frame->document().setModified(true);
    pict::test::addColorLayer(frame->document(), "Red", Rect{2, 2, 6, 6}, 0, 0, 255);
    autosave();
    ASSERT_EQ(files(".record").size(), 1u);
    // As if that run had been killed: its record names a process that is gone.
    const fs::path recordFile = files(".record")[0];
    std::ifstream in(recordFile);
    RecoveryRecord record = *parseRecord(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    record.processId = kDeadProcess;
    std::ofstream(recordFile, std::ios::trunc) << recordText(record);

    prompts.recoverAnswers = {true};
    window->offerRecovery();
    EXPECT_EQ(prompts.recoverTexts, QStringList({"Pictorane did not close normally. Recover 1 unsaved images?"}));
    ASSERT_EQ(window->frames().size(), 2u);
    DocumentFrame* recovered = window->frames()[1];
    EXPECT_EQ(recovered->path(), "/pictures/photo.png");
    EXPECT_TRUE(recovered->document().isModified());
    ASSERT_EQ(recovered->document().layers().count(), 2);
    EXPECT_EQ(recovered->document().layers().layerAt(1)->name(), "Red");
    EXPECT_EQ(recovered->document().composite()->color().getColor(3, 3) & 0xFFFFFF,
              frame->document().composite()->color().getColor(3, 3) & 0xFFFFFF);
    EXPECT_FALSE(fs::exists(recordFile)) << "its old files go once it is open again";
}

TEST_F(AutosaveTest, DiscardDeletesWhatWasLeftAndNothingLeftAsksNothing) {
    window->offerRecovery();
    EXPECT_TRUE(prompts.recoverTexts.isEmpty());
    RecoveryStore store(folder());
    ASSERT_TRUE(store.writeRecord({"old-1", "a.png", "", "png", kDeadProcess}));
    fs::create_directories(folder());
    std::ofstream(store.picturePath("old-1")) << "whatever";
    window->offerRecovery(); // no answer queued: Discard
    EXPECT_EQ(prompts.recoverTexts.size(), 1);
    EXPECT_TRUE(window->frames().empty());
    EXPECT_FALSE(fs::exists(store.picturePath("old-1")));
    EXPECT_FALSE(fs::exists(store.recordPath("old-1")));
}

} // namespace
} // namespace pict::qt::test
