#pragma once
// A document window stand-in for the zoom commands: a view, the document's info, and a count
// of the Fit on Screen requests that only a real window can carry out.

#include "app/commands/CommandHosts.h"
#include "app/commands/ZoomCommands.h"
#include "canvas/CanvasView.h"
#include "document/DocumentInfo.h"

namespace pict::test {

class TestFrameHost final : public FrameHost {
public:
    TestFrameHost(CanvasView& view, const DocumentInfo& info) : view_(view), info_(info) {}
    CanvasView& view() override { return view_; }
    const DocumentInfo& documentInfo() const override { return info_; }
    void fitOnScreen() override { ++fitOnScreenCalls; }

    int fitOnScreenCalls = 0;

private:
    CanvasView& view_;
    const DocumentInfo& info_;
};

// Runs a frame command on the view as a document window would.
inline bool runOnView(CanvasView& view, uint16_t id, const DocumentInfo& info) {
    TestFrameHost frame(view, info);
    return runFrameCommand(frame, id);
}

} // namespace pict::test
