#include "app/session/NewDocument.h"

#include "document/Document.h"

#include <new>

namespace pict {

std::unique_ptr<Document> createNewDocument(const NewImageSpec& spec) {
    DocumentInfo info;
    info.width = spec.width;
    info.height = spec.height;
    info.resolution = static_cast<float>(spec.resolution);
    info.resolutionUnit =
        isValidResolutionUnit(spec.resolutionUnit) ? spec.resolutionUnit : ResolutionUnit::PixelsPerInch;
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

} // namespace pict
