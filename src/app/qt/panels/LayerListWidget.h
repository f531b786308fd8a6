#pragma once
// The list of the Layers panel: paints the rows of a LayersPanelModel and hands it the
// mouse. What a click turns into is the model's business; this widget only reports the
// requests and that the selection may have changed.

#include "app/panels/LayersPanelModel.h"

#include <QAbstractScrollArea>

class QLineEdit;

namespace pict::qt {

class LayerListWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LayerListWidget(LayersPanelModel& model, QWidget* parent = nullptr);

    // The rows changed: scroll range and picture follow.
    void rowsChanged();
    // The in-place name editor, while one is open.
    QLineEdit* nameEditor() const { return editor_; }
    // Opens the name editor over a row (what a double click on its name does).
    void editName(int32_t row);
    // List coordinates (scroll offset included) of a viewport point.
    Point listPoint(QPoint viewportPoint) const;

signals:
    void requested(const pict::LayerPanelRequest& request);
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintRow(QPainter& painter, int32_t row, int32_t top);
    void closeEditor(bool accept);
    void updateScrollRange();

    LayersPanelModel& model_;
    QLineEdit* editor_ = nullptr;
    int32_t editedRow_ = -1;
    const Layer* editedLayer_ = nullptr;
};

} // namespace pict::qt
