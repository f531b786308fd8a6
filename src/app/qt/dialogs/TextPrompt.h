#pragma once
// One-value dialogs: a label and a text field (the preset name, the duplicate's name).

#include "app/qt/dialogs/ModalDialog.h"

#include <QString>

#include <optional>

class QLineEdit;

namespace pict::qt {

class TextPromptDialog : public ModalDialog {
    Q_OBJECT
public:
    // note, when not empty, is a line shown above the field.
    TextPromptDialog(const QString& title, const QString& note, const QString& label, const QString& value,
                     QWidget* parent = nullptr);
    QString value() const;
    QLineEdit* field() const { return field_; }

private:
    QLineEdit* field_;
};

// Nothing when cancelled. OK stays disabled while the field is empty.
std::optional<QString> askText(QWidget* parent, const QString& title, const QString& label, const QString& value);
// The "Duplicate Image" dialog: shows the document's name and asks for the copy's.
std::optional<QString> askDuplicateName(QWidget* parent, const QString& documentName);
QString proposedDuplicateName(const QString& documentName);

} // namespace pict::qt
