#pragma once
// Turning a picture from the system clipboard into a new document.

#include <memory>
#include <string>

class QImage;

namespace pict {
class Document;
}

namespace pict::qt {

// A one-layer document named name: the picture's colors, and its transparency as the layer's
// mask when it has any. Null when the picture is empty, too large, or memory runs out.
std::unique_ptr<Document> documentFromImage(const QImage& image, const std::string& name);

} // namespace pict::qt
