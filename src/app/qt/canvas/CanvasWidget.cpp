#include "app/qt/canvas/CanvasWidget.h"

#include "app/commands/CommandTable.h"
#include "app/qt/canvas/CanvasCursors.h"
#include "app/qt/canvas/ToolEvents.h"
#include "canvas/tools/ToolOptions.h"
#include "document/Document.h"
#include "document/Layer.h"
#include "selection/SelectionController.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTabletEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace pict::qt {
namespace {

Point toPoint(const QPointF& p) { return {static_cast<int32_t>(std::floor(p.x())), static_cast<int32_t>(std::floor(p.y()))}; }

QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// Arrow keys, the scroll bar arrows and one wheel notch move a tenth of the page.
int lineStep(int32_t page) { return std::max(1, page / 10); }

MarqueeModifiers marqueeModifiers(Qt::KeyboardModifiers modifiers) {
    return {modifiers.testFlag(Qt::ShiftModifier), modifiers.testFlag(Qt::AltModifier)};
}

void applyRange(QScrollBar* bar, const ScrollRange& range) {
    bar->setRange(0, std::max(0, range.maximum + 1 - range.page));
    bar->setPageStep(std::max(1, range.page));
    bar->setSingleStep(lineStep(range.page));
    bar->setValue(range.position);
    bar->setEnabled(range.enabled);
}

} // namespace

CanvasWidget::CanvasWidget(CanvasView& view, Document& document, QWidget* parent)
    : QAbstractScrollArea(parent), view_(view), document_(document) {
    // The bars stay visible and are disabled when the page covers the whole content, so the
    // drawing area keeps its size as the zoom changes.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    // Left to themselves the bars scroll several lines per wheel notch; the view wants one.
    horizontalScrollBar()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);
    updateScrollBars();
    updateCursor();
}

void CanvasWidget::setColors(const CanvasColors& colors) {
    if (colors == renderer_.colors())
        return;
    renderer_.setColors(colors);
    viewport()->update();
}

void CanvasWidget::setTool(int32_t toolId) {
    if (toolId == toolId_)
        return;
    endBand();
    if (toolInput_)
        toolInput_->cancel();
    toolButtonDown_ = false;
    toolId_ = toolId;
    if (crop_.hasFrame()) {
        const std::optional<Rect> before = crop_.windowFrame(view_);
        crop_.drop();
        cropFrameChanged(before);
    }
    updateCursor();
}

void CanvasWidget::viewZoomChanged() {
    updateScrollBars();
    updateCursor();
    viewport()->update();
}

void CanvasWidget::viewScrolled() {
    updateScrollBars();
    viewport()->update();
}

void CanvasWidget::imageChanged(const Rect& imageRect) {
    if (imageRect.isEmpty())
        return;
    renderer_.invalidateImageRect(imageRect);
    const Rect window = view_.imageRectToWindow(imageRect);
    viewport()->update(toQRect(window).adjusted(-1, -1, 1, 1));
}

void CanvasWidget::imageSizeChanged() {
    // A frame drawn on the old canvas means nothing on the new one (all is repainted).
    if (crop_.hasFrame()) {
        crop_.drop();
        cropFrameChanged(std::nullopt);
    }
    renderer_.invalidateAll();
    viewZoomChanged();
}

void CanvasWidget::syncClientSize() {
    const QSize size = viewport()->size();
    view_.setClientSize({size.width(), size.height()});
    updateScrollBars();
}

void CanvasWidget::updateScrollBars() {
    syncingBars_ = true;
    applyRange(horizontalScrollBar(), view_.horizontalRange());
    applyRange(verticalScrollBar(), view_.verticalRange());
    syncingBars_ = false;
}

