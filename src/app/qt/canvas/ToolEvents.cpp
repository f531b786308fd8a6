#include "app/qt/canvas/ToolEvents.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPolygonF>

namespace pict::qt {

ToolPointer toolPointer(const CanvasView& view, QPointF window, Qt::KeyboardModifiers modifiers, double pressure) {
    const Point origin = view.contentOrigin();
    const Size image = view.imageSize(), content = view.contentSize();
    ToolPointer pointer;
    if (content.width > 0 && content.height > 0) {
        pointer.x = (window.x() - origin.x) * image.width / content.width;
        pointer.y = (window.y() - origin.y) * image.height / content.height;
    }
    pointer.pressure = pressure;
    pointer.shift = modifiers.testFlag(Qt::ShiftModifier);
    pointer.alt = modifiers.testFlag(Qt::AltModifier);
    return pointer;
}

std::optional<ToolKey> toolKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
        return ToolKey::Escape;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ToolKey::Enter;
    case Qt::Key_Backspace:
        return ToolKey::Backspace;
    case Qt::Key_Left:
        return ToolKey::Left;
    case Qt::Key_Right:
        return ToolKey::Right;
    case Qt::Key_Up:
        return ToolKey::Up;
    case Qt::Key_Down:
        return ToolKey::Down;
    default:
        return std::nullopt;
    }
}

void drawToolOverlay(QPainter& painter, const CanvasView& view, const ToolOverlay& overlay) {
    if (overlay.isEmpty())
        return;
    const Point origin = view.contentOrigin();
    const Size image = view.imageSize(), content = view.contentSize();
    if (image.width <= 0 || image.height <= 0)
        return;
    QPolygonF line;
    for (const PolygonPoint& p : overlay.points)
        line << QPointF(origin.x + p.x * content.width / image.width, origin.y + p.y * content.height / image.height);
    if (overlay.closed)
        line << line.front();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPolyline(line);
    QPen dashes(Qt::black, 1, Qt::DashLine);
    painter.setPen(dashes);
    painter.drawPolyline(line);
}

} // namespace pict::qt
