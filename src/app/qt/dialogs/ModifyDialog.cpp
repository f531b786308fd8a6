#include "app/qt/dialogs/ModifyDialog.h"

#include "app/qt/dialogs/DialogText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pict::qt {

ModifyDialog::ModifyDialog(ModifyDialogKind kind, const ModifyDialogMemory& memory, QWidget* parent)
    : ModalDialog(parent), kind_(kind),
      field_(new QLineEdit(QString::fromStdString(initialModifyText(kind, memory)), this)) {
    const ModifyDialogSpec& spec = modifyDialogSpec(kind);
    setWindowTitle(uiText(spec.caption));
    field_->setObjectName(QStringLiteral("value"));
    field_->setMaxLength(8);
    field_->setFixedWidth(field_->fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) + 16);
    field_->selectAll();

    auto* row = new QGridLayout;
    auto* label = new QLabel(uiText(spec.label), this);
    label->setBuddy(field_);
    row->addWidget(label, 0, 0);
    row->addWidget(field_, 0, 1);
    row->addWidget(new QLabel(tr("pixels"), this), 0, 2);
    row->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    auto updateOk = [this] { okButton()->setEnabled(parseModifyValue(kind_, field_->text().toStdString()).has_value()); };
    connect(field_, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

std::optional<CommandParams> ModifyDialog::confirm(ModifyDialogMemory& memory) const {
    return confirmModifyDialog(kind_, field_->text().toStdString(), memory);
}

std::optional<CommandParams> askModify(QWidget* parent, ModifyDialogKind kind, ModifyDialogMemory& memory) {
    ModifyDialog dialog(kind, memory, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.confirm(memory);
}

} // namespace pict::qt
