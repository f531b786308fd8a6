#pragma once
// "Levels": "&Channel:", "&Input Levels:" (black, gamma, white, with the histogram and its
// three handles) and "&Output Levels:" (black and white with two handles).

#include "app/dialogs/adjustments/LevelsDialogModel.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class HistogramView;
class LevelBar;

class LevelsDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    LevelsDialog(LevelsDialogModel& model, QWidget* parent = nullptr);

protected:
    void showValues() override;

private:
    void inputHandleDragged(int handle, int level);
    void outputHandleDragged(int handle, int level);

    LevelsDialogModel& model_;
    QComboBox* channel_;
    QSpinBox* inputBlack_;
    QDoubleSpinBox* gamma_;
    QSpinBox* inputWhite_;
    QSpinBox* outputBlack_;
    QSpinBox* outputWhite_;
    HistogramView* histogram_;
    LevelBar* inputBar_;
    LevelBar* outputBar_;
};

// Counts the active layer within the selection first; when the selection misses the layer
// there is nothing to adjust and no dialog opens.
std::optional<CommandParams> askLevels(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
