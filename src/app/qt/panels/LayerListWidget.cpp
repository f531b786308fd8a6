#include "app/qt/panels/LayerListWidget.h"

#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "document/Layer.h"
#include "surface/RasterSurface.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <cstring>

namespace pict::qt {

namespace {

using Geometry = LayerRowGeometry;

const QColor kRowSeparator(208, 206, 208);

QRect toQRect(const Rect& r, int32_t top) { return QRect(r.left, r.top + top, r.width(), r.height()); }

PanelModifiers modifiersOf(const QMouseEvent* event) {
    return {event->modifiers().testFlag(Qt::ControlModifier), event->modifiers().testFlag(Qt::ShiftModifier)};
}

// The checkerboard alone, for a layer without pixels; the pattern's colors are 0x00BBGGRR,
// the surface's bytes blue, green, red.
void fillPattern(Surface24& surface, const ThumbnailPattern& pattern) {
    const uint32_t colors[2] = {pattern.first, pattern.second};
    for (int32_t y = 0; y < surface.height(); ++y) {
        uint8_t* pixel = surface.row(y);
        for (int32_t x = 0; x < surface.width(); ++x, pixel += 3) {
            const uint32_t color = colors[((x / pattern.squareSize) % 2) != ((y / pattern.squareSize) % 2)];
            pixel[0] = uint8_t(color >> 16);
            pixel[1] = uint8_t(color >> 8);
            pixel[2] = uint8_t(color);
        }
    }
}

// The layer as it lies on the canvas over the checkerboard.
QImage thumbnailImage(const Layer& layer, QSize size) {
    Surface24 surface;
    if (!surface.create(size.width(), size.height()))
        return {};
    const ThumbnailPattern pattern;
    const auto* raster = dynamic_cast<const RasterLayer*>(&layer);
    if (!raster || !raster->thumbnail(surface, pattern))
        fillPattern(surface, pattern);
    QImage image(size, QImage::Format_BGR888);
    for (int32_t y = 0; y < surface.height(); ++y)
        std::memcpy(image.scanLine(y), surface.row(y), size_t(surface.width()) * 3);
    return image;
}

// The visibility column: an open eye for a visible layer, nothing for a hidden one.
void drawVisibility(QPainter& painter, QRect cell, bool visible, const QColor& background) {
    painter.fillRect(cell, background);
    if (!visible)
        return;
    const QPointF centre = QRectF(cell).center();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 7.0, 4.0);
    painter.setBrush(Qt::black);
    painter.drawEllipse(centre, 2.0, 2.0);
    painter.restore();
}

} // namespace

LayerListWidget::LayerListWidget(LayersPanelModel& model, QWidget* parent) : QAbstractScrollArea(parent), model_(model) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setSingleStep(Geometry::kRowHeight);
    viewport()->setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumHeight(Geometry::kRowHeight * 3);
}

Point LayerListWidget::listPoint(QPoint viewportPoint) const {
    return {viewportPoint.x(), viewportPoint.y() + verticalScrollBar()->value()};
}

void LayerListWidget::rowsChanged() {
    // A rebuilt list may hold another layer in the edited row: that edit is void.
    if (editor_ && (editedRow_ >= model_.rowCount() || model_.row(editedRow_).layer != editedLayer_))
        closeEditor(false);
    updateScrollRange();
    viewport()->update();
}

void LayerListWidget::updateScrollRange() {
    const int32_t page = viewport()->height();
    verticalScrollBar()->setPageStep(std::max(Geometry::kRowHeight, page - page % Geometry::kRowHeight));
    verticalScrollBar()->setRange(0, std::max(0, model_.scrollRange() - page));
}

void LayerListWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void LayerListWidget::scrollContentsBy(int, int) {
    if (editor_)
        closeEditor(true);
    viewport()->update();
}

// ---- painting ----

void LayerListWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    const int32_t scroll = verticalScrollBar()->value();
    const int32_t first = scroll / Geometry::kRowHeight;
    for (int32_t row = first; row < model_.rowCount(); ++row) {
        const int32_t top = row * Geometry::kRowHeight - scroll;
        if (top >= viewport()->height())
            break;
        paintRow(painter, row, top);
    }
}

