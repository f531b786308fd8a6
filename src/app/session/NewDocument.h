#pragma once
// The one place a new image becomes a document: the New dialog's OK and the batch tool's --new
// both hand over the record the New model confirmed.

#include "app/dialogs/NewImageModel.h"

#include <memory>

namespace pict {

class Document;

// Untitled, not modified, named as the record says; its first layer filled with the record's
// color unless it is transparent. Null when the record is invalid or memory runs out.
std::unique_ptr<Document> createNewDocument(const NewImageSpec& spec);

} // namespace pict
