#pragma once
// "Merge Layers", "Merge Down", "Merge Visible" and "Flatten Image": whole-document states
// that keep the selection and the canvas layout. The layers to merge are fixed when the
// state is made (by index, bottom first), so that a redo merges the same layers even though
// undoing left another layer active.

#include "history/document/WholeDocumentState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

enum class MergeKind { Layers, Down, Visible, Flatten };

class MergeState final : public WholeDocumentState {
public:
    // layers: stack indices; unused for Flatten.
    MergeState(DocumentContext& context, MergeKind kind, std::vector<int32_t> layers);
    std::string name() const override;
    bool apply() override;
    bool undo() override;

private:
    MergeKind kind_;
    std::vector<int32_t> layers_;
    int32_t activeBefore_ = -1;
};

} // namespace pict
