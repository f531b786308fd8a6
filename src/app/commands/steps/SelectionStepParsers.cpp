// The batch steps of the Select menu: the Modify commands and the saved channels. A channel
// index is checked against the document when the step runs, so that the step can say how
// many channels there are.
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "selection/CombineMode.h"
#include "selection/ModifyLimits.h"

#include <array>

namespace pict {

namespace {

constexpr std::array<std::string_view, 4> kLoadOperations = {"new", "add", "subtract", "intersect"};
constexpr std::array<std::string_view, 1> kInvertFlag = {"invert"};
constexpr std::array<std::string_view, 4> kSelectionModes = {"replace", "add", "subtract", "intersect"};
// A new channel, as --save-selection names it; stands for the channel count.
constexpr int32_t kNewChannel = -1;
constexpr int32_t kMaxIndex = 1 << 20;

// An operation by name or by its number 0..3 (the keywords are in CombineMode's order).
bool readOperation(std::string_view text, CombineMode& operation, std::string& error) {
    int32_t index = 0;
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '3')
        index = text[0] - '0';
    else if (!readKeyword(text, kLoadOperations, "the operation", index, error))
        return false;
    operation = combineModeFromInt(index);
    return true;
}

bool parseModifyWidth(ModifyCommand command, std::string_view text, StepInput& input, std::string& error) {
    const ModifyDialogRule& rule = modifyDialogRule(command);
    ModifyParams params;
    if (!readInteger(text, int64_t(rule.minimum), int64_t(rule.maximum), "the width", params.pixels, error))
        return false;
    input.params = params;
    return true;
}

int32_t channelCount(DocumentCommands& commands) {
    const AlphaChannelList* channels = commands.session().document().channelsIfAny();
    return channels ? channels->count() : 0;
}

} // namespace

bool parseFeather(std::string_view text, StepInput& input, std::string& error) {
    const ModifyDialogRule& rule = modifyDialogRule(ModifyCommand::Feather);
    double radius = 0.0;
    if (!readNumber(text, rule.minimum, rule.maximum, "the radius", radius, error))
        return false;
    input.params = FeatherParams{radius};
    return true;
}

bool parseExpand(std::string_view text, StepInput& input, std::string& error) {
    return parseModifyWidth(ModifyCommand::Expand, text, input, error);
}

bool parseContract(std::string_view text, StepInput& input, std::string& error) {
    return parseModifyWidth(ModifyCommand::Contract, text, input, error);
}

bool parseBorder(std::string_view text, StepInput& input, std::string& error) {
    return parseModifyWidth(ModifyCommand::Border, text, input, error);
}

bool parseSaveSelection(std::string_view text, StepInput& input, std::string& error) {
    SaveSelectionParams params;
    params.channel = kNewChannel;
    if (!text.empty()) {
        const auto f = splitFields(text, ',');
        if (!checkFieldCount(f, 1, 3, "[INDEX|new][,NAME[,OP]]", error))
            return false;
        if (!f[0].empty() && f[0] != "new" && !readInteger(f[0], 0, kMaxIndex, "the channel", params.channel, error))
            return false;
        if (f.size() > 1)
            params.name = std::string(f[1]);
        if (f.size() > 2 && !readOperation(f[2], params.operation, error))
            return false;
    }
    input.params = std::move(params);
    return true;
}

bool parseLoadSelection(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    LoadSelectionParams params;
    int32_t unused = 0;
    if (!checkFieldCount(f, 1, 3, "INDEX[,OP[,invert]]", error) ||
        !readInteger(f[0], 0, kMaxIndex, "the channel", params.channel, error) ||
        (f.size() > 1 && !readOperation(f[1], params.operation, error)) ||
        (f.size() > 2 && !readKeyword(f[2], kInvertFlag, "the last field", unused, error)))
        return false;
    params.invert = f.size() > 2;
    input.params = params;
    return true;
}

CommandResult runSaveSelectionStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    SaveSelectionParams params = std::get<SaveSelectionParams>(input.params);
    const int32_t count = channelCount(commands);
    if (params.channel == kNewChannel)
        params.channel = count;
    else if (params.channel > count)
        return {CommandOutcome::Refused, "there is no channel " + std::to_string(params.channel) + " (the document has " +
                                         std::to_string(count) + "; use \"new\" for a new one)"};
    return commands.execute(id, std::move(params));
}

CommandResult runLoadSelectionStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    const int32_t count = channelCount(commands);
    const int32_t channel = std::get<LoadSelectionParams>(input.params).channel;
    if (count > 0 && channel >= count)
        return {CommandOutcome::Refused, "there is no channel " + std::to_string(channel) + " (the document has " +
                                         std::to_string(count) + ")"};
    return commands.execute(id, input.params);
}

bool readSelectionMode(std::string_view text, int32_t& mode, std::string& error) {
    return readKeyword(text, kSelectionModes, "the mode", mode, error);
}

bool parseMagicWand(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    MagicWandParams wand;
    if (!checkFieldCount(f, 2, 4, "X,Y[,TOLERANCE[,MODE]]", error) || !readPoint(f[0], f[1], wand.point, error) ||
        (f.size() > 2 && !readInteger(f[2], 0, 255, "the tolerance", wand.tolerance, error)) ||
        (f.size() > 3 && !readSelectionMode(f[3], wand.mode, error)))
        return false;
    input.params = wand;
    return true;
}

bool parseLasso(std::string_view text, StepInput& input, std::string& error) {
    std::vector<Point> points;
    std::vector<std::string_view> options;
    LassoParams lasso;
    if (!readPointList(text, 1, "X1,Y1;X2,Y2;...[,MODE]", points, options, error) ||
        (!options.empty() && !readSelectionMode(options[0], lasso.mode, error)))
        return false;
    if (points.size() < 3) {
        error = "a lasso needs at least three points";
        return false;
    }
    for (Point p : points)
        lasso.polygon.push_back({double(p.x), double(p.y)});
    input.params = std::move(lasso);
    return true;
}

} // namespace pict
