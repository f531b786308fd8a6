#pragma once
// The "History" dock of the main window: a list of the active document's origin and states
// over a HistoryPanelModel, the current one selected and the undone ones grayed. A click on
// a row undoes or redoes to it through the document window's commands.

#include "app/panels/HistoryPanelModel.h"

#include <QDockWidget>
#include <QPointer>

class QListWidget;

namespace pict::qt {

class DocumentFrame;
class MainWindow;

class HistoryPanel : public QDockWidget {
    Q_OBJECT
public:
    // Docks a panel at the window's right, puts its toggle into the View menu and makes it
    // follow the window's active document and every command the window runs.
    static HistoryPanel* install(MainWindow& window);

    explicit HistoryPanel(MainWindow& window);

    // The document window shown, or none.
    void attach(DocumentFrame* frame);
    DocumentFrame* frame() const { return frame_; }

    const HistoryPanelModel& model() const { return model_; }
    QListWidget* list() const { return list_; }

    // Looks at the history again; the list is rebuilt only when it changed.
    void sync();

private:
    void showRows();
    void walkTo(int row);

    MainWindow& window_;
    HistoryPanelModel model_;
    QPointer<DocumentFrame> frame_;
    QMetaObject::Connection closing_;
    QListWidget* list_ = nullptr;
    bool walking_ = false; // one rebuild after a walk, not one per step
};

} // namespace pict::qt
