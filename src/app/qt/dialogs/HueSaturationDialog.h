#pragma once
// "Hue/Saturation": "&Edit:" (Master and the six ranges), "&Hue:", "S&aturation:",
// "L&ightness:" and "C&olorize", which turns the sliders into those of the Colorize filter.

#include "app/dialogs/adjustments/HueSaturationDialogModel.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

#include <array>

class QCheckBox;
class QComboBox;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class LinkedSlider;

class HueSaturationDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    HueSaturationDialog(HueSaturationDialogModel& model, QWidget* parent = nullptr);

protected:
    void showValues() override;

private:
    HueSaturationDialogModel& model_;
    QComboBox* edit_;
    std::array<LinkedSlider*, HueSaturationDialogModel::kFieldCount> fields_{};
    QCheckBox* colorize_;
};

std::optional<CommandParams> askHueSaturation(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
