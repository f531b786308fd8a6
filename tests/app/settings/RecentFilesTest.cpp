#include "app/settings/RecentFiles.h"

#include "app/commands/CommandIds.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(RecentFileList, AddToFrontMovesAnEqualEntryAndDropsTheOldest) {
    RecentFileList list;
    list.addToFront("/a", 3);
    list.addToFront("/b", 3);
    list.addToFront("/c", 3);
    list.addToFront("/d", 3);
    EXPECT_EQ(list.all(), (std::vector<std::string>{"/d", "/c", "/b"}));
    list.addToFront("/b", 3);
    EXPECT_EQ(list.all(), (std::vector<std::string>{"/b", "/d", "/c"}));
    list.addToFront("", 3);
    EXPECT_EQ(list.count(), 3u);
    list.addToFront("/B", 3); // case matters
    EXPECT_EQ(list.all(), (std::vector<std::string>{"/B", "/b", "/d"}));
}

TEST(RecentFileList, MoveToFrontRemoveAndBounds) {
    RecentFileList list;
    for (const char* p : {"/a", "/b", "/c"})
        list.append(p);
    EXPECT_TRUE(list.moveToFront(2));
    EXPECT_EQ(list.all(), (std::vector<std::string>{"/c", "/a", "/b"}));
    EXPECT_FALSE(list.moveToFront(3));
    EXPECT_TRUE(list.remove("/a"));
    EXPECT_FALSE(list.remove("/a"));
    EXPECT_EQ(list.at(5), "");
    list.clear();
    EXPECT_TRUE(list.isEmpty());
}

TEST(RecentFilesMenu, EmptyListShowsOneGrayedItem) {
    RecentFileList list;
    auto items = buildRecentFilesMenu(list, 8);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].id, kCmdRecentFileFirst);
    EXPECT_EQ(items[0].text, "(Empty)");
    EXPECT_FALSE(items[0].enabled);
}

TEST(RecentFilesMenu, NumbersEntriesTrimsAndEndsWithClearRecent) {
    RecentFileList list;
    for (const char* p : {"/x/one.png", "/x/R&D.png", "/x/three.png"})
        list.append(p);
    auto items = buildRecentFilesMenu(list, 2);
    EXPECT_EQ(list.count(), 2u) << "the list itself is trimmed";
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "&1  /x/one.png");
    EXPECT_EQ(items[0].id, 57616);
    EXPECT_EQ(items[1].text, "&2  /x/R&&D.png");
    EXPECT_EQ(items[1].id, 57617);
    EXPECT_EQ(items[2].id, 0);
    EXPECT_EQ(items[3].id, kCmdClearRecent);
    EXPECT_EQ(items[3].text, "Clear Recent");
}

TEST(RecentFilesMenu, LongPathsAreShortenedToTwoHundredCharacters) {
    std::string folder(300, 'd');
    std::string path = "/" + folder + "/picture.png";
    std::string shown = shortenPathForMenu(path);
    EXPECT_EQ(shown.size(), 200u);
    EXPECT_TRUE(shown.starts_with("/ddd"));
    EXPECT_TRUE(shown.ends_with("/picture.png"));
    EXPECT_NE(shown.find("..."), std::string::npos);
    EXPECT_EQ(shortenPathForMenu("/short.png"), "/short.png");

    // Counted in characters, and never cut inside one.
    std::string wide;
    for (int i = 0; i < 250; ++i)
        wide += "\xC3\xA9"; // é
    std::string cut = shortenPathForMenu(wide);
    EXPECT_EQ(cut.size(), 197u * 2 + 3);
}

} // namespace
} // namespace pict
