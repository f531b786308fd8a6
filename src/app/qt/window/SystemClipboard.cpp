#include "app/qt/window/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

namespace pict::qt {

SystemClipboard::SystemClipboard(QObject* parent) : QObject(parent) {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &SystemClipboard::refresh);
    refresh();
}

void SystemClipboard::refresh() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    hasImage_ = data && data->hasImage();
    emit changed();
}

void SystemClipboard::clear() {
    QGuiApplication::clipboard()->clear();
    // Some platforms report the change only later; the purge has happened now.
    if (hasImage_) {
        hasImage_ = false;
        emit changed();
    }
}

QImage SystemClipboard::image() const {
    if (!hasImage_)
        return {};
    return QGuiApplication::clipboard()->image();
}

} // namespace pict::qt
