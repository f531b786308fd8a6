#pragma once
// The host of every adjustment dialog: the controls of its model on the left, OK, Cancel
// (Reset while Alt is held) and "&Preview" on the right. The dialog drives the model's
// preview on the document while it is open; closing it with OK leaves the command's answer.

#include "app/dialogs/adjustments/AdjustmentDialogModel.h"
#include "app/qt/dialogs/ModalDialog.h"

#include <QRect>

#include <optional>

class QCheckBox;
class QTimer;
class QVBoxLayout;

namespace pict::qt {

class AdjustmentDialog : public ModalDialog {
    Q_OBJECT
public:
    AdjustmentDialog(AdjustmentDialogModel& model, const QString& title, QWidget* parent);
    // Stops the preview's worker, which must not call back into a dialog that is gone.
    ~AdjustmentDialog() override;

    QCheckBox* previewBox() const { return preview_; }
    // What OK confirmed; nothing before OK or after Cancel.
    const std::optional<CommandParams>& answer() const { return answer_; }
    // Reset as Alt+Cancel runs it.
    void pressReset() { reset(); }

    void done(int result) override;

protected:
    // Where the subclass puts its controls.
    QVBoxLayout* body() const { return body_; }
    // The model's values into the controls (after Reset, a channel or mode change).
    virtual void showValues() = 0;
    void reset() override;
    // A value changed: a dragged slider (a mouse button is down) previews at once, letting
    // the running preview finish; typing into a field waits for a pause; anything else
    // previews at once.
    void valuesChanged();
    // The dialog reopens where it was last closed during this run; the first time it is
    // centred over its owner.
    void keepPlacement(std::optional<QRect>* memory);
    void showEvent(QShowEvent* event) override;

private:
    AdjustmentDialogModel& model_;
    QVBoxLayout* body_;
    QCheckBox* preview_;
    std::optional<CommandParams> answer_;
    std::optional<QRect>* placement_ = nullptr;
    QTimer* typingPause_;
};

// Shows a dialog built over its model and hands back the answer; the modal loop runs while
// the preview changes the document, so the canvas repaints behind the dialog.
template <class Dialog, class Model>
std::optional<CommandParams> runAdjustmentDialog(Model& model, QWidget* parent) {
    Dialog dialog(model, parent);
    dialog.exec();
    return dialog.answer();
}

} // namespace pict::qt
