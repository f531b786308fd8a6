#pragma once
// "Cut": after the pixels went to the clipboard, the selection on the active layer is cleared
// to transparency, or to the background color on the background layer, as Clear does; without
// a selection the whole layer is. Undo writes back the colors (background layer) or the
// transparency (any other) of the part it cleared.

#include "history/DocumentContext.h"
#include "history/HistoryState.h"
#include "history/SavedPixels.h"

#include <cstdint>

namespace pict {

class CutState final : public DocumentChangeState {
public:
    // backgroundColor is a layer color word (0x00BBGGRR), used on a background layer.
    CutState(DocumentContext& context, uint32_t backgroundColor);

    std::string name() const override { return "Cut"; }
    // Fails, changing nothing, when the active layer has no pixels under the selection.
    bool apply() override;
    bool undo() override;
    std::vector<SavedPixels*> savedPixels() override { return {&saved_}; }

private:
    DocumentContext& context_;
    uint32_t backgroundColor_;
    int32_t layerIndex_;
    SavedPixels saved_; // layer coordinates: colors of a background layer, else transparency
};

} // namespace pict
