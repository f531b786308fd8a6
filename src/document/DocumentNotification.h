#pragma once
// What the document tells its observers after every change: the composite has already been
// recomposed for the rectangle by the time an observer hears of it.

#include "common/Geometry.h"

#include <cstdint>

namespace pict {

class Document;
class Layer;

enum class LayerChangeKind : int32_t {
    Structure = 0, // layer added, removed, replaced, or its whole content replaced
    Name = 1,
    BlendMode = 2,
    Opacity = 3,
    Visibility = 4,
    Pixels = 5, // pixels changed inside the rectangle
};

struct DocumentNotification {
    Document* document = nullptr;
    // The layer concerned; null for a document notification (the kind is then meaningless).
    const Layer* layer = nullptr;
    LayerChangeKind kind = LayerChangeKind::Structure;
    // The affected canvas rectangle; may be empty (a hidden layer's rename, say).
    Rect rect;

    bool isDocumentNotification() const { return layer == nullptr; }
};

class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void changed(const DocumentNotification& notification) = 0;
};

} // namespace pict
