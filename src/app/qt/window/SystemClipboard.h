#pragma once
// The desktop's clipboard as the program's clipboard exchanges pictures with it. Publishing
// puts the picture there at once (as a Qt image, which every Qt program and the desktop's
// converters take); a worker then encodes the PNG with its transparency and the bitmap, and
// replaces the offer with one that carries them while it is still ours. Reading takes the
// PNG first, then a bitmap, then any picture Qt can give. The clipboard is watched, so that
// enabled states need not ask it on every refresh (a query can wait on another program).

#include "app/session/ClipboardExchange.h"

#include <QByteArray>
#include <QImage>
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

    // Waits until the PNG and bitmap of the last publish are on the clipboard (tests).
    void waitForEncoding();

signals:
    // What the clipboard offers changed (here or in another program).
    void changed();

private:
    void refresh();
    void offerEncoded(const QByteArray& token, const QImage& image, const QByteArray& png, const QByteArray& bmp);

    bool offersImage_ = false;
    QByteArray token_; // marks the offer of our last publish
    quint64 published_ = 0;
    QThreadPool encoders_;
};

} // namespace pict::qt
