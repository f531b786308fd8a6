#pragma once
// "Fill": a thin host over FillDialogModel: contents with a swatch, blend mode, opacity and
// the transparency lock.

#include "app/dialogs/FillDialogModel.h"
#include "app/qt/dialogs/ModalDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace pict::qt {

class ColorButton;

class FillDialog : public ModalDialog {
    Q_OBJECT
public:
    // foreground and background are the colors the first two choices stand for; the lock is
    // offered only when preserveEnabled (not on a background layer).
    FillDialog(const FillDialogMemory& memory, Color foreground, Color background, bool preserveEnabled,
               QWidget* parent = nullptr);
    // OK: the memory takes the values and the command receives the record.
    FillParams confirm(FillDialogMemory& memory) const;

    QComboBox* contentsList() const { return contents_; }
    ColorButton* swatch() const { return swatch_; }
    QComboBox* modeList() const { return mode_; }
    QLineEdit* opacityField() const { return opacity_; }
    QCheckBox* preserveBox() const { return preserve_; }

private:
    void refresh();

    Color foreground_;
    Color background_;
    Color customColor_;
    bool preserveEnabled_;
    QComboBox* contents_;
    ColorButton* swatch_;
    QComboBox* mode_;
    QLineEdit* opacity_;
    QCheckBox* preserve_;
    bool refreshing_ = false;
};

} // namespace pict::qt

namespace pict::qt {

class CommandDialogs;

// The dialog remembers its values as long as `dialogs` lives.
void registerFillDialog(CommandDialogs& dialogs);

} // namespace pict::qt
