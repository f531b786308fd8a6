#include "app/qt/panels/HistoryPanel.h"

#include "app/qt/window/DocumentFrame.h"
#include "app/qt/window/MainWindow.h"
#include "app/qt/window/PanelToggles.h"
#include "history/HistoryManager.h"

#include <QListWidget>
#include <QMdiArea>

namespace pict::qt {

HistoryPanel* HistoryPanel::install(MainWindow& window) {
    auto* panel = new HistoryPanel(window);
    window.addDockWidget(Qt::RightDockWidgetArea, panel);
    addPanelToggle(window, *panel);
    connect(window.documentArea(), &QMdiArea::subWindowActivated, panel, [panel](QMdiSubWindow* window) {
        panel->attach(qobject_cast<DocumentFrame*>(window));
    });
    // Undo, Redo, Purge, every other command and a new history limit all end here.
    connect(&window, &MainWindow::commandStatesRefreshed, panel, &HistoryPanel::sync);
    panel->attach(window.activeFrame());
    return panel;
}

HistoryPanel::HistoryPanel(MainWindow& window) : QDockWidget(tr("History"), &window), window_(window) {
    setObjectName(QStringLiteral("HistoryPanel"));
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    setWidget(list_);
    connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { walkTo(list_->row(item)); });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { walkTo(list_->row(item)); });
}

void HistoryPanel::attach(DocumentFrame* frame) {
    if (frame == frame_ && frame)
        return;
    disconnect(closing_);
    frame_ = frame;
    if (frame_)
        // A closed window's history goes with it: the panel lets go first.
        closing_ = connect(frame_, &DocumentFrame::closing, this, [this] { attach(nullptr); });
    model_.attach(frame_ ? &frame_->session() : nullptr);
    showRows();
}

void HistoryPanel::sync() {
    if (!walking_ && frame_ && model_.refresh())
        showRows();
}

void HistoryPanel::showRows() {
    const QSignalBlocker block(list_);
    list_->clear();
    const QColor undone = list_->palette().color(QPalette::Disabled, QPalette::Text);
    for (int32_t i = 0; i < model_.rowCount(); ++i) {
        const HistoryRow& row = model_.row(i);
        auto* item = new QListWidgetItem(QString::fromStdString(row.name), list_);
        if (row.undone)
            item->setForeground(undone);
    }
    if (model_.rowCount() > 0) {
        list_->setCurrentRow(model_.currentRow());
        list_->scrollToItem(list_->currentItem());
    }
}

void HistoryPanel::walkTo(int row) {
    const std::optional<HistoryWalk> walk = model_.walkTo(row);
    if (!frame_ || !walk) {
        showRows(); // the click may have moved the highlight off the current row
        return;
    }
    // Step by step through the window's own commands, so that each step reports a failure
    // as the menu's would; a step that fails leaves the history where it was and ends the walk.
    const HistoryManager& history = frame_->session().history();
    walking_ = true;
    for (int32_t i = 0; i < walk->steps && frame_; ++i) {
        const int32_t before = history.position();
        window_.executeCommand(walk->id);
        if (!frame_ || history.position() == before)
            break;
    }
    walking_ = false;
    // Rebuilt even when the history ended where it was: the click moved the highlight.
    model_.refresh();
    showRows();
}

} // namespace pict::qt
