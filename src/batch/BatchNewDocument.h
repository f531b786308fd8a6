#pragma once
// The document --new makes: what the New dialog creates for a pixel size and a background
// choice with every other field at its reset value. Kept apart from the step tables because
// the New model's header and the command layer's cannot share a translation unit.

#include "app/dialogs/ImagePreset.h"
#include "common/Color.h"

#include <cstdint>
#include <memory>

namespace pict {
class Document;
}

namespace pict::batch {

// Named "Untitled-1" (the dialog's first proposal of a run); untitled and not modified.
// Null when the size is invalid or memory runs out.
std::unique_ptr<Document> makeNewDocument(int32_t width, int32_t height, NewImageBackground background,
                                          Color currentBackground);
// What the New dialog says when the document cannot be made.
const char* newDocumentFailedMessage();

} // namespace pict::batch
