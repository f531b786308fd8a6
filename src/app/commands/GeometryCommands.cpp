// The Image menu's geometry: Image Size, Canvas Size, the rotations, the flips, Crop and
// Trim. The two size commands take their dialog's confirmed record and record a state only
// when it changes the document.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/steps/StepParsers.h"
#include "app/dialogs/CanvasSizeSettings.h"
#include "app/commands/FilterOffThread.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "document/PreparedLayers.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "history/geometry/GeometryStates.h"

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kRefused{CommandOutcome::Refused};
const CommandResult kUnchanged{CommandOutcome::Unchanged};

// A geometry state for a large picture in a window: its layers are transformed on a worker
// first (see PreparedLayers), then the state runs here and takes them. Cancelled: nothing
// changed. Small pictures and the batch tool run the state alone.
template <class Prepare, class MakeState>
CommandResult pushGeometry(DocumentSession& session, const char* name, Prepare prepare, MakeState makeState) {
    const Size canvas = session.document().canvasSize();
    std::unique_ptr<PreparedLayers> prepared;
    if (session.view() && int64_t(canvas.width) * canvas.height >= kOffThreadPixels)
        prepared = PreparedLayers::capture(session.document().layers());
    if (!prepared)
        return pushState(session, makeState());
    bool made = false;
    if (!session.runLongWork(name, [&] { made = prepare(*prepared); }))
        return {CommandOutcome::Cancelled};
    // A replacement that could not be made is made again by the state, which then fails as it would.
    const UsePreparedLayers use(*prepared);
    (void)made;
    return pushState(session, makeState());
}

bool hasVisibleActiveLayer(const DocumentSession& session) {
    const LayerStack* stack = session.document().layersIfAny();
    const Layer* layer = stack ? stack->active() : nullptr;
    return layer && layer->isVisible();
}

CommandResult imageSize(DocumentSession& session, const CommandParams& params) {
    if (std::holds_alternative<std::monostate>(params))
        return kUnchanged; // the dialog's starting values are the document's own
    const ImageSizeSettings* given = std::get_if<ImageSizeSettings>(&params);
    if (!given)
        return kFailed;
    if (!isAcceptable(*given))
        return kRefused;
    // Compared with the document as it is now, whatever old size the caller filled in.
    const DocumentInfo& info = session.document().info();
    ImageSizeSettings s = *given;
    s.oldWidth = info.width;
    s.oldHeight = info.height;
    if (!changesDocument(s, info.resolution, info.resolutionUnit))
        return kUnchanged;
    const ImageResize resize{s.width, s.height, s.resolution, s.resolutionUnit, clampResampleMethod(s.method)};
    auto makeState = [&session, &resize] { return std::make_unique<ImageSizeState>(session, resize); };
    if (Size{s.width, s.height} == session.document().canvasSize())
        return pushState(session, makeState()); // only the resolution changes
    const Size oldCanvas = session.document().canvasSize();
    return pushGeometry(
        session, "Image Size",
        [&resize, oldCanvas](PreparedLayers& layers) {
            return layers.resize(oldCanvas, {resize.width, resize.height}, resize.method);
        },
        makeState);
}

CommandResult canvasSize(DocumentSession& session, const CommandParams& params) {
    if (std::holds_alternative<std::monostate>(params))
        return kUnchanged;
    const CanvasSizeSettings* s = std::get_if<CanvasSizeSettings>(&params);
    if (!s)
        return kFailed;
    if (!isAcceptable(*s))
        return kRefused;
    // A new anchor alone moves nothing: only a new size is recorded.
    if (Size{s->width, s->height} == session.document().canvasSize())
        return kUnchanged;
    return pushState(session, std::make_unique<CanvasSizeState>(session, Size{s->width, s->height},
                                                                s->anchorOffset, s->extensionColor.fillWord()));
}

template <int Angle>
CommandResult rotate(DocumentSession& session, const CommandParams&) {
    return pushGeometry(
        session, "Rotate Canvas", [](PreparedLayers& layers) { return layers.rotate(double(Angle)); },
        [&session] { return std::make_unique<RotateCanvasState>(session, double(Angle)); });
}

template <bool Horizontal>
CommandResult flip(DocumentSession& session, const CommandParams&) {
    return pushGeometry(
        session, Horizontal ? "Flip Canvas Horizontal" : "Flip Canvas Vertical",
        [](PreparedLayers& layers) { return layers.flip(Horizontal); },
        [&session] { return std::make_unique<FlipCanvasState>(session, Horizontal); });
}

} // namespace

CommandResult DocumentCommands::cropTo(Rect rect) {
    const Rect onCanvas = rect.normalized().intersected(session_.document().canvasRect());
    if (onCanvas.isEmpty())
        return {CommandOutcome::Refused};
    const CommandResult result = pushState(session_, std::make_unique<CropState>(session_, onCanvas));
    session_.syncModified();
    return result;
}

