#include "app/qt/panels/SwatchesInfoDocks.h"

#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/panels/InfoPanel.h"
#include "app/qt/window/PanelToggles.h"
#include "app/qt/panels/SwatchesPanel.h"
#include "selection/SelectionController.h"

#include <QChildEvent>
#include <QMainWindow>
#include <QMdiArea>

namespace pict::qt {
SwatchesInfoDocks::SwatchesInfoDocks(QMainWindow& window, QMdiArea& area, ApplicationContext& app)
    : QObject(&window), area_(area) {
    setObjectName(QStringLiteral("SwatchesInfoDocks"));
    info_ = new InfoPanel(&window);
    swatches_ = new SwatchesPanel(app, &info_->model(), &window);
    window.addDockWidget(Qt::RightDockWidgetArea, swatches_);
    window.addDockWidget(Qt::RightDockWidgetArea, info_);
    window.splitDockWidget(swatches_, info_, Qt::Vertical);
    addPanelToggle(window, *swatches_);
    addPanelToggle(window, *info_);
    // Document windows are children of the area's viewport: each one that arrives is hooked
    // up, whichever path opened it.
    area_.viewport()->installEventFilter(this);
    connect(&area_, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow* window) { showSelectionSize(qobject_cast<DocumentFrame*>(window)); });
    for (QObject* child : area_.viewport()->children())
        if (auto* frame = qobject_cast<DocumentFrame*>(child))
            reportToInfo(*frame);
}

void SwatchesInfoDocks::reportToInfo(DocumentFrame& frame) {
    frame.canvas()->setPointerListener(&info_->model());
    frame.canvas()->marqueeTool().setListener(&info_->model());
    // Every command (Deselect, Undo, Select All...) ends with the frame's state change.
    DocumentFrame* source = &frame;
    connect(source, &DocumentFrame::stateChanged, this, [this, source] {
        if (area_.currentSubWindow() == source)
            showSelectionSize(source);
    });
}

void SwatchesInfoDocks::showSelectionSize(DocumentFrame* frame) {
    const Rect bounds = frame ? frame->session().selection().mask().bounds() : Rect{};
    info_->model().showSize(bounds.width(), bounds.height());
}

SwatchesInfoDocks* SwatchesInfoDocks::of(const QMainWindow& window) {
    return window.findChild<SwatchesInfoDocks*>(QStringLiteral("SwatchesInfoDocks"),
                                                Qt::FindDirectChildrenOnly);
}

bool SwatchesInfoDocks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_.viewport() && event->type() == QEvent::ChildAdded)
        if (auto* frame = qobject_cast<DocumentFrame*>(static_cast<QChildEvent*>(event)->child()))
            reportToInfo(*frame);
    return QObject::eventFilter(watched, event);
}

} // namespace pict::qt
