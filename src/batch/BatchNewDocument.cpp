#include "batch/BatchNewDocument.h"

#include "app/dialogs/NewImageModel.h"
#include "app/session/NewDocument.h"
#include "document/Document.h"

namespace pict::batch {

std::unique_ptr<Document> makeNewDocument(int32_t width, int32_t height, NewImageBackground background,
                                          Color currentBackground) {
    NewImageFields fields;
    fields.documentName = DocumentNameCounter("Untitled-").next();
    fields.values = resetPreset();
    fields.values.sizeUnit = SizeUnit::Pixels;
    fields.values.width = static_cast<float>(width);
    fields.values.height = static_cast<float>(height);
    fields.values.background = background;
    if (!canConfirmNewImage(fields))
        return nullptr;
    return createNewDocument(newImageSpec(fields, currentBackground));
}

const char* newDocumentFailedMessage() { return kNewImageFailedMessage; }

} // namespace pict::batch
