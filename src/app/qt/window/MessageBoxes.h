#pragma once
// The editor's message boxes. A plain QMessageBox wraps only at spaces, so a message naming a
// long path grows as wide as the path; these boxes may also break inside long words (after a
// path separator where there is one), and show and copy exactly the text they were given.

#include <QMessageBox>

#include <memory>

namespace pict::qt {

class MessageBox final : public QMessageBox {
    Q_OBJECT
public:
    MessageBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons, QWidget* parent);

    // The message as given, without the invisible break points the label carries.
    const QString& message() const { return message_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString message_;
};

// Shows a modal box and returns the button chosen.
QMessageBox::StandardButton showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The text with zero-width spaces where a line may break: after every '/' or '\\' in a word,
// and inside any stretch of more than maxRun characters that still has no place to break.
QString withBreakOpportunities(const QString& text, int maxRun = 32);

} // namespace pict::qt
