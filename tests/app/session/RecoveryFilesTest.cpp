#include "app/session/RecoveryFiles.h"

#include "support/TestData.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

namespace pict {
namespace {

namespace fs = std::filesystem;

// A process id no process has: beyond the kernel's limit.
constexpr int64_t kDeadProcess = 4'000'000'000;

fs::path freshFolder(const char* name) {
    const fs::path folder = test::scratchDir() / name;
    fs::remove_all(folder);
    return folder;
}

void touch(const fs::path& path) { std::ofstream(path) << "x"; }

TEST(RecoveryRecord, RoundTripsAndRefusesWhatCouldLeaveTheFolder) {
    const RecoveryRecord record{"12-3", "photo.jpg", "/home/a/photo.jpg", "jpg", 12};
    EXPECT_EQ(parseRecord(recordText(record)), record);
    RecoveryRecord lines = record;
    lines.title = "two\nlines";
    EXPECT_EQ(parseRecord(recordText(lines))->title, "two lines");
    EXPECT_FALSE(parseRecord("title=x\n"));
    EXPECT_FALSE(parseRecord("id=../x\n"));
    EXPECT_FALSE(parseRecord("id=.hidden\n"));
    EXPECT_FALSE(parseRecord("id=a\npid=12x\n"));
    EXPECT_FALSE(parseRecord("not a record"));
    EXPECT_EQ(recoveryPromptText(3), "Pictorane did not close normally. Recover 3 unsaved images?");
}

TEST(RecoveryStore, OnlyFilesOfRunsThatEndedAreLeftBehind) {
    const fs::path folder = freshFolder("recovery-store");
    RecoveryStore store(folder);
    EXPECT_TRUE(store.leftBehind().empty()) << "no folder yet";
    const std::string mine = store.newId();
    EXPECT_NE(store.newId(), mine);
    ASSERT_TRUE(store.writeRecord({mine, "Untitled-1", "", "", int64_t(::getpid())}));
    touch(store.picturePath(mine));
    ASSERT_TRUE(store.writeRecord({"dead-1", "a.png", "/x/a.png", "png", kDeadProcess}));
    touch(store.picturePath("dead-1"));
    ASSERT_TRUE(store.writeRecord({"dead-2", "b.png", "/x/b.png", "png", kDeadProcess}));
    // dead-2 has no picture: the write that would have made it never finished.
    touch(folder / "stray.record");
    const std::vector<RecoveryRecord> left = store.leftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, "dead-1");
    EXPECT_EQ(left[0].path, "/x/a.png");

    store.remove("dead-1");
    EXPECT_FALSE(fs::exists(store.picturePath("dead-1")));
    EXPECT_FALSE(fs::exists(store.recordPath("dead-1")));
    store.remove("never-there");
}

TEST(RecoveryFolder, FollowsXdgStateHome) {
    const char* old = std::getenv("XDG_STATE_HOME");
    const std::string kept = old ? old : "";
    ::setenv("XDG_STATE_HOME", "/somewhere/state", 1);
    EXPECT_EQ(recoveryFolder(), fs::path("/somewhere/state/pictorane/recovery"));
    ::setenv("XDG_STATE_HOME", "relative", 1);
    EXPECT_NE(recoveryFolder(), fs::path("relative/pictorane/recovery")) << "only absolute paths count";
    if (old)
        ::setenv("XDG_STATE_HOME", kept.c_str(), 1);
    else
        ::unsetenv("XDG_STATE_HOME");
}

} // namespace
} // namespace pict
