#pragma once
// The "Layers" dock of the main window: the mode list and opacity edit, the layer list and
// the two buttons over a LayersPanelModel. It follows the active document window; every
// change it asks for goes to that window's command layer as a layer notification.

#include "app/panels/LayersPanelModel.h"

#include <QDockWidget>
#include <QPointer>

#include <vector>

class QAction;
class QComboBox;
class QSpinBox;

namespace pict::qt {

class DocumentFrame;
class LayerListWidget;
class MainWindow;

class LayersPanel : public QDockWidget {
    Q_OBJECT
public:
    // Docks a panel at the window's right, puts its toggle into the View menu and makes it
    // follow the window's active document.
    static LayersPanel* install(MainWindow& window);

    explicit LayersPanel(MainWindow& window);
    ~LayersPanel() override;

    // The document window shown, or none.
    void attach(DocumentFrame* frame);
    DocumentFrame* frame() const { return frame_; }

    const LayersPanelModel& model() const { return model_; }
    LayerListWidget* list() const { return list_; }
    QComboBox* modeList() const { return mode_; }
    QSpinBox* opacityEdit() const { return opacity_; }
    QAction* createAction() const { return create_; }
    QAction* deleteAction() const { return delete_; }

private:
    // document to panel
    void sync();
    void showSelection();
    // panel to document
    void send(const LayerPanelRequest& request);
    void send(const std::optional<LayerPanelRequest>& request);

    void detach();
    QWidget* buildBody();

    MainWindow& window_;
    LayersPanelModel model_;
    QPointer<DocumentFrame> frame_;
    std::vector<QMetaObject::Connection> frameConnections_;
    LayerListWidget* list_ = nullptr;
    QComboBox* mode_ = nullptr;
    QSpinBox* opacity_ = nullptr;
    QAction* create_ = nullptr;
    QAction* delete_ = nullptr;
};

} // namespace pict::qt
