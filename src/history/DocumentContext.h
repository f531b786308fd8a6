#pragma once
// What a history state may reach of the document window it belongs to. The window's
// selection lives in a library above this one, so the states below see it only through
// this interface; the application core implements it for each open document.

#include "common/Geometry.h"
#include "document/SelectionArea.h"
#include "surface/RasterSurface.h"

#include <memory>

namespace pict {

class Document;
class HistoryState;

class DocumentContext {
public:
    virtual ~DocumentContext() = default;

    virtual Document& document() = 0;

    // True while the window's selection is not empty.
    virtual bool hasSelection() const = 0;
    // The selection as layer operations take it (empty bounds when there is none); valid
    // until the selection next changes.
    virtual SelectionArea selectionArea() const = 0;
    // A new, not yet applied "Deselect" state of this window: the whole-document states
    // drop the selection first and bring it back on undo.
    virtual std::unique_ptr<HistoryState> makeDeselectState() = 0;
    // The coverage laid with its top-left at the canvas point becomes the selection, cut to
    // the canvas; an empty coverage deselects. Pasted and moved pixels become the selection
    // this way, and their undo brings the old selection back the same way.
    virtual void placeSelection(const Surface8& coverage, Point topLeft) = 0;

    // The canvas changed size (or was restored): the selection takes the new canvas size
    // and the view recomputes its layout.
    virtual void canvasSizeChanged() = 0;

    // Brackets long geometric work so that a window can show that it is busy.
    virtual void beginLongOperation() {}
    virtual void endLongOperation() {}
};

} // namespace pict
