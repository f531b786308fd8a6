#pragma once
// "Brightness/Contrast": "&Brightness:" and "&Contrast:", each a field over a slider.

#include "app/dialogs/adjustments/ColorAdjustmentModels.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class LinkedSlider;

class BrightnessContrastDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    BrightnessContrastDialog(BrightnessContrastDialogModel& model, QWidget* parent = nullptr);

protected:
    void showValues() override;

private:
    BrightnessContrastDialogModel& model_;
    LinkedSlider* brightness_;
    LinkedSlider* contrast_;
};

std::optional<CommandParams> askBrightnessContrast(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
