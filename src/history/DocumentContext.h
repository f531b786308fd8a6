#pragma once
// What a history state may reach of the document window it belongs to: its document, its
// selection and the hooks that keep the window's view in step. The application's document
// session implements it for each open document; the tests give simpler windows.

#include "document/SelectionArea.h"
#include "selection/SelectionController.h"

namespace pict {

class Document;

class DocumentContext {
public:
    virtual ~DocumentContext() = default;

    virtual Document& document() = 0;
    // The window's selection; the selection states change it and the whole-document states
    // drop it first.
    virtual SelectionController& selection() = 0;
    virtual const SelectionController& selection() const = 0;

    // True while the window's selection is not empty.
    bool hasSelection() const { return !selection().isEmpty(); }
    // The selection as layer operations take it (empty bounds when there is none); valid
    // until the selection next changes.
    SelectionArea selectionArea() const { return selection().area(); }

    // The canvas changed size (or was restored): the selection takes the new canvas size
    // and the view recomputes its layout.
    virtual void canvasSizeChanged() = 0;

    // Brackets long geometric work so that a window can show that it is busy.
    virtual void beginLongOperation() {}
    virtual void endLongOperation() {}
};

} // namespace pict
