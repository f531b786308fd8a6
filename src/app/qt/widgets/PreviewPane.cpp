#include "app/qt/widgets/PreviewPane.h"

#include "app/session/DocumentSession.h"
#include "app/dialogs/adjustments/PreviewNavigator.h"
#include "app/qt/widgets/LayerPainting.h"
#include "document/Document.h"
#include "document/Layer.h"
#include "selection/SelectionController.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace pict::qt {

namespace {

// The pane's placeholder, in dialog units (a quarter of the average character width, an
// eighth of the line height).
constexpr int kWidthUnits = 161;
constexpr int kHeightUnits = 149;

QRect toQRect(const Rect& r) { return {r.left, r.top, r.width(), r.height()}; }

} // namespace

PreviewPane::PreviewPane(DocumentSession& session, const Rect& shownArea, QWidget* parent)
    : QWidget(parent), session_(session), view_(session.document().canvasSize(), {1, 1}), shownArea_(shownArea),
      strip_(new QWidget(this)), zoomOut_(new QToolButton(strip_)), slider_(new QSlider(Qt::Horizontal, strip_)),
      zoomIn_(new QToolButton(strip_)), actual_(new QToolButton(strip_)), navigatorButton_(new QToolButton(this)) {
    setObjectName(QStringLiteral("previewPane"));
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::OpenHandCursor);
    zoomOut_->setText(QStringLiteral("\u2212"));
    zoomOut_->setToolTip(tr("Zoom Out"));
    zoomIn_->setText(QStringLiteral("+"));
    zoomIn_->setToolTip(tr("Zoom In"));
    actual_->setText(QStringLiteral("1:1"));
    actual_->setToolTip(tr("Actual Pixels"));
    slider_->setRange(0, PreviewZoomSlider::kLastPosition);
    slider_->setFixedWidth(PreviewZoomSlider::kSteps);
    slider_->setToolTip(tr("Zoom"));
    auto* strip = new QHBoxLayout(strip_);
    strip->setContentsMargins(2, 2, 2, 2);
    strip->setSpacing(2);
    for (QWidget* part : std::initializer_list<QWidget*>{zoomOut_, slider_, zoomIn_, actual_}) {
        part->setCursor(Qt::ArrowCursor);
        strip->addWidget(part);
    }
    strip_->adjustSize();
    strip_->move(2, 2);
    strip_->hide();
    navigatorButton_->setText(QStringLiteral("\u25A3"));
    navigatorButton_->setToolTip(tr("Navigator"));
    navigatorButton_->setCursor(Qt::ArrowCursor);
    navigatorButton_->adjustSize();
    navigatorButton_->move(width() - navigatorButton_->width() - 2, 2);
    navigatorButton_->hide();
    connect(navigatorButton_, &QToolButton::clicked, this, &PreviewPane::openNavigator);
    connect(zoomOut_, &QToolButton::clicked, this, &PreviewPane::zoomOut);
    connect(zoomIn_, &QToolButton::clicked, this, &PreviewPane::zoomIn);
    connect(actual_, &QToolButton::clicked, this, &PreviewPane::actualPixels);
    connect(slider_, &QSlider::valueChanged, this, &PreviewPane::sliderMoved);
    session_.document().addObserver(this);

    view_.setClientSize({width(), height()});
    CanvasView fit(session.document().canvasSize(), {width(), height()});
    fit.fitInWindow();
    minimumZoom_ = std::min(fit.zoom(), 1.0f);
    zoomSteps_ = {minimumZoom_, kMaximumZoom};
    view_.setZoom(1.0f, true);

    // Centre on what the document window shows of the selection, or else of the layer.
    const SelectionMask& selection = session_.selection().mask();
    const LayerStack& layers = session_.document().layers();
    const Layer* layer = layers.active();
    Rect target = selection.bounds();
    if (target.isEmpty() && layer)
        target = layer->canvasRect();
    const Rect shown = shownArea_.isEmpty() ? session_.document().canvasRect() : shownArea_;
    const Rect area = shown.intersected(target);
    centreOn(area.isEmpty() ? Point{0, 0} : Point{(area.left + area.right) / 2, (area.top + area.bottom) / 2});
    updateStrip();
}

