#include "app/qt/window/SystemClipboard.h"

#include "app/qt/window/ClipboardImage.h"
#include "app/qt/window/PictureOffer.h"
#include "document/PixelPiece.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace pict::qt {

namespace {

constexpr char kPng[] = "image/png";
constexpr const char* kBitmapFormats[] = {"image/bmp", "image/x-bmp", "image/x-MS-bmp", "image/x-win-bitmap"};

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
    if (!piece || piece->isEmpty())
        return;
    token_ = QByteArray::number(QCoreApplication::applicationPid()) + '-' + QByteArray::number(++published_);
    QGuiApplication::clipboard()->setMimeData(new PictureOffer(std::move(piece), token_, encoders_));
}

void SystemClipboard::waitForEncoding() {
    encoders_.waitForDone();
    QCoreApplication::processEvents();
}

bool SystemClipboard::holdsOwnPicture() const {
    if (token_.isEmpty())
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(PictureOffer::kOwnFormat) && data->data(PictureOffer::kOwnFormat) == token_;
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
