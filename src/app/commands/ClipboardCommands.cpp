// Copy, Copy Merged, Cut, Paste and Paste Into: pixels between the active document and the
// program's clipboard, which also publishes them to the system clipboard.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/StepArguments.h"
#include "app/session/DocumentSession.h"
#include "app/session/InternalClipboard.h"
#include "document/Document.h"
#include "document/PixelPiece.h"
#include "history/clipboard/CutState.h"
#include "history/clipboard/PasteState.h"

#include <new>

namespace pict {

namespace {

const RasterLayer* activeRaster(const DocumentSession& session) {
    const LayerStack* stack = session.document().layersIfAny();
    const Layer* layer = stack ? stack->active() : nullptr;
    const RasterLayer* raster = layer ? layer->asRaster() : nullptr;
    return raster && !raster->color().isEmpty() ? raster : nullptr;
}

bool hasRasterLayer(const DocumentSession& session) {
    return activeRaster(session) != nullptr;
}

bool hasVisibleLayer(const DocumentSession& session) {
    const LayerStack* stack = session.document().layersIfAny();
    if (!stack)
        return false;
    for (int32_t i = 0; i < stack->count(); ++i)
        if (const Layer* layer = stack->layerAt(i); layer->isLive() && layer->isVisible() && !layer->isEmpty())
            return true;
    return false;
}

bool clipboardHasImage(const DocumentSession& session) {
    const InternalClipboard* clipboard = session.app().clipboard;
    return clipboard && clipboard->hasImage();
}

bool canPasteInto(const DocumentSession& session) {
    return clipboardHasImage(session) && hasSelection(session);
}

CommandResult refused(const char* why) {
    return {CommandOutcome::Refused, why};
}

const char* const kNothingSelected = "The selection does not reach any pixel of the active layer.";

// Lifts the active layer's selected pixels onto the clipboard.
CommandResult copyLayer(DocumentSession& session) {
    InternalClipboard* clipboard = session.app().clipboard;
    const RasterLayer* layer = activeRaster(session);
    if (!clipboard || !layer)
        return commandResult(CommandOutcome::Refused);
    PixelPiece piece;
    if (!liftLayerPixels(*layer, session.selectionArea(), piece))
        return refused(kNothingSelected);
    clipboard->store(std::move(piece));
    return commandResult(CommandOutcome::Done);
}

CommandResult copy(DocumentSession& session, const CommandParams&) {
    return copyLayer(session);
}

CommandResult copyMerged(DocumentSession& session, const CommandParams&) {
    InternalClipboard* clipboard = session.app().clipboard;
    const CompositeCache* composite = session.document().composite();
    if (!clipboard || !composite)
        return commandResult(CommandOutcome::Refused);
    PixelPiece piece;
    if (!liftCompositePixels(*composite, session.selectionArea(), piece))
        return refused("The selection does not meet the canvas.");
    clipboard->store(std::move(piece));
    return commandResult(CommandOutcome::Done);
}

CommandResult cut(DocumentSession& session, const CommandParams&) {
    const CommandResult copied = copyLayer(session);
    if (copied.outcome != CommandOutcome::Done)
        return copied;
    return pushState(session, std::make_unique<CutState>(session, session.app().backgroundColor.fillWord()));
}

// Where a pasted picture's top-left lands: the place asked for, else where it was copied from
// when that still meets the canvas, else centred on what the window shows (the canvas without
// a window).
Point pastePosition(const DocumentSession& session, const ClipboardPicture& picture, const PasteParams& params) {
    if (params.at)
        return *params.at;
    const Rect canvas = session.document().canvasRect();
    if (picture.hasOrigin && picture.piece->canvasRect().intersects(canvas))
        return picture.piece->origin;
    std::optional<Rect> visible = session.view() ? session.view()->visibleCanvasRect() : std::nullopt;
    const Rect around = visible && !visible->isEmpty() ? *visible : canvas;
    const Size size = picture.piece->size();
    return {around.left + (around.width() - size.width) / 2, around.top + (around.height() - size.height) / 2};
}

CommandResult pasteAs(DocumentSession& session, const CommandParams& params, bool into) {
    const InternalClipboard* clipboard = session.app().clipboard;
    const std::optional<PasteParams> answer = dialogAnswer<PasteParams>(params);
    if (!clipboard || !answer)
        return commandResult(CommandOutcome::Refused);
    if (into && !hasSelection(session))
        return refused("Paste Into needs a selection.");
    ClipboardPicture picture = clipboard->picture();
    if (!picture)
        return refused("The clipboard holds no picture.");
    const Point position = pastePosition(session, picture, *answer);
    std::shared_ptr<const PixelPiece> piece = picture.piece;
    if (into) {
        try {
            auto masked = std::make_shared<PixelPiece>();
            masked->color = piece->color.clone();
            masked->alpha = piece->alpha.clone();
            if (masked->color.isEmpty() || masked->alpha.isEmpty())
                return commandResult(CommandOutcome::Failed);
            masked->origin = position;
            maskPieceBySelection(*masked, session.selectionArea());
            piece = std::move(masked);
        } catch (const std::bad_alloc&) {
            return commandResult(CommandOutcome::Failed);
        }
    }
    return pushState(session, std::make_unique<PasteState>(session, std::move(piece), position,
                                                           into ? "Paste Into" : "Paste"));
}

CommandResult paste(DocumentSession& session, const CommandParams& params) {
    return pasteAs(session, params, false);
}

CommandResult pasteInto(DocumentSession& session, const CommandParams& params) {
    return pasteAs(session, params, true);
}

// [X,Y]: the pasted picture's top-left on the canvas; without it, where it was copied from.
bool parsePaste(std::string_view text, StepInput& input, std::string& error) {
    if (text.empty()) {
        input.params = PasteParams{};
        return true;
    }
    Point at;
    if (!readOffset(text, "the position", at.x, at.y, error))
        return false;
    input.params = PasteParams{at};
    return true;
}

constexpr std::string_view kRasterLayer = "an active layer with pixels";

constexpr CommandStep kCopySteps[] = {
    {"--copy", "", StepArgument::None, nullptr,
     "copy the selection (or the whole layer) of the active layer to this run's clipboard", kRasterLayer,
     StepGroup::Layers},
};
constexpr CommandStep kCopyMergedSteps[] = {
    {"--copy-merged", "", StepArgument::None, nullptr,
     "copy the selection (or the whole canvas) of all visible layers to this run's clipboard", "a visible layer",
     StepGroup::Layers},
};
constexpr CommandStep kCutSteps[] = {
    {"--cut", "", StepArgument::None, nullptr,
     "copy, then clear the selection (or the whole layer) of the active layer", kRasterLayer, StepGroup::Layers},
};
constexpr CommandStep kPasteSteps[] = {
    {"--paste", "[X,Y]", StepArgument::Optional, parsePaste,
     "a new layer from this run's clipboard, where it was copied from or with its top-left at X,Y",
     "a copied picture", StepGroup::Layers},
};
constexpr CommandStep kPasteIntoSteps[] = {
    {"--paste-into", "", StepArgument::None, nullptr,
     "a new layer from this run's clipboard, masked by the selection", "a copied picture and a selection",
     StepGroup::Layers},
};

constexpr CommandSpec kClipboardCommands[] = {
    {.id = kCmdCut, .route = CommandRoute::Document, .menuText = "Cut", .shortcutText = "Ctrl+X",
     .keys = "Ctrl+X", .statusText = "Cut the selection to the clipboard\nCut", .enabled = hasRasterLayer,
     .run = cut, .steps = kCutSteps},
    {.id = kCmdCopy, .route = CommandRoute::Document, .menuText = "Copy", .shortcutText = "Ctrl+C",
     .keys = "Ctrl+C", .statusText = "Copy the selection to the clipboard\nCopy", .enabled = hasRasterLayer,
     .run = copy, .steps = kCopySteps},
    {.id = kCmdCopyMerged, .route = CommandRoute::Document, .menuText = "Copy Merged",
     .shortcutText = "Ctrl+Shift+C", .keys = "Ctrl+Shift+C",
     .statusText = "Copy the selection of all visible layers\nCopy Merged", .enabled = hasVisibleLayer,
     .run = copyMerged, .steps = kCopyMergedSteps},
    {.id = kCmdPaste, .route = CommandRoute::Document, .menuText = "Paste", .shortcutText = "Ctrl+V",
     .keys = "Ctrl+V", .statusText = "Paste the clipboard\nPaste", .enabled = clipboardHasImage, .run = paste,
     .steps = kPasteSteps},
    {.id = kCmdPasteInto, .route = CommandRoute::Document, .menuText = "Paste Into",
     .shortcutText = "Ctrl+Shift+V", .keys = "Ctrl+Shift+V",
     .statusText = "Paste the clipboard into the selection\nPaste Into", .enabled = canPasteInto,
     .run = pasteInto, .steps = kPasteIntoSteps},
};

} // namespace

std::span<const CommandSpec> clipboardCommandSpecs() { return kClipboardCommands; }

} // namespace pict
