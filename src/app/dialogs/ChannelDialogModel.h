#pragma once
// The Save Selection and Load Selection dialogs without their widgets: the wording of the
// operation buttons, which of them a channel choice allows, and the records they confirm.

#include "app/commands/DocumentCommands.h"
#include "common/Geometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pict {

inline constexpr int32_t kChannelOperationCount = 4;
// In button order, which is also the combine mode: new, add, subtract, intersect.
inline constexpr std::array<std::string_view, kChannelOperationCount> kLoadOperationLabels = {
    "N&ew selection", "&Add to selection", "&Subtract from selection", "&Intersect with selection"};
inline constexpr std::array<std::string_view, kChannelOperationCount> kSaveOperationLabels = {
    "N&ew channel", "&Add to channel", "&Subtract from channel", "&Intersect with channel"};
inline constexpr std::string_view kReplaceChannelLabel = "R&eplace channel";
inline constexpr std::string_view kNewChannelEntry = "- New -";

// The Save Selection list: the channel names, then "- New -" (preselected).
std::vector<std::string> saveSelectionChoices(const std::vector<std::string>& channelNames);

// What the Save Selection dialog shows for the chosen list entry. A new channel has nothing
// to combine with, so only its first operation is offered, and it is forced on.
struct SaveSelectionControls {
    bool nameEnabled = true;
    std::string_view firstOperationLabel = kSaveOperationLabels[0];
    bool combineEnabled = false; // the add, subtract and intersect buttons
};
SaveSelectionControls saveSelectionControls(int32_t choice, int32_t channelCount);

// OK. A choice past the channels is a new channel; its name is trimmed and may be empty,
// which the command turns into the next "Alpha N". An existing channel takes no name, and
// a new one always the first operation.
SaveSelectionParams confirmSaveSelection(int32_t choice, int32_t channelCount, std::string_view name,
                                         int32_t operation);

// A channel keeps the size it was saved at, so after a rotation, crop, trim or Canvas Size it
// may no longer fit the canvas and cannot be loaded. The dialog greys such channels out and
// says why; the command refuses them with the message.
bool channelFitsCanvas(Size channel, Size canvas);
std::string channelMisfitMessage(std::string_view name, Size channel, Size canvas);
inline constexpr std::string_view kMisfitChannelsNote =
    "Greyed channels were saved at another canvas size and cannot be loaded.";

// The entry Load Selection starts on: the first channel that fits, or 0 when none does.
int32_t firstLoadableChannel(const std::vector<bool>& fits);

// OK in Load Selection: the channel, the operation button and "Invert".
LoadSelectionParams confirmLoadSelection(int32_t channel, int32_t operation, bool invert);

} // namespace pict
