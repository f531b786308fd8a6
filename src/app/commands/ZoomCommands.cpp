#include "app/commands/ZoomCommands.h"

#include "app/commands/CommandTable.h"

namespace pict {

namespace {

const CommandSpec* frameSpec(uint16_t id) {
    const CommandSpec* spec = findCommand(id);
    return spec && spec->route == CommandRoute::DocumentFrame ? spec : nullptr;
}

} // namespace

bool isFrameCommand(uint16_t id) { return frameSpec(id) != nullptr; }

bool runFrameCommand(FrameHost& frame, uint16_t id) {
    const CommandSpec* spec = frameSpec(id);
    if (!spec || !spec->runView)
        return false;
    spec->runView(frame);
    return true;
}

bool isZoomCommandEnabled(const CanvasView& view, uint16_t id) {
    const CommandSpec* spec = frameSpec(id);
    return spec && (!spec->viewEnabled || spec->viewEnabled(view));
}

} // namespace pict
