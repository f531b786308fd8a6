#pragma once
// "Curves": "&Channel:", the curve graph, and the "Input:"/"Output:" readouts.

#include "app/dialogs/adjustments/CurvesDialogModel.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

class QComboBox;
class QLabel;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class CurveGraph;

class CurvesDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    CurvesDialog(CurvesDialogModel& model, QWidget* parent = nullptr);

    CurveGraph* graph() const { return graph_; }

protected:
    void showValues() override;

private:
    CurvesDialogModel& model_;
    QComboBox* channel_;
    CurveGraph* graph_;
    QLabel* input_;
    QLabel* output_;
};

std::optional<CommandParams> askCurves(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
