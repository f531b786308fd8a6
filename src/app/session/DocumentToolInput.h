#pragma once
// The painting, picking and freehand selection tools of one document window, driven by the
// drawing area's image-space events. Brush, Pencil and Eraser paint live through their
// state machine and record one state per stroke; the Paint Bucket, Gradient, Color Picker,
// Magic Wand and Lasso run the same commands as the batch tool with what was clicked,
// dragged or traced, and the settings of the tool options bar. The Move tool moves the
// layer, the selected pixels or the outline (MoveToolInput).

#include "app/commands/DocumentCommands.h"
#include "app/session/MoveToolInput.h"
#include "canvas/tools/GradientTool.h"
#include "canvas/tools/LassoTool.h"
#include "canvas/tools/StrokeTool.h"
#include "canvas/tools/ToolInput.h"
#include "canvas/tools/ToolOptions.h"

#include <functional>

namespace pict {

class DocumentToolInput final : public CanvasToolInput {
public:
    // options outlives this (the application's, shared by every window).
    DocumentToolInput(DocumentCommands& commands, ToolOptions& options);

    // Hears the result of every command a tool ran (or a stroke it recorded or could not
    // start), so that the window refreshes its menus and can say why something was refused.
    void setResultListener(std::function<void(const CommandResult&)> listener) { listener_ = std::move(listener); }

    bool handlesTool(int32_t toolId) const override;
    void press(int32_t toolId, const ToolPointer& pointer) override;
    void move(int32_t toolId, const ToolPointer& pointer, bool buttonDown) override;
    void release(int32_t toolId, const ToolPointer& pointer) override;
    bool key(int32_t toolId, ToolKey key, bool shift) override;
    void cancel() override;
    ToolOverlay overlay() const override;

    const StrokeTool& strokeTool() const { return stroke_; }
    const LassoTool& lassoTool() const { return lasso_; }
    const GradientTool& gradientTool() const { return gradient_; }
    const MoveToolInput& moveTool() const { return move_; }

private:
    void run(uint16_t id, CommandParams params);
    void report(const CommandResult& result);
    void pick(const ToolPointer& pointer);
    void lassoResult(LassoTool::Result result);

    DocumentCommands& commands_;
    ToolOptions& options_;
    std::function<void(const CommandResult&)> listener_;
    StrokeTool stroke_;
    GradientTool gradient_;
    LassoTool lasso_;
    MoveToolInput move_;
    int32_t lassoMode_ = 0;
    bool picking_ = false;
};

} // namespace pict
