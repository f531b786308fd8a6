#pragma once
// "Gaussian Blur": "&Radius:" in "pixels" with its slider, and on the left the preview pane
// that shows the active layer (which the preview has already blurred) at a zoom of its own.
// The dialog reopens where it was last closed during this run.

#include "app/dialogs/adjustments/GaussianBlurDialogModel.h"
#include "app/qt/dialogs/AdjustmentDialog.h"

class QLineEdit;
class QSlider;

namespace pict {
class DocumentSession;
}

namespace pict::qt {

class PreviewPane;

class GaussianBlurDialog : public AdjustmentDialog {
    Q_OBJECT
public:
    // pane: the pane to show on the left, or null for none; the dialog takes it.
    GaussianBlurDialog(GaussianBlurDialogModel& model, PreviewPane* pane, QWidget* parent = nullptr);

    QLineEdit* radiusField() const { return radius_; }
    QSlider* radiusSlider() const { return slider_; }
    PreviewPane* pane() const { return pane_; }

protected:
    void showValues() override;

private:
    void textEdited(const QString& text);
    void updateOk();

    GaussianBlurDialogModel& model_;
    PreviewPane* pane_;
    QLineEdit* radius_;
    QSlider* slider_;
};

std::optional<CommandParams> askGaussianBlur(QWidget* parent, DocumentSession& session);

} // namespace pict::qt
