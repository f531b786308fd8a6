#include "app/qt/dialogs/TextPrompt.h"

#include "app/qt/window/MessageBoxes.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pict::qt {

TextPromptDialog::TextPromptDialog(const QString& title, const QString& note, const QString& label,
                                   const QString& value, QWidget* parent)
    : ModalDialog(parent), field_(new QLineEdit(value, this)) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    if (!note.isEmpty()) {
        // A long document name wraps rather than stretching the dialog.
        auto* noteLabel = new QLabel(withBreakOpportunities(note), this);
        noteLabel->setTextFormat(Qt::PlainText);
        noteLabel->setWordWrap(true);
        layout->addWidget(noteLabel);
    }
    // Room for a name of ordinary length without scrolling.
    field_->setMinimumWidth(field_->fontMetrics().averageCharWidth() * 36);
    auto* form = new QFormLayout;
    form->addRow(label, field_);
    layout->addLayout(form);
    layout->addWidget(buttons());
    field_->selectAll();
    auto updateOk = [this] { okButton()->setEnabled(!field_->text().trimmed().isEmpty()); };
    connect(field_, &QLineEdit::textChanged, this, updateOk);
    updateOk();
}

QString TextPromptDialog::value() const { return field_->text().trimmed(); }

std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label, const QString& value) {
    TextPromptDialog dialog(title, {}, label, value, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

QString proposedDuplicateName(const QString& documentName) { return documentName + QStringLiteral(" copy"); }

std::optional<QString> askDuplicateName(QWidget* parent, const QString& documentName) {
    TextPromptDialog dialog(QStringLiteral("Duplicate Image"), QStringLiteral("Duplicate: %1").arg(documentName),
                            QStringLiteral("As:"), proposedDuplicateName(documentName), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

} // namespace pict::qt
