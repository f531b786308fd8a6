#pragma once
// The "Info" dock: the seven fields of an InfoPanelModel as label and value pairs. Document
// windows feed the model through their canvas widgets, the Swatches panel while the pointer
// passes over a cell, and the marquee with the size of the rectangle it drags.

#include "canvas/InfoPanelModel.h"

#include <QDockWidget>

#include <array>

class QLabel;

namespace pict::qt {

class InfoPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit InfoPanel(QWidget* parent = nullptr);

    InfoPanelModel& model() { return model_; }
    // The text a field shows now.
    QString fieldText(InfoField field) const;

private:
    void refresh();

    InfoPanelModel model_;
    std::array<QLabel*, kInfoFieldCount> values_{};
};

} // namespace pict::qt
