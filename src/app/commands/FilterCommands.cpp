// The Adjust and Filter menus: every adjustment, the blur and sharpen filters and Last
// Filter. Each pushes one filter history state on the active layer within the selection.
#include "app/commands/CommandEntry.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "imageops/AutoLevelsFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "imageops/FilterHistoryState.h"
#include "imageops/LastFilterSlot.h"
#include "imageops/SimpleColorFilters.h"

#include <array>
#include <new>

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kUnchanged{CommandOutcome::Unchanged};

// The dialog answer carries its previewed state shared; the history takes this owner of
// it, which runs it and names it exactly as the state itself would.
class PreviewedState final : public HistoryState {
public:
    explicit PreviewedState(std::shared_ptr<HistoryState> state) : state_(std::move(state)) {}
    std::string name() const override { return state_->name(); }
    bool apply() override { return state_->apply(); }
    bool undo() override { return state_->undo(); }
    void beforeApply() override { state_->beforeApply(); }
    void afterApply(bool applied) override { state_->afterApply(applied); }
    void beforeUndo() override { state_->beforeUndo(); }
    void afterUndo(bool undone) override { state_->afterUndo(undone); }

private:
    std::shared_ptr<HistoryState> state_;
};

CommandResult pushFilter(DocumentSession& session, std::shared_ptr<ImageFilter> filter) {
    if (!filter)
        return kFailed;
    try {
        return pushState(session, std::make_unique<FilterHistoryState>(session, std::move(filter),
                                                                       session.app().lastFilter));
    } catch (const std::bad_alloc&) {
        return kFailed;
    }
}

// A dialog command: the answer holds the previewed state (already applied) or the filter of
// the confirmed parameters, which must be of one of the command's kinds. Without an answer
// the dialog's starting values apply, which change nothing.
template <FilterKind kKind, FilterKind kAlternative = kKind>
CommandResult runDialog(DocumentSession& session, const CommandParams& params) {
    if (std::holds_alternative<std::monostate>(params))
        return kUnchanged;
    const FilterParams* answer = std::get_if<FilterParams>(&params);
    if (!answer)
        return kFailed;
    if (answer->previewedState) {
        CommandResult result = kFailed;
        try {
            result = pushState(session, std::make_unique<PreviewedState>(answer->previewedState), true);
        } catch (const std::bad_alloc&) {
            return kFailed;
        }
        // The preview ran the state's apply alone and the history records it without its
        // hooks, so the one that marks the document modified runs now.
        if (result)
            answer->previewedState->afterApply(true);
        return result;
    }
    if (!answer->filter)
        return kUnchanged;
    const FilterKind kind = answer->filter->kind();
    if (kind != kKind && kind != kAlternative)
        return kFailed;
    if (answer->filter->isIdentity())
        return kUnchanged;
    return pushFilter(session, answer->filter);
}

template <FilterKind kKind>
std::shared_ptr<ImageFilter> makeFixedFilter() {
    if constexpr (kKind == FilterKind::Desaturate)
        return std::make_shared<DesaturateFilter>();
    else if constexpr (kKind == FilterKind::Invert)
        return std::make_shared<InvertFilter>();
    else
        return std::make_shared<ConvolutionFilter>(kKind);
}

template <FilterKind kKind>
CommandResult runFixed(DocumentSession& session, const CommandParams&) {
    try {
        return pushFilter(session, makeFixedFilter<kKind>());
    } catch (const std::bad_alloc&) {
        return kFailed;
    }
}

// Auto Levels and Auto Contrast take their tables from the active layer within the selection.
template <class Filter>
CommandResult runAutomatic(DocumentSession& session, const CommandParams&) {
    const RasterLayer* layer = session.document().layers().rasterAt(session.document().layers().activeIndex());
    Histogram histogram;
    if (!layer || !histogram.countLayer(*layer, session.selectionArea()))
        return kFailed;
    try {
        return pushFilter(session, std::make_shared<Filter>(histogram));
    } catch (const std::bad_alloc&) {
        return kFailed;
    }
}

bool hasLastFilter(const DocumentSession& session) {
    const LastFilterSlot* slot = session.app().lastFilter;
    return hasEditableLayer(session) && slot && !slot->isEmpty();
}

CommandResult runLastFilter(DocumentSession& session, const CommandParams&) {
    const LastFilterSlot* slot = session.app().lastFilter;
    std::unique_ptr<NeighborhoodFilter> again = slot ? slot->cloneFilter() : nullptr;
    if (!again)
        return kFailed;
    return pushFilter(session, std::move(again));
}

constexpr std::array kFilterCommands{
    CommandEntry{kCmdLevels, hasEditableLayer, runDialog<FilterKind::Levels>},
    CommandEntry{kCmdCurves, hasEditableLayer, runDialog<FilterKind::Curves>},
    CommandEntry{kCmdColorBalance, hasEditableLayer, runDialog<FilterKind::ColorBalance>},
    CommandEntry{kCmdBrightnessContrast, hasEditableLayer, runDialog<FilterKind::BrightnessContrast>},
    CommandEntry{kCmdHueSaturation, hasEditableLayer, runDialog<FilterKind::HueSaturation, FilterKind::Colorize>},
    CommandEntry{kCmdAutoLevels, hasEditableLayer, runAutomatic<AutoLevelsFilter>},
    CommandEntry{kCmdAutoContrast, hasEditableLayer, runAutomatic<AutoContrastFilter>},
    CommandEntry{kCmdDesaturate, hasEditableLayer, runFixed<FilterKind::Desaturate>},
    CommandEntry{kCmdInvert, hasEditableLayer, runFixed<FilterKind::Invert>},
    CommandEntry{kCmdLastFilter, hasLastFilter, runLastFilter},
    CommandEntry{kCmdBlur, hasEditableLayer, runFixed<FilterKind::Blur>},
    CommandEntry{kCmdBlurMore, hasEditableLayer, runFixed<FilterKind::BlurMore>},
    CommandEntry{kCmdGaussianBlur, hasEditableLayer, runDialog<FilterKind::GaussianBlur>},
    CommandEntry{kCmdSharpen, hasEditableLayer, runFixed<FilterKind::Sharpen>},
    CommandEntry{kCmdSharpenMore, hasEditableLayer, runFixed<FilterKind::SharpenMore>},
};

} // namespace

std::span<const CommandEntry> filterCommandEntries() {
    return kFilterCommands;
}

} // namespace pict
