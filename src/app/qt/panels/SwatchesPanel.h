#pragma once
// The "Swatches" dock: a thin host of SwatchesPanelModel. The grid area shows the model's
// pixels and passes it the pointer and the scroll bar; the toolbar holds the current-color
// indicator and the "Create a new swatch" and "Delete swatch" buttons.

#include "app/panels/SwatchesPanelModel.h"

#include <QDockWidget>

class QAbstractScrollArea;
class QAction;
class QLabel;

namespace pict::qt {

class SwatchesPanel : public QDockWidget {
    Q_OBJECT
public:
    // The picked colors go into `app`; `info` (may be null) shows the color under the pointer.
    SwatchesPanel(ApplicationContext& app, InfoPanelModel* info, QWidget* parent = nullptr);

    SwatchesPanelModel& model() { return model_; }
    // The area the cells are drawn in, in the model's client coordinates.
    QWidget* gridArea() const;
    QAction* buttonAction(uint16_t id) const;
    // Redraws the indicator after the current colors changed elsewhere.
    void currentColorsChanged();

signals:
    // A swatch became the foreground or background color.
    void colorPicked();

private:
    void runButton(uint16_t id);
    void gridPressed(Point at, bool ctrl);

    ApplicationContext& app_;
    SwatchesPanelModel model_;
    QAbstractScrollArea* grid_ = nullptr;
    QAction* newSwatch_ = nullptr;
    QAction* deleteSwatch_ = nullptr;
    QLabel* indicator_ = nullptr;
};

} // namespace pict::qt
