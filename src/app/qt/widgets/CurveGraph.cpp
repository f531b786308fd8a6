#include "app/qt/widgets/CurveGraph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace pict::qt {

namespace {

constexpr int kMargin = 4;
constexpr int kSide = 256;
constexpr int kPointHalf = 3;

} // namespace

CurveGraph::CurveGraph(CurvesDialogModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setFixedSize(sizeHint());
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

QSize CurveGraph::sizeHint() const { return {kSide + 2 * kMargin, kSide + 2 * kMargin}; }

QPoint CurveGraph::widgetPoint(int x, int y) const { return {kMargin + x, kMargin + (kSide - 1 - y)}; }

QPoint CurveGraph::graphPoint(QPointF widget) const {
    const QPoint p = widget.toPoint();
    return {p.x() - kMargin, kSide - 1 - (p.y() - kMargin)};
}

void CurveGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area(kMargin, kMargin, kSide, kSide);
    painter.fillRect(rect(), palette().window());
    painter.fillRect(area, Qt::white);
    painter.setPen(QColor(210, 210, 210));
    for (int k = 1; k < 4; ++k) {
        const int at = k * kSide / 4;
        painter.drawLine(area.left() + at, area.top(), area.left() + at, area.bottom());
        painter.drawLine(area.left(), area.top() + at, area.right(), area.top() + at);
    }
    painter.setPen(Qt::gray);
    painter.drawRect(area.adjusted(-1, -1, 0, 0));

    QPolygon curve;
    for (int x = 0; x < kSide; ++x)
        curve << widgetPoint(x, model_.editor().curveAt(x));
    painter.setPen(Qt::black);
    painter.drawPolyline(curve);

    const CurvePoints& points = model_.editor().points();
    for (int k = 0; k < int(points.size()); ++k) {
        const QPoint at = widgetPoint(points[size_t(k)].x, points[size_t(k)].y);
        const QRect box(at.x() - kPointHalf, at.y() - kPointHalf, 2 * kPointHalf + 1, 2 * kPointHalf + 1);
        painter.fillRect(box, k == model_.editor().selectedPoint() ? Qt::black : Qt::white);
        painter.drawRect(box);
    }
}

void CurveGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = graphPoint(event->position());
    model_.press(at.x(), at.y(), event->modifiers() & Qt::ControlModifier);
    update();
    emit edited();
}

void CurveGraph::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = graphPoint(event->position());
    if (event->buttons() & Qt::LeftButton)
        model_.drag(at.x(), at.y());
    else
        model_.hover(at.x());
    update();
    emit edited();
}

void CurveGraph::mouseReleaseEvent(QMouseEvent*) { model_.release(); }

} // namespace pict::qt
