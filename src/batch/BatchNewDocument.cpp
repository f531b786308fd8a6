#include "batch/BatchNewDocument.h"

#include "app/dialogs/NewImageModel.h"
#include "document/Document.h"

namespace pict::batch {

std::unique_ptr<Document> makeNewDocument(int32_t width, int32_t height, NewBackgroundChoice background,
                                          Color currentBackground) {
    NewImageFields fields;
    fields.documentName = DocumentNameCounter("Untitled-").next();
    fields.values = resetPreset();
    fields.values.sizeUnit = SizeUnit::Pixels;
    fields.values.width = static_cast<float>(width);
    fields.values.height = static_cast<float>(height);
    fields.values.background = static_cast<NewImageBackground>(background);
    if (!canConfirmNewImage(fields))
        return nullptr;
    const NewImageSpec spec = newImageSpec(fields, currentBackground);

    DocumentInfo info;
    info.width = spec.width;
    info.height = spec.height;
    info.resolution = static_cast<float>(spec.resolution);
    info.resolutionUnit = spec.resolutionUnit == ResolutionUnit::PixelsPerCentimeter ? kPixelsPerCentimeter : kPixelsPerInch;
    info.name = spec.name;
    info.transparent = spec.transparent;
    info.backgroundColor = spec.fillColor.fillWord();
    info.untitled = true;
    try {
        auto document = std::make_unique<Document>();
        if (!document->newFromInfo(info))
            return nullptr;
        return document;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

const char* newDocumentFailedMessage() { return kNewImageFailedMessage; }

} // namespace pict::batch
