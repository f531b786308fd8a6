#pragma once
// The desktop's clipboard as the program's clipboard exchanges pictures with it. Publishing
// offers the picture there at once, as a PNG with its transparency, a bitmap and a Qt image,
// whose bytes a worker makes afterwards (PictureOffer). Reading takes the PNG first, then a
// bitmap, then any picture Qt can give. The clipboard is watched, so that
// enabled states need not ask it on every refresh (a query can wait on another program).

#include "app/session/ClipboardExchange.h"

#include <QByteArray>
#include <QObject>
#include <QThreadPool>

namespace pict::qt {

class SystemClipboard final : public QObject, public ClipboardExchange {
    Q_OBJECT
public:
    explicit SystemClipboard(QObject* parent = nullptr);
    ~SystemClipboard() override;

    void publish(std::shared_ptr<const PixelPiece> piece) override;
    bool offersImage() const override { return offersImage_; }
    bool holdsOwnPicture() const override;
    bool readImage(PixelPiece& piece) const override;
    void clear() override;

    // Waits until the PNG and bitmap of the last publish are made (tests, benchmarks).
    void waitForEncoding();

signals:
    // What the clipboard offers changed (here or in another program).
    void changed();

private:
    void refresh();

    bool offersImage_ = false;
    QByteArray token_; // marks the offer of our last publish
    quint64 published_ = 0;
    QThreadPool encoders_;
};

} // namespace pict::qt
