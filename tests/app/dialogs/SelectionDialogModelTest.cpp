#include "app/dialogs/ChannelDialogModel.h"
#include "app/commands/CommandIds.h"
#include "app/dialogs/DialogNumbers.h"
#include "app/dialogs/ModifyDialogModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

TEST(DialogNumbers, WholeNumbersMustFillTheTextAndLieInRange) {
    EXPECT_EQ(parseWholeNumber(" 42 ", 1, 100), 42);
    EXPECT_EQ(parseWholeNumber("+7", 1, 100), 7);
    EXPECT_EQ(parseWholeNumber("-3", -5, 5), -3);
    for (const char* bad : {"", " ", "+", "0", "101", "4.0", "4x", "x4", "99999999999"})
        EXPECT_FALSE(parseWholeNumber(bad, 1, 100)) << bad;
}

TEST(DialogNumbers, DecimalsReadAPointAndRefuseNonFiniteValues) {
    EXPECT_DOUBLE_EQ(*parseDecimalNumber("2.5", 0.1, 250), 2.5);
    EXPECT_DOUBLE_EQ(*parseDecimalNumber("0.1", 0.1, 250), 0.1);
    EXPECT_DOUBLE_EQ(*parseDecimalNumber("250", 0.1, 250), 250);
    for (const char* bad : {"0.05", "250.01", "2,5", "inf", "nan", "1e999", "."})
        EXPECT_FALSE(parseDecimalNumber(bad, 0.1, 250)) << bad;
}

TEST(DialogNumbers, FormattingDropsTrailingZeros) {
    EXPECT_EQ(formatDecimal(1.0, 3), "1");
    EXPECT_EQ(formatDecimal(2.5, 3), "2.5");
    EXPECT_EQ(formatDecimal(1.0 / 3.0, 3), "0.333");
    EXPECT_EQ(formatDecimal(-0.0001, 2), "0");
    EXPECT_EQ(formatDecimal(1200, 2), "1200");
}

TEST(ModifyDialogModel, EachDialogHasItsCaptionLabelAndCommand) {
    const ModifyDialogSpec& feather = modifyDialogSpec(ModifyDialogKind::Feather);
    EXPECT_EQ(feather.caption, "Feather Selection");
    EXPECT_EQ(feather.label, "Feather radius:");
    EXPECT_EQ(feather.command, kCmdFeather);
    EXPECT_EQ(modifyDialogSpec(ModifyDialogKind::Border).caption, "Border Selection");
    EXPECT_EQ(modifyDialogSpec(ModifyDialogKind::Border).label, "Border width:");
    EXPECT_EQ(modifyDialogSpec(ModifyDialogKind::Expand).label, "Expand by:");
    EXPECT_EQ(modifyDialogSpec(ModifyDialogKind::Contract).caption, "Contract Selection");
    EXPECT_EQ(modifyDialogSpec(ModifyDialogKind::Contract).command, kCmdContract);
}

TEST(ModifyDialogModel, RangesAreRefusedNotClamped) {
    using K = ModifyDialogKind;
    EXPECT_DOUBLE_EQ(*parseModifyValue(K::Feather, "0.1"), 0.1);
    EXPECT_DOUBLE_EQ(*parseModifyValue(K::Feather, "2.54"), 2.5) << "radii are tenths";
    EXPECT_FALSE(parseModifyValue(K::Feather, "0.05"));
    EXPECT_FALSE(parseModifyValue(K::Feather, "251"));
    for (K kind : {K::Border, K::Expand, K::Contract}) {
        EXPECT_DOUBLE_EQ(*parseModifyValue(kind, "1"), 1);
        EXPECT_DOUBLE_EQ(*parseModifyValue(kind, "100"), 100);
        for (const char* bad : {"0", "101", "1.5", "", "ten"})
            EXPECT_FALSE(parseModifyValue(kind, bad)) << bad;
    }
}

