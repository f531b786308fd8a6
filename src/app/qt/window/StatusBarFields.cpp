#include "app/qt/window/StatusBarFields.h"

#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/DocumentFrame.h"
#include "canvas/ZoomSteps.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

namespace pict::qt {

StatusBarFields::StatusBarFields(QStatusBar& bar)
    : QObject(&bar), size_(new QLabel(&bar)), position_(new QLabel(&bar)), zoom_(new QLineEdit(&bar)) {
    size_->setObjectName(QStringLiteral("pictureSize"));
    position_->setObjectName(QStringLiteral("pointerPosition"));
    zoom_->setObjectName(QStringLiteral("zoomField"));
    size_->setToolTip(QStringLiteral("Picture size in pixels"));
    position_->setToolTip(QStringLiteral("Pointer position in image pixels"));
    zoom_->setToolTip(QStringLiteral("Zoom: type a percentage and press Enter"));
    const QFontMetrics metrics(zoom_->font());
    size_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("30000 × 30000 px")));
    position_->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("-30000, -30000")));
    zoom_->setFixedWidth(metrics.horizontalAdvance(QStringLiteral("1600.00%")) + 12);
    zoom_->setAlignment(Qt::AlignRight);
    bar.addPermanentWidget(position_);
    bar.addPermanentWidget(size_);
    bar.addPermanentWidget(zoom_);
    connect(zoom_, &QLineEdit::returnPressed, this, &StatusBarFields::zoomTyped);
    showDocument(nullptr);
}

void StatusBarFields::showDocument(DocumentFrame* frame) {
    if (frame != frame_)
        position_->clear();
    frame_ = frame;
    zoom_->setEnabled(frame != nullptr);
    if (!frame) {
        size_->clear();
        zoom_->clear();
        return;
    }
    const Size image = frame->view().imageSize();
    size_->setText(QStringLiteral("%1 × %2 px").arg(image.width).arg(image.height));
    // The field keeps what the user is typing until Enter.
    if (!zoom_->hasFocus())
        zoom_->setText(QString::fromStdString(zoomPercentText(frame->view().zoom())));
}

void StatusBarFields::pointerMoved(DocumentFrame* frame, QPoint window) {
    if (frame != frame_)
        return;
    const CanvasView& view = frame->view();
    const Point p{window.x(), window.y()};
    // Over the picture only, as the Info panel counts it.
    if (!view.imageWindowRect().contains(p.x, p.y)) {
        position_->clear();
        return;
    }
    const Point image = view.windowToImage(p);
    position_->setText(QStringLiteral("%1, %2").arg(image.x).arg(image.y));
}

void StatusBarFields::zoomTyped() {
    if (!frame_)
        return;
    // A value outside the view's range is held to it, as every zoom request is; text that is
    // no number puts back the zoom there is.
    if (const std::optional<float> zoom = parseZoomPercent(zoom_->text().toStdString()))
        frame_->view().setZoom(*zoom, true);
    zoom_->setText(QString::fromStdString(zoomPercentText(frame_->view().zoom())));
    zoom_->selectAll();
    // Back to the picture, so that the keys work on it again.
    frame_->canvas()->setFocus();
}

} // namespace pict::qt