namespace {

CommandResult crop(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<CropState>(session));
}

CommandResult trim(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<TrimState>(session));
}

constexpr CommandStep kImageSizeSteps[] = {
    {"--image-size", "W,H[,RES[,ppi|ppcm[,METHOD]]]", StepArgument::Required, parseImageSize,
     "resample to W x H (1..30000), resolution 1..9999.999; METHOD 0..5 or nearest-neighbor, bilinear, bicubic-smooth (default), bicubic-sharp, bspline, lanczos",
     "", StepGroup::Geometry, runImageSizeStep},
    {"--thumbnail", "SIZE", StepArgument::Required, parseThumbnail,
     "shrink smoothly to fit in SIZE x SIZE (1..30000) keeping the proportions; a picture that fits stays as it is",
     "", StepGroup::Geometry, runThumbnailStep},
};
constexpr CommandStep kCanvasSizeSteps[] = {
    {"--canvas-size", "W,H[,ANCHOR[,RRGGBB]]", StepArgument::Required, parseCanvasSize,
     "resize the canvas; ANCHOR 0..8 (row * 3 + column, default 4 centre), extension color default ffffff",
     "", StepGroup::Geometry, runCanvasSizeStep},
};
constexpr CommandStep kRotate180Steps[] = {
    {"--rotate", "180|90|-90", StepArgument::Required, parseRotation,
     "rotate the canvas (90 clockwise, -90 counter-clockwise)", "", StepGroup::Geometry},
};
constexpr CommandStep kFlipHorizontalSteps[] = {
    {"--flip-horizontal", "", StepArgument::None, nullptr,
     "flip the canvas left to right", "", StepGroup::Geometry},
};
constexpr CommandStep kFlipVerticalSteps[] = {
    {"--flip-vertical", "", StepArgument::None, nullptr,
     "flip the canvas top to bottom", "", StepGroup::Geometry},
};
constexpr CommandStep kCropSteps[] = {
    {"--crop", "", StepArgument::None, nullptr,
     "crop to the selection's bounds", "a selection that meets the canvas", StepGroup::Geometry},
};
constexpr CommandStep kTrimSteps[] = {
    {"--trim", "", StepArgument::None, nullptr,
     "cut a lone background layer down to the pixels that differ from its top-left one",
     "a visible active layer", StepGroup::Geometry},
};

constexpr CommandSpec kGeometryCommands[] = {
    {.id = kCmdImageSize, .route = CommandRoute::Document, .menuText = "Image Size...",
     .statusText = "Resample the image to a new size\nImage Size", .asks = CommandAsks::Dialog, .run = imageSize,
     .steps = kImageSizeSteps},
    {.id = kCmdCanvasSize, .route = CommandRoute::Document, .menuText = "Canvas Size...",
     .statusText = "Change the canvas size\nCanvas Size", .asks = CommandAsks::Dialog, .run = canvasSize,
     .steps = kCanvasSizeSteps},
    {.id = kCmdRotate180, .route = CommandRoute::Document, .menuText = "180°",
     .statusText = "Rotate the canvas by 180 degrees\nRotate 180°", .run = rotate<180>, .steps = kRotate180Steps},
    {.id = kCmdRotate90CW, .route = CommandRoute::Document, .menuText = "90° CW",
     .statusText = "Rotate the canvas clockwise\nRotate 90° CW", .run = rotate<90>},
    {.id = kCmdRotate90CCW, .route = CommandRoute::Document, .menuText = "90° CCW",
     .statusText = "Rotate the canvas counterclockwise\nRotate 90° CCW", .run = rotate<-90>},
    {.id = kCmdFlipHorizontal, .route = CommandRoute::Document, .menuText = "Flip Canvas Horizontal",
     .statusText = "Mirror the canvas left to right\nFlip Horizontal", .run = flip<true>,
     .steps = kFlipHorizontalSteps},
    {.id = kCmdFlipVertical, .route = CommandRoute::Document, .menuText = "Flip Canvas Vertical",
     .statusText = "Mirror the canvas top to bottom\nFlip Vertical", .run = flip<false>,
     .steps = kFlipVerticalSteps},
    {.id = kCmdCrop, .route = CommandRoute::Document, .menuText = "Crop",
     .statusText = "Crop the image to the selection\nCrop", .enabled = selectionMeetsCanvas, .run = crop,
     .steps = kCropSteps},
    {.id = kCmdTrim, .route = CommandRoute::Document, .menuText = "Trim",
     .statusText = "Trim transparent edges of the active layer\nTrim", .enabled = hasVisibleActiveLayer,
     .run = trim, .steps = kTrimSteps},
};

} // namespace

std::span<const CommandSpec> geometryCommandSpecs() { return kGeometryCommands; }

} // namespace pict
