#pragma once
// The one-value dialogs of Select > Modify and Feather: a label, an edit box and the unit
// "pixels". OK is enabled only while the text is a number within the dialog's range.

#include "app/dialogs/ModifyDialogModel.h"
#include "app/qt/dialogs/ModalDialog.h"

#include <optional>

class QLineEdit;

namespace pict::qt {

class ModifyDialog : public ModalDialog {
    Q_OBJECT
public:
    ModifyDialog(ModifyDialogKind kind, const ModifyDialogMemory& memory, QWidget* parent = nullptr);
    QLineEdit* field() const { return field_; }
    // The command's record (and the memory updated) once confirmed; none for refused text.
    std::optional<CommandParams> confirm(ModifyDialogMemory& memory) const;

private:
    ModifyDialogKind kind_;
    QLineEdit* field_;
};

std::optional<CommandParams> askModify(QWidget* parent, ModifyDialogKind kind, ModifyDialogMemory& memory);

} // namespace pict::qt
