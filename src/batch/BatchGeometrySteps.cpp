// The Image menu's geometry: Image Size, Canvas Size, the rotations, the flips, Crop, Trim.

#include "app/dialogs/CanvasSizeSettings.h"
#include "app/commands/CommandIds.h"
#include "app/session/DocumentSession.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"
#include "document/Document.h"

#include <array>

namespace pict::batch {

namespace {

constexpr std::array<std::string_view, 2> kResolutionUnitKeywords = {"ppi", "ppcm"};
// What the parser leaves for the step to fill in from the document.
constexpr float kKeepResolution = 0.0f;
constexpr int32_t kKeepUnit = -1;

bool parseImageSize(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    ImageSizeSettings s;
    s.resolution = kKeepResolution;
    s.resolutionUnit = kKeepUnit;
    double resolution = 0.0;
    if (!checkFieldCount(f, 2, 5, "W,H[,RES[,ppi|ppcm[,METHOD]]]", error) ||
        !readInteger(f[0], kMinCanvasSide, kMaxCanvasSide, "the width", s.width, error) ||
        !readInteger(f[1], kMinCanvasSide, kMaxCanvasSide, "the height", s.height, error) ||
        (f.size() > 2 && !readNumber(f[2], kMinResolution, kMaxResolution, "the resolution", resolution, error)) ||
        (f.size() > 3 && !readKeyword(f[3], kResolutionUnitKeywords, "the unit", s.resolutionUnit, error)))
        return false;
    if (f.size() > 4 && !parseResampleMethod(f[4], s.method)) {
        error = "the method must be 0..5 or one of nearest-neighbor, bilinear, bicubic-smooth, bicubic-sharp, "
                "bspline, lanczos, not \"" + std::string(f[4]) + "\"";
        return false;
    }
    if (f.size() > 2)
        s.resolution = static_cast<float>(resolution);
    input.params = s;
    return true;
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

StepReport imageSize(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const DocumentInfo& info = run.session().document().info();
    ImageSizeSettings s = std::get<ImageSizeSettings>(input.params);
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    if (s.resolution == kKeepResolution)
        s.resolution = info.resolution;
    if (s.resolutionUnit == kKeepUnit)
        s.resolutionUnit = info.resolutionUnit;
    return run.execute(step.command, s);
}

StepReport canvasSize(BatchRun& run, const BatchStep& step, const StepInput& input) {
    const DocumentInfo& info = run.session().document().info();
    CanvasSizeSettings s = std::get<CanvasSizeSettings>(input.params);
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    s.resolution = info.resolution;
    s.resolutionUnit = info.resolutionUnit;
    s.anchorOffset = anchorOffset({s.oldWidth, s.oldHeight}, {s.width, s.height}, input.number);
    return run.execute(step.command, s);
}

constexpr BatchStep kGeometrySteps[] = {
    {"--image-size", "W,H[,RES[,ppi|ppcm[,METHOD]]]", StepArgument::Required, parseImageSize, imageSize,
     kCmdImageSize,
     "resample to W x H (1..30000), resolution 1..9999.999; METHOD 0..5 or nearest-neighbor, bilinear, "
     "bicubic-smooth (default), bicubic-sharp, bspline, lanczos",
     ""},
    {"--canvas-size", "W,H[,ANCHOR[,RRGGBB]]", StepArgument::Required, parseCanvasSize, canvasSize, kCmdCanvasSize,
     "resize the canvas; ANCHOR 0..8 (row * 3 + column, default 4 centre), extension color default ffffff", ""},
    {"--rotate", "180|90|-90", StepArgument::Required, parseRotation, runCommandStep, 0,
     "rotate the canvas (90 clockwise, -90 counter-clockwise)", ""},
    {"--flip-horizontal", "", StepArgument::None, nullptr, runCommandStep, kCmdFlipHorizontal,
     "flip the canvas left to right", ""},
    {"--flip-vertical", "", StepArgument::None, nullptr, runCommandStep, kCmdFlipVertical,
     "flip the canvas top to bottom", ""},
    {"--crop", "", StepArgument::None, nullptr, runCommandStep, kCmdCrop, "crop to the selection's bounds",
     "a selection that meets the canvas"},
    {"--trim", "", StepArgument::None, nullptr, runCommandStep, kCmdTrim,
     "cut a lone background layer down to the pixels that differ from its top-left one",
     "a visible active layer"},
};

} // namespace

std::span<const BatchStep> geometrySteps() { return kGeometrySteps; }

} // namespace pict::batch