PreviewPane::~PreviewPane() { session_.document().removeObserver(this); }

QSize PreviewPane::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * kWidthUnits / 4, metrics.height() * kHeightUnits / 8};
}

Point PreviewPane::centrePoint() const { return view_.windowToImage({width() / 2, height() / 2}); }

void PreviewPane::centreOn(Point image) {
    const Point at = view_.imageToWindow(image);
    view_.scrollToCentre(at);
    update();
}

void PreviewPane::setLimitedZoom(float zoom) {
    view_.setZoom(std::clamp(zoom, minimumZoom_, kMaximumZoom), true);
    updateStrip();
    update();
}

void PreviewPane::zoomIn() {
    if (view_.zoom() >= kMaximumZoom)
        return;
    view_.zoomIn();
    setLimitedZoom(view_.zoom());
}

void PreviewPane::zoomOut() {
    if (view_.zoom() <= minimumZoom_)
        return;
    view_.zoomOut();
    setLimitedZoom(view_.zoom());
}

void PreviewPane::actualPixels() { setLimitedZoom(1.0f); }

void PreviewPane::updateStrip() {
    navigatorButton_->setVisible(strip_->isVisible() && !navigatorOpen_ && isNavigatorAvailable());
    zoomIn_->setEnabled(view_.zoom() < kMaximumZoom);
    zoomOut_->setEnabled(view_.zoom() > minimumZoom_);
    const QSignalBlocker block(slider_);
    slider_->setValue(zoomSteps_.positionOf(view_.zoom()));
}

void PreviewPane::sliderMoved(int position) {
    const double zoom = zoomSteps_.zoomAt(position);
    if (std::abs(zoom - view_.zoom()) >= 0.0001)
        setLimitedZoom(static_cast<float>(zoom));
    else
        updateStrip(); // the thumb shows the zoom, which may not go below the minimum
}

void PreviewPane::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    strip_->show();
    updateStrip();
}

void PreviewPane::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    strip_->hide();
    closeNavigator();
}

bool PreviewPane::isNavigatorAvailable() const {
    const Size content = view_.contentSize();
    return content.width > width() || content.height > height();
}

void PreviewPane::openNavigator() {
    if (!isNavigatorAvailable())
        return;
    navigatorOpen_ = true;
    updateStrip();
    update();
}

void PreviewPane::closeNavigator() {
    navigatorDragging_ = false;
    if (!navigatorOpen_)
        return;
    navigatorOpen_ = false;
    updateStrip();
    update();
}

Rect PreviewPane::navigatorPicture() const {
    const Rect box = PreviewNavigator::box(width());
    return PreviewNavigator::picture(PreviewNavigator::thumbnail(box, session_.document().canvasSize()));
}

Rect PreviewPane::navigatorShownPart() const {
    return PreviewNavigator::shownPart(navigatorPicture(), view_.contentSize(),
                                       Rect::fromPointSize(view_.scrollPosition(), view_.clientSize()));
}

