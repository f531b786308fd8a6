// The batch steps of the Image menu's geometry. The size steps leave out what the dialog
// would show from the document (its size, resolution and unit) and complete it when they run.
#include "app/commands/CommandIds.h"
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"
#include "app/dialogs/CanvasSizeSettings.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"

#include <array>

namespace pict {

namespace {

// In ResolutionUnit's order.
constexpr std::array<std::string_view, 2> kResolutionUnitKeywords = {"ppi", "ppcm"};
// What the parser leaves for the step to fill in from the document: a resolution of 0, and
// the unit when the step input's `given` is false.
constexpr float kKeepResolution = 0.0f;

} // namespace

bool parseImageSize(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    ImageSizeSettings s;
    s.resolution = kKeepResolution;
    double resolution = 0.0;
    int32_t unit = 0;
    if (!checkFieldCount(f, 2, 5, "W,H[,RES[,ppi|ppcm[,METHOD]]]", error) ||
        !readInteger(f[0], kMinCanvasSide, kMaxCanvasSide, "the width", s.width, error) ||
        !readInteger(f[1], kMinCanvasSide, kMaxCanvasSide, "the height", s.height, error) ||
        (f.size() > 2 &&
         !readNumber(f[2], kMinResolution, kMaxResolution, "the resolution", resolution, error)) ||
        (f.size() > 3 && !readKeyword(f[3], kResolutionUnitKeywords, "the unit", unit, error)))
        return false;
    if (f.size() > 4 && !parseResampleMethod(f[4], s.method)) {
        error = "the method must be 0..5 or one of nearest-neighbor, bilinear, bicubic-smooth, bicubic-sharp, "
                "bspline, lanczos, not \"" + std::string(f[4]) + "\"";
        return false;
    }
    if (f.size() > 2)
        s.resolution = static_cast<float>(resolution);
    s.resolutionUnit = ResolutionUnit(unit);
    input.given = f.size() > 3;
    input.params = s;
    return true;
}

bool parseThumbnail(std::string_view text, StepInput& input, std::string& error) {
    return readInteger(text, kMinCanvasSide, kMaxCanvasSide, "the thumbnail size", input.number, error);
}

bool parseCanvasSize(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    CanvasSizeSettings s;
    input.number = kCenterAnchor;
    if (!checkFieldCount(f, 2, 4, "W,H[,ANCHOR[,RRGGBB]]", error) ||
        !readInteger(f[0], kMinCanvasSide, kMaxCanvasSide, "the width", s.width, error) ||
        !readInteger(f[1], kMinCanvasSide, kMaxCanvasSide, "the height", s.height, error) ||
        (f.size() > 2 && !readInteger(f[2], 0, kAnchorCount - 1, "the anchor", input.number, error)) ||
        (f.size() > 3 && !readColor(f[3], "the extension color", s.extensionColor, error)))
        return false;
    input.params = s;
    return true;
}

bool parseRotation(std::string_view text, StepInput& input, std::string& error) {
    static constexpr std::array<std::string_view, 3> kAngles = {"180", "90", "-90"};
    static constexpr uint16_t kCommands[3] = {kCmdRotate180, kCmdRotate90CW, kCmdRotate90CCW};
    int32_t index = 0;
    if (!readKeyword(text, kAngles, "the angle", index, error))
        return false;
    input.command = kCommands[index];
    return true;
}

CommandResult runImageSizeStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    const DocumentInfo& info = commands.session().document().info();
    ImageSizeSettings s = std::get<ImageSizeSettings>(input.params);
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    if (s.resolution == kKeepResolution)
        s.resolution = info.resolution;
    if (!input.given)
        s.resolutionUnit = info.resolutionUnit;
    return commands.execute(id, s);
}

CommandResult runThumbnailStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    const DocumentInfo& info = commands.session().document().info();
    const Size size = thumbnailSize({info.width, info.height}, input.number);
    if (size == Size{info.width, info.height})
        return {CommandOutcome::Unchanged, "the picture already fits in " + std::to_string(input.number) + " x " +
                                               std::to_string(input.number) + " pixels; its size is kept"};
    ImageSizeSettings s;
    s.width = size.width;
    s.height = size.height;
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    s.resolution = info.resolution;
    s.resolutionUnit = info.resolutionUnit;
    return commands.execute(id, s);
}

CommandResult runCanvasSizeStep(DocumentCommands& commands, uint16_t id, const StepInput& input) {
    const DocumentInfo& info = commands.session().document().info();
    CanvasSizeSettings s = std::get<CanvasSizeSettings>(input.params);
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    s.resolution = info.resolution;
    s.resolutionUnit = info.resolutionUnit;
    s.anchorOffset = anchorOffset({s.oldWidth, s.oldHeight}, {s.width, s.height}, input.number);
    return commands.execute(id, s);
}

} // namespace pict
