#pragma once
// The models below the user interface hold their texts as UTF-8; the dialogs show them.

#include <QString>

#include <string_view>

namespace pict::qt {

inline QString uiText(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
inline std::string modelText(const QString& text) { return text.toStdString(); }

} // namespace pict::qt
