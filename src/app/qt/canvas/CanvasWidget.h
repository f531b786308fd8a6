#pragma once
// The drawing area of a document window. It forwards mouse, wheel and key input to the
// view model and its navigation tools, and puts the renderer's window-sized buffer on the
// screen; the scroll bars mirror the view's scroll ranges.

#include "app/commands/CommandIds.h"
#include "canvas/CanvasPointerListener.h"
#include "canvas/CanvasRenderer.h"
#include "canvas/MarqueeTool.h"
#include "canvas/NavigationTools.h"
#include "canvas/SelectionOverlay.h"
#include "canvas/tools/ToolInput.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

#include <optional>

namespace pict {
class Document;
struct ToolOptions;
class SelectionController;
}

namespace pict::qt {

class CanvasWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    CanvasWidget(CanvasView& view, Document& document, QWidget* parent = nullptr);

    void setColors(const CanvasColors& colors);
    // The active tool id (0 marquee, 8 crop, 17 hand, 18 zoom in, 19 zoom out, ...).
    void setTool(int32_t toolId);
    int32_t tool() const { return toolId_; }

    // ---- view and document to widget ----
    void viewZoomChanged();
    void viewScrolled();
    void imageChanged(const Rect& imageRect);
    void imageSizeChanged();
    // The selection whose outline is drawn (null for none), and its changes.
    void setSelection(const SelectionController* selection);
    void selectionChanged();
    // Told about every pointer move over the drawing area (null for nobody).
    void setPointerListener(CanvasPointerListener* listener) { pointerListener_ = listener; }
    // The tools the drawing area does not run itself (painting, picking, lasso, wand) get
    // their events here (null: those tools do nothing). Not owned.
    void setToolInput(CanvasToolInput* input) { toolInput_ = input; }
    // The tool options the marquee reads its mode and shape from at each press (null: a
    // rectangle replacing the selection). Not owned.
    void setToolOptions(const ToolOptions* options) { toolOptions_ = options; }

    const CanvasRenderer& renderer() const { return renderer_; }
    const ZoomTool& zoomTool() const { return zoomTool_; }
    // The Marquee and Crop tools' drag; a panel registers on it to show the dragged size.
    MarqueeTool& marqueeTool() { return marquee_; }
    // The cursor the drawing area shows now.
    CanvasCursor cursorShown() const { return cursor_; }
    // What the drawing area shows now (the rubber band included), for tests and snapshots.
    QImage picture();

signals:
    // A document window key (the keypad zoom keys) that reached the drawing area instead of
    // its menu item: the window runs the command.
    void commandKey(uint16_t id);
    // A marquee drag started over an existing selection: the window records "Deselect".
    void marqueeDeselect();
    // A marquee drag ended on these image pixels: the window selects them, with the mode
    // (0 replace .. 3 intersect) and shape the drag began with.
    void marqueeSelected(const QRect& imageRect, int mode = 0, bool ellipse = false);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CanvasTool activeTool() const { return canvasToolFor(toolId_, spaceDown_); }
    // The tool input takes this event's tool (not while the space bar borrows the hand).
    bool forwarding() const { return toolInput_ && !spaceDown_ && toolInput_->handlesTool(toolId_); }
    void repaintOverlay(const ToolOverlay& before);
    void syncClientSize();
    void updateScrollBars();
    void updateCursor();
    void setAltDown(bool down);
    void wheelScroll(QPoint angleDelta, bool overHorizontalBar);
    bool forwardKeypadCommand(QKeyEvent* event);
    void repaintBand(const Rect& before);
    const RubberBand* activeBand() const;
    MarqueeSelectionView selectionView() const;
    void marqueePress(Point p);
    void endBand();
    // Ends whatever drag runs without finishing it: no zoom, the hand lets go.
    void cancelDrag();
    const ViewBuffer& shownBuffer();

    CanvasView& view_;
    Document& document_;
    CanvasRenderer renderer_;
    ViewBuffer overlaid_; // the rendered picture with the outline and the rubber band over it
    const SelectionController* selection_ = nullptr;
    CanvasPointerListener* pointerListener_ = nullptr;
    CanvasToolInput* toolInput_ = nullptr;
    bool toolButtonDown_ = false;
    const ToolOptions* toolOptions_ = nullptr;
    int32_t pressMode_ = 0;     // the marquee mode of the running drag
    bool pressEllipse_ = false; // and its shape
    SelectionOverlay outline_;
    QBasicTimer outlineTimer_;
    int32_t outlinePhase_ = 0;
    HandTool hand_;
    ZoomTool zoomTool_;
    MarqueeTool marquee_;
    Point pointer_; // the last pointer position over the drawing area, for the cursor
    std::optional<CanvasTool> dragTool_; // the tool that got the button press, until release
    QBasicTimer bandTimer_;
    int32_t toolId_ = kToolHand;
    CanvasCursor cursor_ = CanvasCursor::Arrow;
    bool spaceDown_ = false;
    bool altDown_ = false;
    bool syncingBars_ = false;
    int wheelRemainderX_ = 0;
    int wheelRemainderY_ = 0;
};

} // namespace pict::qt
