#include "app/commands/CommandTable.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace pict {
namespace {

TEST(CommandTable, FindsEveryEntryById) {
    for (const CommandSpec& info : commandTable()) {
        const CommandSpec* found = findCommand(info.id);
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
        const CommandSpec* info = findCommand(c.id);
        ASSERT_NE(info, nullptr) << c.id;
        EXPECT_EQ(menuLabel(*info), c.label);
        EXPECT_EQ(info->route, c.route) << c.id;
    }
    const CommandSpec* purge = findCommand(kCmdPurgeUndo);
    EXPECT_STREQ(purge->statusText, "Free memory used by history states\nPurge Undo");
    EXPECT_EQ(statusLine(*purge), "Free memory used by history states");
    EXPECT_EQ(toolTip(*purge), "Purge Undo");
    EXPECT_EQ(statusLine(*findCommand(kCmdFill)), "Fill canvas or selection with a specified color");
    EXPECT_STREQ(findCommand(kCmdZoomIn)->keys, "Num++; Ctrl++; Ctrl+=");
}

TEST(MenuLayout, PlacesEveryMenuCommandOnceInTheNineMenus) {
    const std::set<std::string> menus = {"&File", "&Edit", "&Image", "&Layer", "&Select", "Filte&r",
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
    for (const CommandSpec& info : commandTable()) {
        // Clear Recent lives in the recent-file items that are rebuilt at run time.
        if (*info.menuText && info.id != kCmdClearRecent) {
            EXPECT_TRUE(placed.count(info.id)) << "not in any menu: " << info.menuText;
        }
    }
}

// Each route has its own handler fields; a spec that fills the wrong ones would be a command
// that can never run.
TEST(CommandSpecs, EachRouteHasItsHandler) {
    std::set<uint16_t> ids;
    for (const CommandSpec& spec : commandTable()) {
        EXPECT_TRUE(ids.insert(spec.id).second) << "declared twice: " << spec.id;
        switch (spec.route) {
        case CommandRoute::Application:
            EXPECT_TRUE(spec.runShell || spec.shellRule == ShellRule::NotAvailable) << spec.id;
            EXPECT_FALSE(spec.run || spec.enabled || spec.runView || spec.viewEnabled) << spec.id;
            break;
        case CommandRoute::DocumentFrame:
            EXPECT_TRUE(spec.runView) << spec.id;
            EXPECT_FALSE(spec.run || spec.runShell || spec.checked) << spec.id;
            break;
        case CommandRoute::Document:
            // Panel buttons carry only their texts; the panels run them.
            EXPECT_TRUE(spec.run || (!*spec.menuText && spec.steps.empty())) << spec.id;
            EXPECT_FALSE(spec.runShell || spec.runView || spec.checked) << spec.id;
            break;
        }
        // Only a command that runs on a document can be a batch step.
        if (!spec.steps.empty()) {
            EXPECT_EQ(spec.route, CommandRoute::Document) << spec.id;
        }
    }
}

TEST(CommandSpecs, TogglesAreTheToolsAndTheBars) {
    std::set<uint16_t> toggles;
    for (const CommandSpec& spec : commandTable())
        if (spec.isToggle())
            toggles.insert(spec.id);
    EXPECT_EQ(toggles, (std::set<uint16_t>{kCmdHandTool, kCmdMarqueeTool, kCmdCropTool, kCmdZoomInTool,
                                           kCmdZoomOutTool, kCmdFullScreen, kCmdToolbar, kCmdStatusBar,
                                           kCmdBrushTool, kCmdPencilTool, kCmdEraserTool, kCmdColorPickerTool,
                                           kCmdPaintBucketTool, kCmdGradientTool, kCmdLassoTool,
                                           kCmdMagicWandTool, kCmdMoveTool}));
}

TEST(CommandSpecs, BatchStepsHaveUniqueNamesAndParsersWhereTheyTakeArguments) {
    std::set<std::string> names;
    for (const CommandStepEntry& entry : commandSteps()) {
        const CommandStep& step = *entry.step;
        EXPECT_TRUE(step.name.starts_with("--")) << step.name;
        EXPECT_TRUE(names.insert(std::string(step.name)).second) << "two steps named " << step.name;
        EXPECT_EQ(step.argument == StepArgument::None, step.parse == nullptr) << step.name;
        EXPECT_EQ(step.argument == StepArgument::None, step.syntax.empty()) << step.name;
        EXPECT_FALSE(step.help.empty()) << step.name;
    }
    // Every filter and adjustment is scriptable; Hue/Saturation has a second step, Colorize.
    for (uint16_t id : {kCmdLevels, kCmdCurves, kCmdColorBalance, kCmdBrightnessContrast, kCmdAutoLevels,
                        kCmdAutoContrast, kCmdDesaturate, kCmdInvert, kCmdLastFilter, kCmdBlur, kCmdBlurMore,
                        kCmdGaussianBlur, kCmdSharpen, kCmdSharpenMore})
        EXPECT_EQ(findCommand(id)->steps.size(), 1u) << id;
    ASSERT_EQ(findCommand(kCmdHueSaturation)->steps.size(), 2u);
    EXPECT_EQ(findCommand(kCmdHueSaturation)->steps[1].name, "--colorize");
}

TEST(ToolbarLayout, NamesCommandsThatExist) {
    size_t buttons = 0;
    for (uint16_t id : toolbarLayout()) {
        if (id == 0)
            continue;
        ++buttons;
        EXPECT_NE(findCommand(id), nullptr) << id;
    }
    EXPECT_EQ(buttons, 23u);
}

// The tools' one-key shortcuts: each key chooses exactly one command.
TEST(CommandSpecs, ToolKeysAreDeclaredOnceEach) {
    const std::pair<const char*, uint16_t> expected[] = {
        {"B", kCmdBrushTool},        {"N", kCmdPencilTool},        {"E", kCmdEraserTool},
        {"I", kCmdColorPickerTool},  {"K", kCmdPaintBucketTool},   {"G", kCmdGradientTool},
        {"M", kCmdMarqueeTool},      {"Shift+M", kCmdSwitchMarqueeShape}, {"L", kCmdLassoTool},
        {"Shift+L", kCmdSwitchLassoShape}, {"W", kCmdMagicWandTool}, {"C", kCmdCropTool},
        {"H", kCmdHandTool},         {"Z", kCmdZoomInTool},        {"X", kCmdSwapColors},
        {"D", kCmdResetColors},      {"V", kCmdMoveTool},
    };
    std::map<std::string, std::vector<uint16_t>> byKey;
    for (const CommandSpec& spec : commandTable()) {
        std::string keys = spec.keys;
        size_t start = 0;
        while (start < keys.size()) {
            const size_t end = keys.find("; ", start);
            const std::string key = keys.substr(start, end == std::string::npos ? std::string::npos : end - start);
            byKey[key].push_back(spec.id);
            start = end == std::string::npos ? keys.size() : end + 2;
        }
    }
    for (auto [key, id] : expected)
        EXPECT_EQ(byKey[key], std::vector<uint16_t>{id}) << key;
}

} // namespace
} // namespace pict
