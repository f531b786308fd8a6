#include "app/qt/window/SystemClipboard.h"

#include "app/qt/window/ClipboardImage.h"
#include "document/PixelPiece.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace pict::qt {

namespace {

// Marks an offer as this process's own copy, so that Paste can take the exact pixels and their
// origin from the program's clipboard instead of decoding the published picture.
constexpr char kOwnFormat[] = "application/x-pictorane-copy";
constexpr char kPng[] = "image/png";
constexpr char kBmp[] = "image/bmp";
constexpr const char* kBitmapFormats[] = {"image/bmp", "image/x-bmp", "image/x-MS-bmp", "image/x-win-bitmap"};

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        return {};
    return bytes;
}

bool offersPicture(const QMimeData* data) {
    if (!data)
        return false;
    if (data->hasImage())
        return true;
    for (const QString& format : data->formats())
        if (format.startsWith(QLatin1String("image/")))
            return true;
    return false;
}

} // namespace

SystemClipboard::SystemClipboard(QObject* parent) : QObject(parent) {
    encoders_.setMaxThreadCount(1);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &SystemClipboard::refresh);
    refresh();
}

SystemClipboard::~SystemClipboard() {
    encoders_.waitForDone();
}

void SystemClipboard::refresh() {
    offersImage_ = offersPicture(QGuiApplication::clipboard()->mimeData());
    emit changed();
}

void SystemClipboard::publish(std::shared_ptr<const PixelPiece> piece) {
    if (!piece)
        return;
    const QImage image = imageFromPiece(*piece);
    if (image.isNull())
        return;
    token_ = QByteArray::number(QCoreApplication::applicationPid()) + '-' + QByteArray::number(++published_);
    auto* data = new QMimeData;
    data->setImageData(image);
    data->setData(kOwnFormat, token_);
    QGuiApplication::clipboard()->setMimeData(data);
    // Compressing a large picture takes longer than a key press may: a worker does it, and the
    // offer is completed only if nothing replaced it meanwhile.
    const QByteArray token = token_;
    encoders_.start([this, token, image] {
        const QByteArray png = encoded(image, "PNG");
        const QByteArray bmp = encoded(image.convertToFormat(QImage::Format_ARGB32), "BMP");
        QMetaObject::invokeMethod(
            this, [this, token, image, png, bmp] { offerEncoded(token, image, png, bmp); }, Qt::QueuedConnection);
    });
}

void SystemClipboard::offerEncoded(const QByteArray& token, const QImage& image, const QByteArray& png,
                                   const QByteArray& bmp) {
    if (token != token_ || !holdsOwnPicture())
        return;
    auto* data = new QMimeData;
    if (!png.isEmpty())
        data->setData(kPng, png);
    if (!bmp.isEmpty())
        data->setData(kBmp, bmp);
    data->setImageData(image);
    data->setData(kOwnFormat, token);
    QGuiApplication::clipboard()->setMimeData(data);
}

void SystemClipboard::waitForEncoding() {
    encoders_.waitForDone();
    QCoreApplication::processEvents();
}

bool SystemClipboard::holdsOwnPicture() const {
    if (token_.isEmpty())
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(kOwnFormat) && data->data(kOwnFormat) == token_;
}

bool SystemClipboard::readImage(PixelPiece& piece) const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    QImage image;
    if (data->hasFormat(kPng))
        image = QImage::fromData(data->data(kPng), "PNG");
    for (const char* format : kBitmapFormats)
        if (image.isNull() && data->hasFormat(format))
            image = QImage::fromData(data->data(format), "BMP");
    if (image.isNull() && data->hasImage())
        image = qvariant_cast<QImage>(data->imageData());
    return pieceFromImage(image, piece);
}

void SystemClipboard::clear() {
    token_.clear();
    QGuiApplication::clipboard()->clear();
    // Some platforms report the change only later; the purge has happened now.
    if (offersImage_) {
        offersImage_ = false;
        emit changed();
    }
}

} // namespace pict::qt
