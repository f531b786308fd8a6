#include "app/qt/window/PictureOffer.h"

#include "app/qt/window/ClipboardImage.h"
#include "document/PixelPiece.h"

#include <QBuffer>
#include <QImage>
#include <QThreadPool>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace pict::qt {

namespace {

constexpr char kQtImage[] = "application/x-qt-image";
constexpr char kPng[] = "image/png";
constexpr char kBmp[] = "image/bmp";
// A clipboard picture lives until the next copy: a paste elsewhere waits less for a PNG
// compressed fast than it would gain from one compressed small.
constexpr int kFastPng = 80;

// Refuses every write once the offer is cancelled, so that an encoder stops at its next write.
class CancellableBuffer final : public QBuffer {
public:
    CancellableBuffer(QByteArray* bytes, const std::atomic<bool>& cancelled) : QBuffer(bytes), cancelled_(cancelled) {}

protected:
    qint64 writeData(const char* data, qint64 length) override {
        return cancelled_.load(std::memory_order_relaxed) ? -1 : QBuffer::writeData(data, length);
    }

private:
    const std::atomic<bool>& cancelled_;
};

} // namespace

// What the worker has made so far, in the order other programs most often ask for it.
struct OfferEncoding {
    enum Stage { Queued, Converted, PngEncoded, Finished };

    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable advanced;
    Stage stage = Queued;
    QImage image;
    QByteArray png;
    QByteArray bmp;

    // quality: Qt's scale, which for PNG chooses the compression level (80: zlib's fastest).
    QByteArray encoded(const QImage& picture, const char* format, int quality = -1) const {
        QByteArray bytes;
        CancellableBuffer buffer(&bytes, cancelled);
        buffer.open(QIODevice::WriteOnly);
        if (picture.isNull() || !picture.save(&buffer, format, quality))
            return {};
        return bytes;
    }

    // Stores what a stage made and lets those waiting for it go on.
    template <class Made>
    void reach(Stage next, Made& field, Made made) {
        {
            std::lock_guard lock(mutex);
            field = std::move(made);
            stage = next;
        }
        advanced.notify_all();
    }

    // On the worker. Every stage is reached even when cancelled, so that nobody waits forever.
    void run(const PixelPiece* piece) {
        QImage picture = cancelled || !piece ? QImage() : imageFromPiece(*piece);
        reach(Converted, image, picture);
        // A cancelled offer has no picture to encode, or stops at the encoder's next write.
        reach(PngEncoded, png, encoded(picture, "PNG", kFastPng));
        reach(Finished, bmp, encoded(picture, "BMP"));
    }

    // Waits until the worker has passed wanted.
    void waitFor(Stage wanted) {
        std::unique_lock lock(mutex);
        advanced.wait(lock, [&] { return stage >= wanted; });
    }
};

PictureOffer::PictureOffer(std::shared_ptr<const PixelPiece> piece, QByteArray token, QThreadPool& workers)
    : encoding_(std::make_shared<OfferEncoding>()), token_(std::move(token)) {
    workers.start([encoding = encoding_, piece = std::move(piece)] { encoding->run(piece.get()); });
}

PictureOffer::~PictureOffer() {
    encoding_->cancelled = true;
}

QStringList PictureOffer::formats() const {
    return {QString::fromLatin1(kOwnFormat), QString::fromLatin1(kPng), QString::fromLatin1(kBmp),
            QString::fromLatin1(kQtImage)};
}

QVariant PictureOffer::retrieveData(const QString& mimeType, QMetaType type) const {
    OfferEncoding& encoding = *encoding_;
    if (mimeType == QLatin1String(kOwnFormat))
        return token_;
    if (mimeType == QLatin1String(kQtImage) && type.id() == QMetaType::QImage) {
        encoding.waitFor(OfferEncoding::Converted);
        return encoding.image;
    }
    // Qt's own image type asked for as bytes is a PNG too.
    if (mimeType == QLatin1String(kPng) || mimeType == QLatin1String(kQtImage)) {
        encoding.waitFor(OfferEncoding::PngEncoded);
        return encoding.png;
    }
    if (mimeType == QLatin1String(kBmp)) {
        encoding.waitFor(OfferEncoding::Finished);
        return encoding.bmp;
    }
    // Any other picture format is made by Qt from the image.
    return {};
}

} // namespace pict::qt
