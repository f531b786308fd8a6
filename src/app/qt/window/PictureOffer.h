#pragma once
// The picture this program offers on the desktop's clipboard. It names its formats the moment
// Copy runs, and a worker converts the pixels and encodes the PNG and the bitmap afterwards:
// for a photo that takes longer than a key press may. A program that asks for a format before
// the worker has made it waits for it; replacing the offer cancels the work still pending.

#include <QByteArray>
#include <QMimeData>

#include <memory>

class QThreadPool;

namespace pict {
struct PixelPiece;
}

namespace pict::qt {

struct OfferEncoding;

class PictureOffer final : public QMimeData {
    Q_OBJECT
public:
    // Marks an offer as this process's own copy, so that Paste can take the exact pixels and
    // their origin from the program's clipboard instead of decoding the published picture.
    static constexpr char kOwnFormat[] = "application/x-pictorane-copy";

    // piece is shared read-only with the worker, which workers runs the encoding on.
    PictureOffer(std::shared_ptr<const PixelPiece> piece, QByteArray token, QThreadPool& workers);
    ~PictureOffer() override;

    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    std::shared_ptr<OfferEncoding> encoding_;
    QByteArray token_;
};

} // namespace pict::qt
