#pragma once
// The models below the user interface hold their texts as UTF-8; the dialogs show them.

#include <QLabel>
#include <QString>

#include <string_view>

namespace pict::qt {

inline QString uiText(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
inline std::string modelText(const QString& text) { return text.toStdString(); }

// A form label for a row whose field sits inside a layout, so that its mnemonic still works.
inline QLabel* buddyLabel(const QString& text, QWidget* field) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    return label;
}

} // namespace pict::qt