void CanvasWidget::updateCursor() {
    CanvasCursor cursor = CanvasCursor::Arrow;
    const CanvasTool tool = dragTool_.value_or(activeTool());
    if (!dragTool_ && forwarding())
        cursor = toolId_ == kToolMove ? CanvasCursor::MoveFrame : CanvasCursor::Precise;
    else switch (tool) {
    case CanvasTool::Hand: cursor = hand_.cursor(); break;
    case CanvasTool::ZoomIn:
    case CanvasTool::ZoomOut:
        zoomTool_.setZoomOut(tool == CanvasTool::ZoomOut);
        cursor = zoomTool_.cursor(view_);
        break;
    case CanvasTool::Marquee:
        marquee_.setCrop(false);
        cursor = marquee_.cursor(view_, pointer_, selectionView());
        break;
    case CanvasTool::Crop: cursor = crop_.cursor(view_, pointer_); break;
    }
    if (cursor == cursor_ && viewport()->testAttribute(Qt::WA_SetCursor))
        return;
    cursor_ = cursor;
    viewport()->setCursor(canvasCursor(cursor));
}

void CanvasWidget::setSelection(const SelectionController* selection) {
    selection_ = selection;
    selectionChanged();
}

void CanvasWidget::selectionChanged() {
    // The ants march while something is selected and the outline is shown (timer 1100).
    if (selection_ && selection_->outlineAnimating() && selection_->outlineVisible()) {
        if (!outlineTimer_.isActive())
            outlineTimer_.start(kTimerIntervalMs, this);
    } else {
        outlineTimer_.stop();
    }
    viewport()->update();
}

MarqueeSelectionView CanvasWidget::selectionView() const {
    const Layer* active = document_.layers().active();
    return {selection_ ? &selection_->mask() : nullptr, active && active->isVisible()};
}

const RubberBand* CanvasWidget::activeBand() const {
    if (zoomTool_.isDragging())
        return &zoomTool_.band();
    if (marquee_.isDragging())
        return &marquee_.band();
    return nullptr;
}

const ViewBuffer& CanvasWidget::shownBuffer() {
    const ViewBuffer& rendered = renderer_.render(view_, compositeSourceOf(document_));
    const bool outline = selection_ && outline_.update(view_, *selection_);
    const RubberBand* band = activeBand();
    const bool cropFrame = crop_.hasFrame();
    if ((!outline && !band && !cropFrame) || rendered.pixels.empty())
        return rendered;
    // Overlays go into a copy: the render cache itself must stay a clean picture.
    overlaid_ = rendered;
    if (outline)
        outline_.drawInto(overlaid_, outlinePhase_);
    if (band)
        band->drawInto(overlaid_);
    if (cropFrame)
        crop_.drawInto(overlaid_, view_);
    return overlaid_;
}

QImage CanvasWidget::picture() {
    const ViewBuffer& shown = shownBuffer();
    if (shown.pixels.empty())
        return {};
    return QImage(reinterpret_cast<const uchar*>(shown.pixels.data()), shown.width, shown.height,
                  static_cast<qsizetype>(shown.strideBytes()), QImage::Format_RGB32)
        .copy();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    const ViewBuffer& shown = shownBuffer();
    if (shown.pixels.empty())
        return; // no memory for the cache: left unpainted until the next paint
    const QImage image(reinterpret_cast<const uchar*>(shown.pixels.data()), shown.width, shown.height,
                       static_cast<qsizetype>(shown.strideBytes()), QImage::Format_RGB32);
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.drawImage(area.topLeft(), image, area);
    if (forwarding())
        drawToolOverlay(painter, view_, toolInput_->overlay());
}

void CanvasWidget::repaintOverlay(const ToolOverlay& before) {
    // The lines are thin and few; the whole area is cheap to repaint from the cache.
    if (!before.isEmpty() || !toolInput_->overlay().isEmpty())
        viewport()->update();
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (cropDoubleClick(event))
        return;
    if (!forwarding() || event->button() != Qt::LeftButton) {
        mousePressEvent(event); // a press like any other: Qt sends no second press for it
        return;
    }
    ToolPointer pointer = toolPointer(view_, event->position(), event->modifiers());
    pointer.doubleClick = true;
    const ToolOverlay before = toolInput_->overlay();
    toolInput_->press(toolId_, pointer);
    toolButtonDown_ = true;
    repaintOverlay(before);
}

