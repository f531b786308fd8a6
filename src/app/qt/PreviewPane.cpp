#include "app/qt/PreviewPane.h"

#include "app/core/DocumentSession.h"
#include "document/Document.h"
#include "document/Layer.h"
#include "selection/SelectionController.h"

#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
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

// Squares of 4 pixels, white and light gray, behind the transparent parts of a layer.
QBrush checkerboard() {
    QPixmap tile(8, 8);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    const QColor gray(204, 204, 204);
    painter.fillRect(4, 0, 4, 4, gray);
    painter.fillRect(0, 4, 4, 4, gray);
    return QBrush(tile);
}

// The part of a layer that is not fully opaque, with its opacity, premultiplied.
QImage translucentPart(const RasterLayer& layer, const Rect& part) {
    QImage image(part.width(), part.height(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    for (int32_t y = part.top; y < part.bottom; ++y) {
        const uint8_t* source = layer.colorAt(part.left, y);
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y - part.top));
        for (int32_t x = part.left; x < part.right; ++x, source += 3) {
            const uint32_t alpha = layer.alphaAt(x, y);
            *target++ = qRgba(int(source[2] * alpha / 255), int(source[1] * alpha / 255), int(source[0] * alpha / 255),
                              int(alpha));
        }
    }
    return image;
}

} // namespace

PreviewPane::PreviewPane(DocumentSession& session, const Rect& shownArea, QWidget* parent)
    : QWidget(parent), session_(session), view_(session.document().canvasSize(), {1, 1}), shownArea_(shownArea),
      strip_(new QWidget(this)), zoomOut_(new QToolButton(strip_)), slider_(new QSlider(Qt::Horizontal, strip_)),
      zoomIn_(new QToolButton(strip_)), actual_(new QToolButton(strip_)) {
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
}

void PreviewPane::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    strip_->hide();
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

    const LayerStack& layers = session_.document().layers();
    const RasterLayer* layer = layers.rasterAt(layers.activeIndex());
    if (!layer || layer->color().width() <= 0 || layer->color().height() <= 0)
        return;
    const Surface24& color = layer->color();
    const Rect visible = view_.visibleImageRect().intersected(layer->canvasRect());
    if (visible.isEmpty())
        return;
    const Rect source = visible.translated(-layer->position().x, -layer->position().y);
    const QRectF target(toQRect(view_.imageRectToWindow(visible)));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, view_.zoom() < 1.0f);
    if (!layer->isFullyOpaque()) {
        painter.fillRect(target, checkerboard());
        painter.drawImage(target, translucentPart(*layer, source));
        return;
    }
    // An opaque layer's pixels are shown where they are: blue, green, red, rows padded to 4
    // bytes, in memory usually bottom row first (then the picture is drawn flipped back).
    const int32_t height = color.height();
    const bool topDown = height < 2 || color.row(1) > color.row(0);
    const QImage pixels(topDown ? color.row(0) : color.row(height - 1), color.width(), height,
                        qsizetype(color.stride()), QImage::Format_BGR888);
    QRectF inMemory(toQRect(source));
    if (!topDown) {
        inMemory.moveTop(height - source.bottom);
        painter.translate(0, 2 * target.top() + target.height());
        painter.scale(1, -1);
    }
    painter.drawImage(target, pixels, inMemory);
}

void PreviewPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    dragFrom_ = event->position().toPoint();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewPane::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_)
        return;
    const QPoint at = event->position().toPoint();
    const QPoint moved = at - dragFrom_;
    dragFrom_ = at;
    view_.scrollBy(-moved.x(), -moved.y());
    update();
}

void PreviewPane::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
}

} // namespace pict::qt
