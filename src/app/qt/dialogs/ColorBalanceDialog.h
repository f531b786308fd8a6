#pragma once
// "Color Balance": three sliders between "Cyan"/"Red", "Magenta"/"Green" and "Yellow"/"Blue"
// for the tone chosen under "Tone Balance", and "Preserve &Luminosity".

#include "app/dialogs/adjustments/ColorAdjustmentModels.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

#include <array>

class QButtonGroup;
class QCheckBox;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class LinkedSlider;

class ColorBalanceDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    ColorBalanceDialog(ColorBalanceDialogModel& model, QWidget* parent = nullptr);

protected:
    void showValues() override;

private:
    ColorBalanceDialogModel& model_;
    std::array<LinkedSlider*, 3> axes_{};
    QButtonGroup* tones_;
    QCheckBox* preserveLuminosity_;
};

std::optional<CommandParams> askColorBalance(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
