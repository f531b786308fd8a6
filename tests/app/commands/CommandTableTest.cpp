#include "app/commands/CommandTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace pict {
namespace {

TEST(CommandTable, FindsEveryEntryById) {
    for (const CommandInfo& info : commandTable()) {
        const CommandInfo* found = findCommand(info.id);
        ASSERT_NE(found, nullptr) << info.id;
        EXPECT_EQ(found, &info);
    }
    EXPECT_EQ(findCommand(1), nullptr);
    EXPECT_EQ(findCommand(kCmdRecentFileFirst + 3), nullptr);
}

TEST(CommandTable, CarriesTheMenuTextsAndShortcuts) {
    struct Case {
        uint16_t id;
        const char* label;
        CommandRoute route;
    } cases[] = {
        {57600, "New...\tCtrl+N", CommandRoute::Application},
        {32802, "New From Clipboard\tCtrl+Shift+N", CommandRoute::Application},
        {57607, "Print...\tCtrl+P", CommandRoute::Application},
        {32971, "Full Screen\tF11", CommandRoute::Application},
        {57664, "About Pictorane", CommandRoute::Application},
        {32942, "Zoom In\tNumpad +", CommandRoute::DocumentFrame},
        {32946, "Actual Pixels\tNumpad /", CommandRoute::DocumentFrame},
        {32997, "75%", CommandRoute::DocumentFrame},
        {57643, "Undo\tCtrl+Z", CommandRoute::Document},
        {32792, "Inverse\tShift+Ctrl+I", CommandRoute::Document},
        {32904, "Levels...\tCtrl+L", CommandRoute::Document},
        {32877, "180°", CommandRoute::Document},
        {32790, "All\tCtrl+A", CommandRoute::Document},
    };
    for (const Case& c : cases) {
        const CommandInfo* info = findCommand(c.id);
        ASSERT_NE(info, nullptr) << c.id;
        EXPECT_EQ(menuLabel(*info), c.label);
        EXPECT_EQ(info->route, c.route) << c.id;
    }
    const CommandInfo* purge = findCommand(kCmdPurgeUndo);
    EXPECT_STREQ(purge->statusText, "Free memory used by history states\nPurge Undo");
    EXPECT_EQ(statusLine(*purge), "Free memory used by history states");
    EXPECT_EQ(toolTip(*purge), "Purge Undo");
    EXPECT_EQ(statusLine(*findCommand(kCmdFill)), "Fill canvas or selection with a specified color");
    EXPECT_STREQ(findCommand(kCmdZoomIn)->keys, "Num++; Ctrl+=");
}

TEST(MenuLayout, PlacesEveryMenuCommandOnceInTheNineMenus) {
    const std::set<std::string> menus = {"&File", "&Edit", "&Image", "&Layer", "&Select", "Fi&lter",
                                         "&View", "&Window", "&Help"};
    std::set<uint16_t> placed;
    for (const MenuEntry& entry : menuLayout()) {
        std::string top = std::string(entry.menu).substr(0, std::string(entry.menu).find('/'));
        EXPECT_TRUE(menus.count(top)) << entry.menu;
        if (entry.id == 0 || entry.id == kCmdRecentFileFirst)
            continue;
        ASSERT_NE(findCommand(entry.id), nullptr) << entry.id;
        EXPECT_STRNE(findCommand(entry.id)->menuText, "") << entry.id;
        // The zoom menu repeats the fit commands; nothing else appears twice.
        bool fit = entry.id == kCmdFitOnScreen || entry.id == kCmdFitInWindow || entry.id == kCmdPrintSize;
        EXPECT_TRUE(placed.insert(entry.id).second || fit) << entry.id;
    }
    for (const CommandInfo& info : commandTable()) {
        // Clear Recent lives in the recent-file items that are rebuilt at run time.
        if (*info.menuText && info.id != kCmdClearRecent) {
            EXPECT_TRUE(placed.count(info.id)) << "not in any menu: " << info.menuText;
        }
    }
}

} // namespace
} // namespace pict