void CanvasWidget::tabletEvent(QTabletEvent* event) {
    if (!forwarding()) {
        event->ignore(); // the mouse events Qt makes from it go to the other tools
        return;
    }
    const ToolPointer pointer = toolPointer(view_, event->position(), event->modifiers(), event->pressure());
    const ToolOverlay before = toolInput_->overlay();
    switch (event->type()) {
    case QEvent::TabletPress:
        toolInput_->press(toolId_, pointer);
        toolButtonDown_ = true;
        break;
    case QEvent::TabletMove:
        toolInput_->move(toolId_, pointer, toolButtonDown_);
        break;
    case QEvent::TabletRelease:
        toolInput_->release(toolId_, pointer);
        toolButtonDown_ = false;
        break;
    default:
        break;
    }
    repaintOverlay(before);
    event->accept();
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncClientSize();
}

void CanvasWidget::scrollContentsBy(int, int) {
    if (syncingBars_)
        return;
    view_.scrollTo(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (forwarding() && !dragTool_ && !toolButtonDown_ &&
        (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
        ToolPointer pointer = toolPointer(view_, event->position(), event->modifiers());
        pointer.secondary = event->button() == Qt::RightButton;
        const ToolOverlay before = toolInput_->overlay();
        toolInput_->press(toolId_, pointer);
        toolButtonDown_ = true;
        repaintOverlay(before);
        return;
    }
    if (event->button() != Qt::LeftButton || dragTool_)
        return;
    const Point p = toPoint(event->position());
    const CanvasTool tool = activeTool();
    switch (tool) {
    case CanvasTool::Hand:
        hand_.buttonDown(p);
        dragTool_ = tool;
        break;
    case CanvasTool::ZoomIn:
    case CanvasTool::ZoomOut:
        zoomTool_.setZoomOut(tool == CanvasTool::ZoomOut);
        setAltDown(event->modifiers().testFlag(Qt::AltModifier));
        if (zoomTool_.buttonDown(view_, p, event->modifiers().testFlag(Qt::ShiftModifier))) {
            dragTool_ = tool;
            bandTimer_.start(kTimerIntervalMs, this);
            repaintBand(zoomTool_.band().rect());
        }
        break;
    case CanvasTool::Marquee:
        marquee_.setCrop(false);
        dragTool_ = tool; // the press captures the mouse even when it starts no band
        // Shift adds, Alt subtracts, both intersect; the crop frame always replaces.
        pressMode_ = tool == CanvasTool::Crop ? 0
                                              : selectionModeFor(event->modifiers().testFlag(Qt::ShiftModifier),
                                                                 event->modifiers().testFlag(Qt::AltModifier),
                                                                 toolOptions_ ? toolOptions_->selectionMode : 0);
        pressEllipse_ = tool == CanvasTool::Marquee && toolOptions_ && toolOptions_->ellipseMarquee;
        marqueePress(p);
        break;
    case CanvasTool::Crop: {
        const std::optional<Rect> before = crop_.windowFrame(view_);
        crop_.buttonDown(view_, p);
        dragTool_ = tool;
        cropFrameChanged(before);
        break;
    }
    }
    updateCursor();
}

void CanvasWidget::marqueePress(Point p) {
    // A combining drag may start anywhere and keeps the selection it combines with.
    MarqueeSelectionView shown = selectionView();
    if (pressMode_ != 0)
        shown.selection = nullptr;
    switch (marquee_.buttonDown(view_, p, shown)) {
    case MarqueePress::OnSelection: return;
    case MarqueePress::DeselectThenBand: emit marqueeDeselect(); break;
    case MarqueePress::Band: break;
    }
    bandTimer_.start(kTimerIntervalMs, this);
    repaintBand(marquee_.band().rect());
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    // Alt may have gone down or up while another widget had the keyboard focus.
    setAltDown(event->modifiers().testFlag(Qt::AltModifier));
    const Point p = toPoint(event->position());
    pointer_ = p;
    if (pointerListener_)
        pointerListener_->pointerMoved(view_, renderer_.render(view_, compositeSourceOf(document_)), p);
    emit pointerMoved(QPoint(p.x, p.y));
    if (forwarding() && !dragTool_) {
        const ToolOverlay before = toolInput_->overlay();
        toolInput_->move(toolId_, toolPointer(view_, event->position(), event->modifiers()), toolButtonDown_);
        repaintOverlay(before);
        updateCursor();
        return;
    }
    if (!dragTool_) {
        updateCursor(); // the marquee's cursor depends on the pixel under it
        return;
    }
    if (*dragTool_ == CanvasTool::Hand) {
        hand_.move(view_, p);
    } else if (crop_.isDragging()) {
        const std::optional<Rect> before = crop_.windowFrame(view_);
        if (crop_.move(view_, p))
            cropFrameChanged(before);
    } else if (marquee_.isDragging()) {
        const Rect before = marquee_.band().rect();
        if (marquee_.move(view_, p, marqueeModifiers(event->modifiers())))
            repaintBand(before);
    } else if (zoomTool_.isDragging()) {
        const Rect before = zoomTool_.band().rect();
        zoomTool_.move(view_, p);
        repaintBand(before);
    }
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (toolButtonDown_) {
        toolButtonDown_ = false;
        if (toolInput_) {
            const ToolOverlay before = toolInput_->overlay();
            toolInput_->release(toolId_, toolPointer(view_, event->position(), event->modifiers()));
            repaintOverlay(before);
        }
        return;
    }
    if (event->button() != Qt::LeftButton || !dragTool_)
        return;
    const Point p = toPoint(event->position());
    if (*dragTool_ == CanvasTool::Hand) {
        hand_.buttonUp();
    } else if (crop_.isDragging()) {
        const std::optional<Rect> before = crop_.windowFrame(view_);
        crop_.move(view_, p);
        crop_.buttonUp();
        cropFrameChanged(before);
    } else if (zoomTool_.isDragging()) {
        const Rect before = zoomTool_.band().rect();
        bandTimer_.stop();
        zoomTool_.buttonUp(view_, p, event->modifiers().testFlag(Qt::ShiftModifier));
        repaintBand(before);
    } else if (marquee_.isDragging()) {
        // The release point itself counts, in case no move arrived for it.
        marquee_.move(view_, p, marqueeModifiers(event->modifiers()));
        const Rect before = marquee_.band().rect();
        bandTimer_.stop();
        const std::optional<Rect> picked = marquee_.buttonUp(view_);
        repaintBand(before);
        if (picked)
            emit marqueeSelected(QRect(picked->left, picked->top, picked->width(), picked->height()), pressMode_,
                                 pressEllipse_);
    }
    dragTool_.reset();
    updateCursor();
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (modifiers.testFlag(Qt::ControlModifier))
        wheelZoom(event->angleDelta(), toPoint(event->position()));
    else // Shift turns the wheel sideways, as over the horizontal bar
        wheelScroll(event->angleDelta(), modifiers.testFlag(Qt::ShiftModifier));
    event->accept();
}

bool CanvasWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel && (watched == horizontalScrollBar() || watched == verticalScrollBar())) {
        wheelScroll(static_cast<QWheelEvent*>(event)->angleDelta(), watched == horizontalScrollBar());
        event->accept();
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void CanvasWidget::wheelScroll(QPoint angleDelta, bool overHorizontalBar) {
    // Over the horizontal bar the ordinary wheel moves the picture sideways.
    if (overHorizontalBar)
        angleDelta = QPoint(angleDelta.x() + angleDelta.y(), 0);
    // One line step per notch (120 units), up or left for a notch away from the user;
    // high-resolution wheels add up to whole notches.
    wheelRemainderX_ += angleDelta.x();
    wheelRemainderY_ += angleDelta.y();
    const int notchesX = wheelRemainderX_ / 120;
    const int notchesY = wheelRemainderY_ / 120;
    wheelRemainderX_ -= notchesX * 120;
    wheelRemainderY_ -= notchesY * 120;
    const Size client = view_.clientSize();
    view_.scrollBy(-notchesX * lineStep(client.width), -notchesY * lineStep(client.height));
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat() && !spaceDown_) {
            spaceDown_ = true;
            updateCursor();
        }
        event->accept();
        return;
    case Qt::Key_Alt:
        if (!event->isAutoRepeat() && !dragTool_)
            marquee_.toggleAlternateCursor();
        setAltDown(true);
        updateCursor();
        break;
    case Qt::Key_Escape: case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Backspace:
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
        if (forwarding()) {
            const ToolOverlay before = toolInput_->overlay();
            if (toolInput_->key(toolId_, *toolKeyOf(*event), event->modifiers().testFlag(Qt::ShiftModifier))) {
                toolButtonDown_ = false;
                repaintOverlay(before);
                event->accept();
                return;
            }
        }
        if (event->key() == Qt::Key_Escape && activeBand()) {
            cancelDrag();
            event->accept();
            return;
        }
        if (cropKey(event))
            return;
        break;
    default:
        if (event->modifiers().testFlag(Qt::KeypadModifier) && forwardKeypadCommand(event))
            return;
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CanvasWidget::forwardKeypadCommand(QKeyEvent* event) {
    // Qt's X11 shortcut matching drops the keypad flag, so "Num++" and its kin never fire
    // their menu items there and the key press comes here instead.
    const QKeySequence pressed(event->keyCombination());
    for (const CommandSpec& info : commandTable()) {
        if (info.route != CommandRoute::DocumentFrame)
            continue;
        for (const QString& keys : QString::fromUtf8(info.keys).split(QStringLiteral("; "), Qt::SkipEmptyParts))
            if (QKeySequence::fromString(keys, QKeySequence::PortableText) == pressed) {
                emit commandKey(info.id);
                event->accept();
                return true;
            }
    }
    return false;
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceDown_ = false;
        updateCursor();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Alt)
        setAltDown(false);
    QAbstractScrollArea::keyReleaseEvent(event);
}

void CanvasWidget::focusOutEvent(QFocusEvent* event) {
    // Keys released while another window had the focus never arrive here, and neither may
    // the button release of a running drag: a zoom or marquee drag ends as with Escape.
    spaceDown_ = false;
    setAltDown(false);
    if (event->reason() != Qt::PopupFocusReason) {
        cancelDrag();
        if (toolInput_ && toolButtonDown_)
            toolInput_->cancel();
        toolButtonDown_ = false;
    }
    updateCursor();
    QAbstractScrollArea::focusOutEvent(event);
}

void CanvasWidget::cancelDrag() {
    endBand();
    crop_.endDrag(); // the frame stays; only the drag ends
    hand_.buttonUp();
    dragTool_.reset();
    updateCursor();
}

void CanvasWidget::setAltDown(bool down) {
    if (down == altDown_)
        return;
    altDown_ = down;
    zoomTool_.setAltDown(down);
    updateCursor();
}

void CanvasWidget::timerEvent(QTimerEvent* event) {
    if (event->timerId() == outlineTimer_.timerId()) {
        outlinePhase_ = (outlinePhase_ + 1) % 8;
        viewport()->update(toQRect(outline_.box()));
        return;
    }
    if (event->timerId() != bandTimer_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    zoomTool_.tick();
    marquee_.tick();
    if (const RubberBand* band = activeBand())
        repaintBand(band->rect());
    if (crop_.hasFrame()) {
        crop_.tick();
        cropFrameChanged(crop_.windowFrame(view_));
    }
}

void CanvasWidget::repaintBand(const Rect& before) {
    const RubberBand* band = activeBand();
    const Rect now = band ? band->rect() : Rect{};
    // An empty band draws nothing, so there is nothing of it to repaint.
    const Rect area = before.normalized().united(now.normalized());
    if (!area.isEmpty())
        viewport()->update(toQRect(area).adjusted(-1, -1, 1, 1));
}

void CanvasWidget::endBand() {
    const RubberBand* band = activeBand();
    if (!band)
        return;
    const Rect before = band->rect();
    bandTimer_.stop();
    zoomTool_.cancel();
    marquee_.cancel();
    repaintBand(before);
}

} // namespace pict::qt
