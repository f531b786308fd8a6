#pragma once
// Keeps the one-key tool shortcuts (B, E, X, ...) out of text fields: while a line edit,
// spin box or text editor has the focus, a plain key press goes to it as typing instead of
// choosing a tool.

#include <QObject>

namespace pict::qt {

class TextFieldKeys : public QObject {
public:
    // Watches the whole application while it lives; parent owns it.
    explicit TextFieldKeys(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace pict::qt
