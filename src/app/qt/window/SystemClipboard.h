#pragma once
// The editor's clipboard: the system clipboard, watched so that enabled states need not ask
// it on every refresh (a query can wait on another program), and emptied by the purge
// commands. It is the ClipboardStore the command layer sees.

#include "app/session/ClipboardStore.h"

#include <QObject>

class QImage;

namespace pict::qt {

class SystemClipboard final : public QObject, public ClipboardStore {
    Q_OBJECT
public:
    explicit SystemClipboard(QObject* parent = nullptr);

    bool hasImage() const override { return hasImage_; }
    // The system clipboard is emptied, which also frees any picture this program placed on
    // it; the program keeps no copied pixels anywhere else.
    void clear() override;
    // The picture on the clipboard; null when there is none.
    QImage image() const;

signals:
    // What the clipboard offers changed (here or in another program).
    void changed();

private:
    void refresh();

    bool hasImage_ = false;
};

} // namespace pict::qt
