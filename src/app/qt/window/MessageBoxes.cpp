#include "app/qt/window/MessageBoxes.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace pict::qt {
namespace {

constexpr QChar kZeroWidthSpace(0x200B);

bool breaksLine(QChar c) { return c.isSpace() || c == kZeroWidthSpace; }

} // namespace

QString withBreakOpportunities(const QString& text, int maxRun) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    int run = 0; // characters since the last place the line could break
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A surrogate pair is one character; never break between its halves.
        if (run >= maxRun && !breaksLine(c) && !c.isLowSurrogate()) {
            out += kZeroWidthSpace;
            run = 0;
        }
        out += c;
        if (breaksLine(c)) {
            run = 0;
        } else if (c == u'/' || c == u'\\') {
            out += kZeroWidthSpace;
            run = 0;
        } else {
            ++run;
        }
    }
    return out;
}

MessageBox::MessageBox(Icon icon, const QString& caption, const QString& text, StandardButtons buttons,
                       QWidget* parent)
    : QMessageBox(icon, caption, withBreakOpportunities(text), buttons, parent), message_(text) {
    setTextFormat(Qt::PlainText);
}

void MessageBox::keyPressEvent(QKeyEvent* event) {
    // Copying gives the message as written, not the label's break points.
    if (event == QKeySequence::Copy) {
        QGuiApplication::clipboard()->setText(message_);
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

QMessageBox::StandardButton showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) {
    MessageBox box(icon, caption, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int chosen = box.exec();
    return chosen == -1 ? QMessageBox::Cancel : static_cast<QMessageBox::StandardButton>(chosen);
}

} // namespace pict::qt
