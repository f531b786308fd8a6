#pragma once
// The base of the editor's modal dialogs. While Alt is held down over the active dialog its
// Cancel button reads "Reset"; pressing it then runs reset() and the dialog stays open.
// Every dialog opens with its first text field focused and its text selected, so that typing
// replaces the value; Enter presses OK and Escape cancels.

#include <QDialog>

class QDialogButtonBox;
class QPushButton;

namespace pict::qt {

class ModalDialog : public QDialog {
    Q_OBJECT
public:
    explicit ModalDialog(QWidget* parent = nullptr);

    // OK and Cancel, to be placed by the subclass at the bottom of its layout.
    QDialogButtonBox* buttons() const { return buttons_; }
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;
    bool cancelReadsReset() const { return resetMode_; }

protected:
    // Restores the dialog's default values; dialogs without defaults keep the base's no-op.
    virtual void reset() {}
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void pollAltKey();
    void cancelPressed();
    void focusFirstField();

    QDialogButtonBox* buttons_;
    int pollTimer_ = 0;
    bool resetMode_ = false;
};

} // namespace pict::qt
