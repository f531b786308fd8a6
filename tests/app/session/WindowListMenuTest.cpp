#include "app/session/WindowListMenu.h"

#include "app/commands/CommandIds.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(WindowListMenu, NumbersTheWindowsAndChecksTheActiveOne) {
    const std::vector<WindowListItem> items =
        buildWindowListMenu({"a.png @ 100%", "Untitled-1 @ 50%", "b.bmp @ 200%"}, 1);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].text, "&1 a.png @ 100%");
    EXPECT_EQ(items[1].text, "&2 Untitled-1 @ 50%");
    EXPECT_EQ(items[2].id, kCmdWindowListFirst + 2);
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
    EXPECT_FALSE(items[2].checked);
}

TEST(WindowListMenu, EmptyWithoutWindowsAndNothingCheckedWithoutAnActiveOne) {
    EXPECT_TRUE(buildWindowListMenu({}, std::nullopt).empty());
    for (const WindowListItem& item : buildWindowListMenu({"a", "b"}, std::nullopt))
        EXPECT_FALSE(item.checked);
}

TEST(WindowListMenu, OnlyTheFirstNineGetAMnemonicAndAmpersandsShowAsTyped) {
    std::vector<std::string> captions(12, "x");
    captions[0] = "R&D @ 100%";
    const std::vector<WindowListItem> items = buildWindowListMenu(captions, 11);
    EXPECT_EQ(items[0].text, "&1 R&&D @ 100%");
    EXPECT_EQ(items[8].text, "&9 x");
    EXPECT_EQ(items[9].text, "10 x");
    EXPECT_TRUE(items[11].checked);
}

TEST(WindowListMenu, WindowsBeyondTheIdRangeAreLeftOut) {
    const size_t capacity = kCmdWindowListLast - kCmdWindowListFirst + 1;
    const std::vector<WindowListItem> items = buildWindowListMenu(std::vector<std::string>(capacity + 3, "x"), 0);
    ASSERT_EQ(items.size(), capacity);
    EXPECT_EQ(items.back().id, kCmdWindowListLast);
    EXPECT_TRUE(isWindowListCommand(items.back().id));
    EXPECT_EQ(windowListIndex(items.back().id), static_cast<int>(capacity - 1));
}

} // namespace
} // namespace pict