void PreviewPane::paintNavigator(QPainter& painter, const RasterLayer* layer) {
    const Rect box = PreviewNavigator::box(width());
    const Rect thumbnail = PreviewNavigator::thumbnail(box, session_.document().canvasSize());
    const Rect picture = PreviewNavigator::picture(thumbnail);
    // The pane's picture shows through the box, veiled toward white.
    painter.save();
    painter.setClipRegion(QRegion(toQRect(box)) - QRegion(toQRect(thumbnail)));
    painter.fillRect(toQRect(box), QColor(255, 255, 255, 180));
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawRect(toQRect(thumbnail).adjusted(0, 0, -1, -1));
    painter.fillRect(toQRect(picture), Qt::white);
    const Size document = session_.document().canvasSize();
    const Rect layerPart = layer ? layer->canvasRect().intersected(session_.document().canvasRect()) : Rect{};
    if (!layerPart.isEmpty()) {
        // The layer's place in the document, scaled into the picture.
        const double sx = double(picture.width()) / document.width;
        const double sy = double(picture.height()) / document.height;
        const QRectF target(picture.left + layerPart.left * sx, picture.top + layerPart.top * sy,
                            layerPart.width() * sx, layerPart.height() * sy);
        drawLayerPart(painter, *layer, layerPart.translated(-layer->position().x, -layer->position().y), target, true);
    }
    const Rect part = navigatorShownPart();
    const int frame = part == picture ? 1 : 2;
    const QRect framed = toQRect(part).adjusted(-frame, -frame, frame, frame);
    painter.save();
    painter.setClipRegion(QRegion(framed) - QRegion(toQRect(part)));
    painter.fillRect(framed, QColor(255, 80, 80));
    painter.restore();
}

void PreviewPane::navigatorPressed(Point at) {
    if (!PreviewNavigator::box(width()).contains(at.x, at.y)) {
        closeNavigator();
        return;
    }
    const Rect picture = navigatorPicture();
    const Rect part = navigatorShownPart();
    const Rect grown{part.left - 2, part.top - 2, part.right + 2, part.bottom + 2};
    if (!grown.contains(at.x, at.y)) {
        if (!picture.contains(at.x, at.y))
            return; // the box's margin
        const Point content = PreviewNavigator::contentAt(picture, view_.contentSize(), at);
        view_.scrollTo(content.x - width() / 2, content.y - height() / 2);
    }
    navigatorDragging_ = true;
    dragFrom_ = {at.x, at.y};
    update();
}

void PreviewPane::navigatorDragged(Point at) {
    const Rect picture = navigatorPicture();
    const Point from = PreviewNavigator::contentAt(picture, view_.contentSize(), {dragFrom_.x(), dragFrom_.y()});
    const Point to = PreviewNavigator::contentAt(picture, view_.contentSize(), at);
    dragFrom_ = {at.x, at.y};
    view_.scrollBy(to.x - from.x, to.y - from.y);
    update();
}

void PreviewPane::changed(const DocumentNotification&) { update(); }

void PreviewPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    view_.setClientSize({width(), height()});
}

void PreviewPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QRect image = toQRect(view_.imageWindowRect());
    painter.setPen(Qt::black);
    painter.drawRect(image.adjusted(-1, -1, 0, 0));
    painter.fillRect(image, Qt::white);

    const RasterLayer* layer = activeLayer();
    if (layer) {
        const Rect visible = view_.visibleImageRect().intersected(layer->canvasRect());
        if (!visible.isEmpty())
            drawLayerPart(painter, *layer, visible.translated(-layer->position().x, -layer->position().y),
                          QRectF(toQRect(view_.imageRectToWindow(visible))), view_.zoom() < 1.0f);
    }
    if (navigatorOpen_)
        paintNavigator(painter, layer);
}

const RasterLayer* PreviewPane::activeLayer() const {
    const LayerStack& layers = session_.document().layers();
    const RasterLayer* layer = layers.rasterAt(layers.activeIndex());
    return layer && layer->color().width() > 0 && layer->color().height() > 0 ? layer : nullptr;
}

void PreviewPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (navigatorOpen_) {
        const QPoint at = event->position().toPoint();
        navigatorPressed({at.x(), at.y()});
        return;
    }
    dragging_ = true;
    dragFrom_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (navigatorDragging_) {
        navigatorDragged({at.x(), at.y()});
        return;
    }
    if (!dragging_)
        return;
    const QPoint moved = at - dragFrom_;
    dragFrom_ = at;
    view_.scrollBy(-moved.x(), -moved.y());
    update();
}

void PreviewPane::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    navigatorDragging_ = false;
    setCursor(Qt::OpenHandCursor);
}

} // namespace pict::qt
