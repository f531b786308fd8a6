#pragma once
// The Curves dialog's 256 × 256 graph: the chosen channel's curve and points, edited with
// the mouse through the dialog's model (press selects, moves, inserts or, with Ctrl,
// removes a point; dragging moves it).

#include "app/dialogs/adjustments/CurvesDialogModel.h"

#include <QWidget>

namespace pict::qt {

class CurveGraph : public QWidget {
    Q_OBJECT
public:
    explicit CurveGraph(CurvesDialogModel& model, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The widget point of a graph position (y = 0 at the bottom).
    QPoint widgetPoint(int x, int y) const;

signals:
    // The points or the readout changed.
    void edited();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint graphPoint(QPointF widget) const;

    CurvesDialogModel& model_;
};

} // namespace pict::qt
