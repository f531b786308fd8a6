#include "app/dialogs/ChannelDialogModel.h"

#include "selection/CombineMode.h"

#include <algorithm>

namespace pict {

namespace {

bool namesNewChannel(int32_t choice, int32_t channelCount) {
    return choice < 0 || choice >= channelCount;
}

// The dialogs' radio buttons are numbered in CombineMode's order; a number past either end
// means the nearest button.
CombineMode operationMode(int32_t operation) {
    return combineModeFromInt(std::clamp(operation, 0, kChannelOperationCount - 1));
}

std::string_view trimmedName(std::string_view name) {
    while (!name.empty() && name.front() == ' ')
        name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

} // namespace

std::vector<std::string> saveSelectionChoices(const std::vector<std::string>& channelNames) {
    std::vector<std::string> choices = channelNames;
    choices.emplace_back(kNewChannelEntry);
    return choices;
}

SaveSelectionControls saveSelectionControls(int32_t choice, int32_t channelCount) {
    if (namesNewChannel(choice, channelCount))
        return {};
    return {false, kReplaceChannelLabel, true};
}

SaveSelectionParams confirmSaveSelection(int32_t choice, int32_t channelCount, std::string_view name,
                                         int32_t operation) {
    SaveSelectionParams params;
    if (namesNewChannel(choice, channelCount)) {
        params.channel = channelCount;
        params.name = std::string(trimmedName(name));
        params.operation = CombineMode::New;
    } else {
        params.channel = choice;
        params.operation = operationMode(operation);
    }
    return params;
}

bool channelFitsCanvas(Size channel, Size canvas) {
    return channel == canvas;
}

std::string channelMisfitMessage(std::string_view name, Size channel, Size canvas) {
    const auto size = [](Size s) { return std::to_string(s.width) + " x " + std::to_string(s.height); };
    return "Cannot load \"" + std::string(name) + "\": the channel was saved at " + size(channel) +
           " pixels and the canvas is now " + size(canvas) + ".";
}

int32_t firstLoadableChannel(const std::vector<bool>& fits) {
    const auto found = std::find(fits.begin(), fits.end(), true);
    return found == fits.end() ? 0 : int32_t(found - fits.begin());
}

LoadSelectionParams confirmLoadSelection(int32_t channel, int32_t operation, bool invert) {
    return {std::max(channel, 0), operationMode(operation), invert};
}

} // namespace pict
