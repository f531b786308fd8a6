#pragma once
// The Gaussian Blur dialog's view of the active layer: a zoom and scroll position of its own
// (zoom from the fit of the document up to 8), centred at start on what the document window
// shows of the selection or the layer. The preview blurs the layer itself, so the pane just
// repaints when the document changes. Dragging scrolls; while the pointer is over the pane a
// strip of zoom-out, slider, zoom-in and actual-size controls shows at its top, and, when the
// image does not fit, a button that opens the navigator box with a thumbnail of the image.

#include "app/dialogs/adjustments/PreviewZoomSlider.h"
#include "canvas/CanvasView.h"
#include "common/Geometry.h"
#include "document/DocumentNotification.h"

#include <QWidget>

class QSlider;
class QPainter;
class QToolButton;

namespace pict {
class DocumentSession;
class RasterLayer;
}

namespace pict::qt {

class PreviewPane : public QWidget, private DocumentObserver {
    Q_OBJECT
public:
    static constexpr float kMaximumZoom = 8.0f;

    // shownArea: the image part the document window shows (empty: the whole canvas).
    explicit PreviewPane(DocumentSession& session, const Rect& shownArea = {}, QWidget* parent = nullptr);
    ~PreviewPane() override;

    const CanvasView& view() const { return view_; }
    float minimumZoom() const { return minimumZoom_; }
    // The image point at the pane's centre.
    Point centrePoint() const;
    QSize sizeHint() const override;

    void zoomIn();
    void zoomOut();
    void actualPixels();
    QSlider* zoomSlider() const { return slider_; }
    // The image is larger than the pane: the navigator can be opened.
    bool isNavigatorAvailable() const;
    bool isNavigatorOpen() const { return navigatorOpen_; }
    void openNavigator();
    void closeNavigator();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void changed(const DocumentNotification& notification) override;
    void centreOn(Point image);
    void setLimitedZoom(float zoom);
    void updateStrip();
    const RasterLayer* activeLayer() const;
    void paintNavigator(QPainter& painter, const RasterLayer* layer);
    // The navigator's thumbnail picture, and the part of it the pane shows.
    Rect navigatorPicture() const;
    Rect navigatorShownPart() const;
    // A press with the navigator open: in the thumbnail it scrolls there and starts a drag;
    // outside the box it closes the box.
    void navigatorPressed(Point at);
    void navigatorDragged(Point at);
    void sliderMoved(int position);

    DocumentSession& session_;
    CanvasView view_;
    Rect shownArea_;
    float minimumZoom_ = 1.0f;
    PreviewZoomSlider zoomSteps_;
    QPoint dragFrom_;
    bool dragging_ = false;
    bool navigatorOpen_ = false;
    bool navigatorDragging_ = false;
    QWidget* strip_;
    QToolButton* zoomOut_;
    QSlider* slider_;
    QToolButton* zoomIn_;
    QToolButton* actual_;
    QToolButton* navigatorButton_;
};

} // namespace pict::qt