void LayerListWidget::paintRow(QPainter& painter, int32_t row, int32_t top) {
    const LayerRow& shown = model_.row(row);
    const int32_t width = viewport()->width();
    const QColor background = palette().color(QPalette::Base);
    drawVisibility(painter, QRect(0, top, Geometry::kVisibilityWidth, Geometry::kRowHeight), shown.layer->isVisible(),
                   background);
    const QRect rest(Geometry::kVisibilityWidth, top, width - Geometry::kVisibilityWidth, Geometry::kRowHeight);
    painter.fillRect(rest, shown.selected ? palette().color(QPalette::Highlight) : background);
    painter.setPen(kRowSeparator);
    painter.drawLine(0, top + Geometry::kRowHeight - 1, width - 1, top + Geometry::kRowHeight - 1);

    const Size canvas = model_.session() ? model_.session()->document().canvasSize() : Size{};
    const QRect thumb = toQRect(Geometry::thumbnailRect(canvas), top);
    const QImage image = thumbnailImage(*shown.layer, thumb.size());
    if (!image.isNull())
        painter.drawImage(thumb.topLeft(), image);
    painter.setPen(Qt::black);
    painter.drawRect(thumb.adjusted(-1, -1, 0, 0));

    const QRect name = toQRect(Geometry::nameArea(width), top);
    painter.setPen(palette().color(shown.selected ? QPalette::HighlightedText : QPalette::Text));
    const QString text = QString::fromStdString(shown.name);
    painter.drawText(name, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, name.width()));
}

// ---- mouse ----

void LayerListWidget::mousePressEvent(QMouseEvent* event) {
    const PanelButton button = event->button() == Qt::RightButton ? PanelButton::Right : PanelButton::Left;
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    if (editor_)
        closeEditor(true);
    const std::optional<LayerPanelRequest> request =
        model_.press(listPoint(event->position().toPoint()), button, modifiersOf(event));
    viewport()->update();
    emit selectionChanged();
    if (request)
        emit requested(*request);
}

void LayerListWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    model_.release(listPoint(event->position().toPoint()), modifiersOf(event));
    viewport()->unsetCursor();
    viewport()->update();
    emit selectionChanged();
}

void LayerListWidget::mouseMoveEvent(QMouseEvent* event) {
    if (model_.move(listPoint(event->position().toPoint())))
        viewport()->setCursor(Qt::ClosedHandCursor);
}

void LayerListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int32_t row = model_.renameRowAt(listPoint(event->position().toPoint()), viewport()->width());
    if (row >= 0)
        editName(row);
}

void LayerListWidget::keyPressEvent(QKeyEvent* event) {
    const int32_t delta = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (delta == 0 || event->modifiers() != Qt::NoModifier) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    if (!model_.step(delta))
        return;
    // The selected row comes into view.
    const int32_t top = model_.focusedRow() * Geometry::kRowHeight;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + Geometry::kRowHeight > bar->value() + viewport()->height())
        bar->setValue(top + Geometry::kRowHeight - viewport()->height());
    viewport()->update();
    emit selectionChanged();
}

// ---- in-place rename ----

void LayerListWidget::editName(int32_t row) {
    if (row < 0 || row >= model_.rowCount())
        return;
    if (editor_)
        closeEditor(true);
    editedRow_ = row;
    editedLayer_ = model_.row(row).layer;
    editor_ = new QLineEdit(QString::fromStdString(model_.row(row).name), viewport());
    const int32_t top = row * Geometry::kRowHeight - verticalScrollBar()->value();
    editor_->setGeometry(toQRect(Geometry::nameArea(viewport()->width()), top));
    editor_->selectAll();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, [this] { closeEditor(true); });
    editor_->show();
    editor_->setFocus();
}

bool LayerListWidget::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ && watched == editor_) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            closeEditor(false);
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            closeEditor(true);
            return false;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void LayerListWidget::closeEditor(bool accept) {
    if (!editor_)
        return;
    // Taken first: sending the rename repaints and may close the editor again.
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    const std::optional<LayerPanelRequest> request =
        accept ? model_.finishRename(editedRow_, editor->text().toStdString()) : std::nullopt;
    editedRow_ = -1;
    setFocus();
    if (request)
        emit requested(*request);
}

} // namespace pict::qt
