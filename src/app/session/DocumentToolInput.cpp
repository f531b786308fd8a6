#include "app/session/DocumentToolInput.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"

namespace pict {

namespace {

PaintTool paintToolOf(int32_t toolId) {
    return toolId == kToolPencil ? PaintTool::Pencil : toolId == kToolEraser ? PaintTool::Eraser : PaintTool::Brush;
}

bool isPaintTool(int32_t toolId) { return toolId == kToolBrush || toolId == kToolPencil || toolId == kToolEraser; }

} // namespace

DocumentToolInput::DocumentToolInput(DocumentCommands& commands, ToolOptions& options)
    : commands_(commands), options_(options), move_(commands, [this](const CommandResult& result) { report(result); }) {}

bool DocumentToolInput::handlesTool(int32_t toolId) const { return toolId >= kToolBrush && toolId <= kToolMove; }

void DocumentToolInput::report(const CommandResult& result) {
    if (listener_)
        listener_(result);
}

void DocumentToolInput::run(uint16_t id, CommandParams params) { report(commands_.execute(id, std::move(params))); }

void DocumentToolInput::pick(const ToolPointer& pointer) {
    PickColorParams pick;
    pick.point = pointer.pixel();
    pick.sampleMerged = options_.picker.sampleMerged;
    pick.sampleSize = options_.picker.sampleSize;
    pick.background = pointer.secondary || pointer.alt;
    // Off the canvas the picker simply takes nothing.
    if (commands_.session().document().canvasRect().contains(pick.point.x, pick.point.y))
        run(kCmdPickColor, pick);
}

void DocumentToolInput::press(int32_t toolId, const ToolPointer& pointer) {
    DocumentSession& session = commands_.session();
    if (isPaintTool(toolId)) {
        BrushParams params = options_.paint(paintToolOf(toolId));
        params.color = session.app().foregroundColor.rgb();
        params.backgroundColor = session.app().backgroundColor.rgb();
        Rect changed;
        std::string whyNot;
        if (!stroke_.press(session, params, {pointer.x, pointer.y, pointer.pressure}, pointer.shift, changed, &whyNot))
            report({CommandOutcome::Refused, whyNot});
        return;
    }
    switch (toolId) {
    case kToolMove:
        move_.press(pointer);
        break;
    case kToolColorPicker:
        picking_ = true;
        pick(pointer);
        break;
    case kToolPaintBucket: {
        BucketParams bucket;
        bucket.point = pointer.pixel();
        bucket.tolerance = options_.bucket.tolerance;
        bucket.contiguous = options_.bucket.contiguous;
        bucket.sampleMerged = options_.bucket.sampleMerged;
        bucket.mode = options_.bucket.mode;
        bucket.opacity = options_.bucket.opacity;
        if (session.document().canvasRect().contains(bucket.point.x, bucket.point.y))
            run(kCmdPaintBucket, bucket);
        break;
    }
    case kToolGradient:
        gradient_.press(pointer.pixel());
        break;
    case kToolLasso:
        lasso_.setPolygonal(options_.polygonalLasso);
        if (!lasso_.isActive())
            lassoMode_ = selectionModeFor(pointer.shift, pointer.alt, options_.selectionMode);
        lassoResult(lasso_.press({pointer.x, pointer.y}, pointer.doubleClick));
        break;
    case kToolMagicWand: {
        MagicWandParams wand;
        wand.point = pointer.pixel();
        wand.tolerance = options_.wand.tolerance;
        wand.contiguous = options_.wand.contiguous;
        wand.sampleMerged = options_.wand.sampleMerged;
        wand.antiAlias = options_.wand.antiAlias;
        wand.mode = selectionModeFor(pointer.shift, pointer.alt, options_.selectionMode);
        if (session.document().canvasRect().contains(wand.point.x, wand.point.y))
            run(kCmdMagicWand, wand);
        break;
    }
    default:
        break;
    }
}

void DocumentToolInput::move(int32_t toolId, const ToolPointer& pointer, bool buttonDown) {
    if (stroke_.isPainting()) {
        if (buttonDown)
            stroke_.drag({pointer.x, pointer.y, pointer.pressure});
        return;
    }
    if (toolId == kToolMove && buttonDown)
        move_.move(pointer);
    else if (toolId == kToolColorPicker && picking_ && buttonDown)
        pick(pointer);
    else if (toolId == kToolGradient && buttonDown)
        gradient_.drag(pointer.pixel(), pointer.shift);
    else if (toolId == kToolLasso)
        lassoResult(lasso_.move({pointer.x, pointer.y}));
}

void DocumentToolInput::release(int32_t toolId, const ToolPointer& pointer) {
    if (stroke_.isPainting()) {
        stroke_.drag({pointer.x, pointer.y, pointer.pressure});
        auto state = stroke_.release();
        if (state)
            report(recordPainting(commands_.session(), std::move(state)));
        return;
    }
    picking_ = false;
    if (toolId == kToolMove) {
        move_.release(pointer);
    } else if (toolId == kToolGradient && gradient_.isDragging()) {
        gradient_.drag(pointer.pixel(), pointer.shift);
        if (const auto line = gradient_.release()) {
            GradientParams params;
            params.start = line->first;
            params.end = line->second;
            params.radial = options_.gradient.radial;
            params.toTransparent = options_.gradient.toTransparent;
            params.mode = options_.gradient.mode;
            params.opacity = options_.gradient.opacity;
            run(kCmdGradient, params);
        }
    } else if (toolId == kToolLasso) {
        lassoResult(lasso_.release({pointer.x, pointer.y}));
    }
}

void DocumentToolInput::lassoResult(LassoTool::Result result) {
    if (result != LassoTool::Result::Closed)
        return;
    LassoParams params;
    params.polygon = lasso_.takePolygon();
    params.mode = lassoMode_;
    params.polygonal = lasso_.isPolygonal();
    run(kCmdSelectLasso, std::move(params));
}

bool DocumentToolInput::key(int32_t toolId, ToolKey key, bool shift) {
    if (toolId == kToolMove)
        return move_.key(key, shift);
    if (key == ToolKey::Escape) {
        const bool busy = stroke_.isPainting() || gradient_.isDragging() || lasso_.isActive();
        cancel();
        return busy;
    }
    if (toolId != kToolLasso || !lasso_.isActive() || (key != ToolKey::Enter && key != ToolKey::Backspace))
        return false;
    lassoResult(key == ToolKey::Enter ? lasso_.enter() : lasso_.backspace());
    return true;
}

void DocumentToolInput::cancel() {
    stroke_.cancel();
    gradient_.cancel();
    lasso_.escape();
    move_.commit();
    picking_ = false;
}

ToolOverlay DocumentToolInput::overlay() const {
    ToolOverlay lines;
    if (gradient_.isDragging()) {
        const Point a = gradient_.start(), b = gradient_.end();
        lines.points = {{a.x + 0.5, a.y + 0.5}, {b.x + 0.5, b.y + 0.5}};
    } else if (lasso_.isActive()) {
        lines.points = lasso_.points();
        if (lasso_.hover())
            lines.points.push_back(*lasso_.hover());
    }
    return lines;
}

} // namespace pict
