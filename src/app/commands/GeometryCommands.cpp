// The Image menu's geometry: Image Size, Canvas Size, the rotations, the flips, Crop and
// Trim. The two size commands take their dialog's confirmed record and record a state only
// when it changes the document.
#include "app/dialogs/CanvasSizeSettings.h"
#include "app/commands/CommandEntry.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "app/session/LayerColor.h"
#include "document/Document.h"
#include "history/GeometryStates.h"

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kRefused{CommandOutcome::Refused};
const CommandResult kUnchanged{CommandOutcome::Unchanged};

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
    return pushState(session, std::make_unique<ImageSizeState>(session, resize));
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
                                                                s->anchorOffset, layerColorWord(s->extensionColor)));
}

template <int Angle>
CommandResult rotate(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<RotateCanvasState>(session, double(Angle)));
}

template <bool Horizontal>
CommandResult flip(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<FlipCanvasState>(session, Horizontal));
}

CommandResult crop(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<CropState>(session));
}

CommandResult trim(DocumentSession& session, const CommandParams&) {
    return pushState(session, std::make_unique<TrimState>(session));
}

constexpr CommandEntry kEntries[] = {
    {kCmdImageSize, nullptr, imageSize},
    {kCmdCanvasSize, nullptr, canvasSize},
    {kCmdRotate180, nullptr, rotate<180>},
    {kCmdRotate90CW, nullptr, rotate<90>},
    {kCmdRotate90CCW, nullptr, rotate<-90>},
    {kCmdFlipHorizontal, nullptr, flip<true>},
    {kCmdFlipVertical, nullptr, flip<false>},
    {kCmdCrop, selectionMeetsCanvas, crop},
    {kCmdTrim, hasVisibleActiveLayer, trim},
};

} // namespace

std::span<const CommandEntry> geometryCommandEntries() {
    return kEntries;
}

} // namespace pict