TEST(ModifyDialogModel, FeatherRemembersItsRadiusAndTheOthersShareOneWidth) {
    ModifyDialogMemory memory;
    EXPECT_EQ(initialModifyText(ModifyDialogKind::Feather, memory), "1");
    EXPECT_EQ(initialModifyText(ModifyDialogKind::Border, memory), "1");

    const auto feather = confirmModifyDialog(ModifyDialogKind::Feather, "12.5", memory);
    ASSERT_TRUE(feather);
    EXPECT_DOUBLE_EQ(std::get<FeatherParams>(*feather).radius, 12.5);
    EXPECT_EQ(initialModifyText(ModifyDialogKind::Feather, memory), "12.5");
    EXPECT_EQ(initialModifyText(ModifyDialogKind::Expand, memory), "1") << "the radius is its own";

    const auto expand = confirmModifyDialog(ModifyDialogKind::Expand, "7", memory);
    ASSERT_TRUE(expand);
    EXPECT_EQ(std::get<ModifyParams>(*expand).pixels, 7);
    for (ModifyDialogKind kind : {ModifyDialogKind::Border, ModifyDialogKind::Contract})
        EXPECT_EQ(initialModifyText(kind, memory), "7");

    EXPECT_FALSE(confirmModifyDialog(ModifyDialogKind::Border, "500", memory));
    EXPECT_EQ(memory.modifyWidth, 7) << "refused text leaves the memory alone";
}

TEST(ChannelDialogModel, SaveListsTheChannelsThenNew) {
    EXPECT_EQ(saveSelectionChoices({}), std::vector<std::string>{"- New -"});
    EXPECT_EQ(saveSelectionChoices({"Alpha 1", "Sky"}), (std::vector<std::string>{"Alpha 1", "Sky", "- New -"}));
}

TEST(ChannelDialogModel, ANewChannelOffersOnlyItsFirstOperation) {
    const SaveSelectionControls fresh = saveSelectionControls(2, 2);
    EXPECT_TRUE(fresh.nameEnabled);
    EXPECT_EQ(fresh.firstOperationLabel, "N&ew channel");
    EXPECT_FALSE(fresh.combineEnabled);

    const SaveSelectionControls existing = saveSelectionControls(1, 2);
    EXPECT_FALSE(existing.nameEnabled);
    EXPECT_EQ(existing.firstOperationLabel, "R&eplace channel");
    EXPECT_TRUE(existing.combineEnabled);
    EXPECT_TRUE(saveSelectionControls(-1, 2).nameEnabled);
}

TEST(ChannelDialogModel, SaveConfirmsTheChannelNameAndOperation) {
    const SaveSelectionParams fresh = confirmSaveSelection(2, 2, "  Sky ", 3);
    EXPECT_EQ(fresh.channel, 2);
    EXPECT_EQ(fresh.name, "Sky");
    EXPECT_EQ(fresh.operation, CombineMode::New) << "a new channel has nothing to combine with";
    EXPECT_EQ(confirmSaveSelection(2, 2, "   ", 0).name, "") << "the command names it Alpha N";

    const SaveSelectionParams into = confirmSaveSelection(0, 2, "ignored", 2);
    EXPECT_EQ(into.channel, 0);
    EXPECT_EQ(into.name, "");
    EXPECT_EQ(into.operation, CombineMode::Subtract);
    EXPECT_EQ(confirmSaveSelection(0, 2, "", 9).operation, CombineMode::Intersect);
}

TEST(ChannelDialogModel, LoadKeepsTheOperationInRange) {
    const LoadSelectionParams params = confirmLoadSelection(1, 2, true);
    EXPECT_EQ(params.channel, 1);
    EXPECT_EQ(params.operation, CombineMode::Subtract);
    EXPECT_TRUE(params.invert);
    EXPECT_EQ(confirmLoadSelection(-1, -1, false).operation, CombineMode::New);
    EXPECT_EQ(confirmLoadSelection(-1, -1, false).channel, 0);
}

} // namespace
} // namespace pict
