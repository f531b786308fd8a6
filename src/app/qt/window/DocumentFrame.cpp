#include "app/qt/window/DocumentFrame.h"

#include "app/session/DocumentWindowLayout.h"
#include "app/commands/ZoomCommands.h"
#include "app/qt/canvas/CanvasWidget.h"
#include "app/qt/window/LongWorkRunner.h"
#include "canvas/ZoomSteps.h"
#include "document/Document.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMenu>
#include <QScrollBar>

#include <algorithm>

namespace pict::qt {

DocumentFrame::DocumentFrame(ApplicationContext& app, std::unique_ptr<Document> document, QWidget* parent)
    : QMdiSubWindow(parent),
      session_(std::make_unique<DocumentSession>(app, std::move(document))),
      commands_(*session_),
      toolInput_(commands_, app.tools ? *app.tools : ownTools_),
      view_(session_->document().canvasSize(), {0, 0}) {
    setAttribute(Qt::WA_DeleteOnClose);
    canvas_ = new CanvasWidget(view_, session_->document(), this);
    canvas_->setSelection(&session_->selection());
    connect(canvas_, &CanvasWidget::commandKey, this, [this](uint16_t id) {
        if (isZoomCommandEnabled(id))
            executeCommand(id);
    });
    connect(canvas_, &CanvasWidget::marqueeDeselect, this, [this] { executeCommand(kCmdDeselect); });
    connect(canvas_, &CanvasWidget::marqueeSelected, this, [this](const QRect& r, int mode, bool ellipse) {
        commands_.selectMarquee({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}, ellipse, mode);
        emit stateChanged();
    });
    canvas_->setToolOptions(app.tools ? app.tools : &ownTools_);
    canvas_->setToolInput(&toolInput_);
    toolInput_.setResultListener([this](const CommandResult& result) {
        if (result.outcome == CommandOutcome::Refused || result.outcome == CommandOutcome::Failed)
            emit toolRefused(QString::fromStdString(result.message));
        emit stateChanged();
    });
    connect(canvas_, &CanvasWidget::cropCommitted, this, [this](const QRect& r) {
        commands_.cropTo({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
        refreshCaption();
        emit stateChanged();
    });
    setWidget(canvas_);
    setFocusProxy(canvas_);
    // The window menu's own Close carries Ctrl+W as well; two actions on one key make Qt
    // refuse both, so the keys stay with the application's commands alone.
    if (QMenu* menu = systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcuts({});
    view_.setListener(this);
    session_->setView(this);
    session_->document().addObserver(this);
    refreshCaption();
}

DocumentFrame::~DocumentFrame() {
    session_->document().removeObserver(this);
    session_->setView(nullptr);
    view_.setListener(nullptr);
}

std::string DocumentFrame::path() const {
    const DocumentInfo& info = document().info();
    return info.untitled ? std::string() : documentPath(info);
}

const DocumentInfo& DocumentFrame::documentInfo() const { return document().info(); }

bool DocumentFrame::isZoomCommand(uint16_t id) const { return isFrameCommand(id); }

bool DocumentFrame::isZoomCommandEnabled(uint16_t id) const { return pict::isZoomCommandEnabled(view_, id); }

CommandResult DocumentFrame::executeCommand(uint16_t id, CommandParams params) {
    if (runFrameCommand(*this, id))
        return {CommandOutcome::ViewChange};
    CommandResult result = commands_.execute(id, std::move(params));
    refreshCaption(); // the modified marker follows the history
    emit stateChanged();
    return result;
}

void DocumentFrame::setTool(int32_t toolId) { canvas_->setTool(toolId); }

void DocumentFrame::setCanvasColors(const CanvasColors& colors) { canvas_->setColors(colors); }

void DocumentFrame::refreshCaption() {
    // "*" after the name while there are unsaved changes.
    const std::string name = document().info().name + (document().isModified() ? "*" : "");
    setWindowTitle(QString::fromStdString(canvasCaption(name, view_.zoom())));
}

QSize DocumentFrame::decorationSize() const {
    if (layout())
        layout()->activate();
    return size() - canvas_->viewport()->size();
}

void DocumentFrame::applyInitialLayout(QSize workspace) {
    const QSize room = workspace - decorationSize();
    const InitialViewLayout layout =
        initialViewLayout(document().canvasSize(), {std::max(1, room.width()), std::max(1, room.height())});
    view_.setZoom(layout.zoom, false);
    resize(QSize(layout.client.width, layout.client.height) + decorationSize());
    // The area placed the window before it had this size; a window sized to the workspace
    // would reach past its edge and hide its scroll bars, so it moves back in.
    const QPoint inside(std::max(0, std::min(x(), workspace.width() - width())),
                        std::max(0, std::min(y(), workspace.height() - height())));
    if (inside != pos())
        move(inside);
}

void DocumentFrame::fitOnScreen() {
    QMdiArea* area = mdiArea();
    if (isMaximized() || !area) {
        view_.fitInWindow();
        return;
    }
    const QSize room = area->viewport()->size() - decorationSize();
    const std::optional<Size> client = view_.fitOnScreenClientSize({room.width(), room.height()});
    if (!client)
        return;
    resize(QSize(client->width, client->height) + decorationSize());
    move(0, 0);
    // The drawing area's resize may arrive only with the next layout pass; the view fits the
    // size the window was given now.
    view_.setClientSize(*client);
    view_.fitInWindow();
}

void DocumentFrame::closeEvent(QCloseEvent* event) {
    if (!closed_ && closeGuard_ && !closeGuard_(this)) {
        event->ignore();
        return;
    }
    closed_ = true;
    emit closing(this);
    QMdiSubWindow::closeEvent(event);
}

void DocumentFrame::canvasSizeChanged() {
    view_.setImageSize(document().canvasSize());
    canvas_->imageSizeChanged();
}

void DocumentFrame::selectionChanged() { canvas_->selectionChanged(); }

void DocumentFrame::toggleSelectionOutline() { canvas_->selectionChanged(); }

void DocumentFrame::beginLongOperation() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void DocumentFrame::endLongOperation() { QApplication::restoreOverrideCursor(); }

bool DocumentFrame::runLongWork(const std::string& name, const std::function<void()>& work) {
    if (!longWork_)
        return SessionView::runLongWork(name, work);
    return longWork_->run(QString::fromStdString(name), work);
}

void DocumentFrame::changed(const DocumentNotification& notification) {
    canvas_->imageChanged(notification.rect);
    emit documentChanged();
}

void DocumentFrame::canvasZoomChanged() {
    canvas_->viewZoomChanged();
    refreshCaption();
    emit stateChanged();
}

void DocumentFrame::canvasScrolled(int32_t, int32_t) { canvas_->viewScrolled(); }

} // namespace pict::qt
