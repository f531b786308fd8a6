#include "app/qt/panels/LayersPanel.h"

#include "app/commands/CommandIds.h"
#include "app/commands/CommandTable.h"
#include "app/qt/widgets/BlendModeList.h"
#include "app/qt/dialogs/CommandDialogs.h"
#include "app/qt/window/DocumentFrame.h"
#include "app/qt/panels/LayerListWidget.h"
#include "app/qt/window/MainWindow.h"
#include "app/qt/window/PanelToggles.h"
#include "document/Document.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPainter>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace pict::qt {

namespace {

constexpr int kIconSize = 16;

// A sheet with a folded corner; the delete button's has a red cross over it.
QIcon layerButtonIcon(bool crossed) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    const QPoint sheet[] = {{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}};
    painter.drawPolygon(sheet, 5);
    painter.drawLine(10, 1, 10, 4);
    painter.drawLine(10, 4, 13, 4);
    if (crossed) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(200, 0, 0), 2));
        painter.drawLine(5, 6, 11, 12);
        painter.drawLine(11, 6, 5, 12);
    }
    return QIcon(pixmap);
}

// The button's tooltip is the command's name from the registry.
QAction* panelAction(uint16_t id, bool crossed, QObject* owner) {
    const CommandSpec* info = findCommand(id);
    auto* action = new QAction(layerButtonIcon(crossed), QString::fromUtf8(info ? info->statusText : ""), owner);
    action->setData(id);
    return action;
}

} // namespace

LayersPanel* LayersPanel::install(MainWindow& window) {
    auto* panel = new LayersPanel(window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    addPanelToggle(window, *panel);
    connect(window.documentArea(), &QMdiArea::subWindowActivated, panel, [panel](QMdiSubWindow* window) {
        panel->attach(qobject_cast<DocumentFrame*>(window));
    });
    panel->attach(window.activeFrame());
    return panel;
}

LayersPanel::LayersPanel(MainWindow& window) : QDockWidget(tr("Layers"), &window), window_(window) {
    setObjectName(QStringLiteral("LayersPanel"));
    setWidget(buildBody());
    showSelection();
}

LayersPanel::~LayersPanel() { detach(); }

QWidget* LayersPanel::buildBody() {
    auto* body = new QWidget(this);
    auto* controls = new QHBoxLayout;
    auto* modeLabel = new QLabel(tr("&Mode"), body);
    mode_ = blendModeList(body);
    modeLabel->setBuddy(mode_);
    auto* opacityLabel = new QLabel(tr("Opacity:"), body);
    opacity_ = new QSpinBox(body);
    opacity_->setRange(0, 100);
    opacity_->setSuffix(QStringLiteral("%"));
    opacityLabel->setBuddy(opacity_);
    controls->addWidget(modeLabel);
    controls->addWidget(mode_, 1);
    controls->addWidget(opacityLabel);
    controls->addWidget(opacity_);

    list_ = new LayerListWidget(model_, body);
    auto* buttons = new QToolBar(body);
    buttons->setIconSize(QSize(kIconSize, kIconSize));
    create_ = panelAction(kCmdPanelNewLayer, false, this);
    delete_ = panelAction(kCmdPanelDeleteLayer, true, this);
    buttons->addAction(create_);
    buttons->addAction(delete_);

    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(controls);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);

    // panel to document
    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int mode) { send(model_.chooseMode(mode)); });
    connect(opacity_, &QSpinBox::valueChanged, this,
            [this](int percent) { send(model_.editOpacity(std::to_string(percent))); });
    connect(create_, &QAction::triggered, this, [this] { send(model_.createRequest()); });
    connect(delete_, &QAction::triggered, this, [this] { send(model_.deleteRequest()); });
    connect(list_, &LayerListWidget::requested, this,
            [this](const LayerPanelRequest& request) { send(request); });
    connect(list_, &LayerListWidget::selectionChanged, this, [this] {
        showSelection();
        window_.refreshCommandStates();
    });
    return body;
}

// ---- attaching ----

void LayersPanel::attach(DocumentFrame* frame) {
    if (frame == frame_ && frame)
        return;
    detach();
    frame_ = frame;
    if (frame_) {
        frameConnections_ = {
            connect(frame_, &DocumentFrame::documentChanged, this, &LayersPanel::sync),
            connect(frame_, &DocumentFrame::stateChanged, this, &LayersPanel::sync),
            // A closed window's document goes with it: the panel lets go first.
            connect(frame_, &DocumentFrame::closing, this, [this] { attach(nullptr); }),
        };
    }
    model_.attach(frame_ ? &frame_->session() : nullptr);
    list_->rowsChanged();
    showSelection();
}

void LayersPanel::detach() {
    for (const QMetaObject::Connection& connection : frameConnections_)
        disconnect(connection);
    frameConnections_.clear();
    frame_ = nullptr;
    model_.attach(nullptr);
}

// ---- document to panel ----

void LayersPanel::sync() {
    if (!frame_)
        return;
    model_.refresh();
    list_->rowsChanged();
    showSelection();
}

void LayersPanel::showSelection() {
    const LayerControlsState state = model_.controls();
    if (model_.selectedCount() == 1) {
        const QSignalBlocker modeBlock(mode_);
        const QSignalBlocker opacityBlock(opacity_);
        mode_->setCurrentIndex(state.mode);
        if (const std::optional<int32_t> percent =
                LayersPanelModel::opacityTextFor(state.opacity, opacity_->cleanText().toStdString()))
            opacity_->setValue(*percent);
    }
    mode_->setEnabled(state.enabled);
    opacity_->setEnabled(state.enabled);
    create_->setEnabled(model_.canCreate());
    delete_->setEnabled(model_.canDelete());
}

// ---- panel to document ----

void LayersPanel::send(const std::optional<LayerPanelRequest>& request) {
    if (request)
        send(*request);
}

void LayersPanel::send(const LayerPanelRequest& request) {
    if (!frame_)
        return;
    CommandParams params = request.params;
    if (request.confirm) {
        // The same question as the Layer menu's Delete Layer, about the same layer.
        std::optional<CommandParams> answer = window_.dialogs().ask(kCmdDeleteLayer, &window_, frame_->session());
        if (!answer || !frame_)
            return;
        params = std::move(*answer);
    }
    frame_->executeCommand(request.id, std::move(params));
    // Visibility changes no history, so no state report: the panel looks again itself.
    sync();
    window_.refreshCommandStates();
}

} // namespace pict::qt
