#pragma once
// The Layer menu's dialogs: New Layer, Duplicate Layer, Layer Properties and the delete
// confirmation.

#include "app/qt/dialogs/ModalDialog.h"

#include "app/commands/DocumentCommands.h"

#include <optional>

class QComboBox;
class QLineEdit;

namespace pict::qt {

class CommandDialogs;

class NewLayerDialog : public ModalDialog {
    Q_OBJECT
public:
    explicit NewLayerDialog(const LayerParams& start, QWidget* parent = nullptr);
    // None while the opacity text is refused.
    std::optional<LayerParams> answer() const;

    QLineEdit* nameField() const { return name_; }
    QComboBox* modeList() const { return mode_; }
    QLineEdit* opacityField() const { return opacity_; }

private:
    QLineEdit* name_;
    QComboBox* mode_;
    QLineEdit* opacity_;
};

void registerLayerDialogs(CommandDialogs& dialogs);

} // namespace pict::qt
