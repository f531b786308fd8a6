#include "app/qt/DocumentFiles.h"

// TEMPORARY: reads through Qt's own image readers and refuses to write, until the codecs'
// document loading and saving is available; then this file becomes a thin forward to them.

#include "app/qt/ClipboardImage.h"
#include "document/Document.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace pict::qt {

std::unique_ptr<Document> loadDocumentFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    std::unique_ptr<Document> document = documentFromImage(image, path);
    if (!document)
        return nullptr;
    document->setUntitled(false);
    document->setModified(false);
    return document;
}

bool saveDocumentFile(Document&, const std::string&) { return false; }

bool isWritableFileName(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    return suffix == "bmp" || suffix == "dib" || suffix == "rle" || suffix == "jpg" || suffix == "jpeg" ||
           suffix == "jpe" || suffix == "jfif" || suffix == "png";
}

} // namespace pict::qt
