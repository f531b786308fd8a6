#pragma once
// The clipboard as the purge commands see it: whether it holds a picture, and a way to empty
// it. The editor implements it over the system clipboard and the pixels the program itself
// placed there; the batch tool has no clipboard and leaves the context's pointer null.

namespace pict {

class ClipboardStore {
public:
    virtual ~ClipboardStore() = default;
    // The system clipboard offers a picture, or the program keeps copied pixels of its own.
    virtual bool hasImage() const = 0;
    // Empties the system clipboard and frees the program's own copies. The system half may
    // fail (another program holding the clipboard); the program's copies go regardless.
    virtual void clear() = 0;
};

} // namespace pict
