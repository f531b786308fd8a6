#pragma once
// The two states between the selection and the document's saved channels: "Load Selection"
// brings a channel into the selection, "Save Selection" stores the selection in a channel.

#include "history/selection/SelectionState.h"
#include "selection/CombineMode.h"

#include <cstdint>
#include <string>

namespace pict {

class Document;

// A channel that names no channel changes nothing (the step is still recorded).
class LoadSelectionState final : public SelectionState {
public:
    LoadSelectionState(SelectionController& selection, Document& document, int32_t channel, CombineMode mode,
                       bool invert)
        : SelectionState(selection), document_(document), channel_(channel), mode_(mode), invert_(invert) {}
    std::string name() const override { return "Load Selection"; }

private:
    void perform(SelectionController& selection) override;

    Document& document_;
    int32_t channel_;
    CombineMode mode_;
    bool invert_;
};

// Does not mark the document modified: channels are never written to files.
class SaveSelectionState final : public HistoryState {
public:
    // channel is clamped to 0..count, where the count means a new channel appended under
    // `channelName` (which the command has already made non-empty).
    SaveSelectionState(const SelectionController& selection, Document& document, int32_t channel,
                       std::string channelName, CombineMode mode);
    std::string name() const override { return "Save Selection"; }
    bool apply() override;
    bool undo() override;

    int32_t channel() const { return channel_; }

private:
    const SelectionController& selection_;
    Document& document_;
    int32_t channel_;
    std::string channelName_;
    CombineMode mode_;
    bool createsChannel_;
    Surface8 savedChannel_; // the existing channel before the first apply
    bool applied_ = false;
};

} // namespace pict
