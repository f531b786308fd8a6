// The Adjust and Filter menus: every adjustment, the blur and sharpen filters and Last
// Filter. Each pushes one filter history state on the active layer within the selection.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/FilterOffThread.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "document/Document.h"
#include "history/filter/FilterHistoryState.h"
#include "history/filter/PreviewedState.h"
#include "imageops/AutoLevelsFilter.h"
#include "imageops/ConvolutionFilter.h"
#include "app/commands/LastFilterSlot.h"
#include "imageops/SimpleColorFilters.h"

#include <array>
#include <new>

namespace pict {

namespace {

const CommandResult kFailed{CommandOutcome::Failed};
const CommandResult kUnchanged{CommandOutcome::Unchanged};

CommandResult pushFilter(DocumentSession& session, std::shared_ptr<ImageFilter> filter) {
    if (!filter)
        return kFailed;
    try {
        if (runsFilterOffThread(session))
            return filterOffThread(session, std::move(filter), recordInto(session.app().lastFilter));
        return pushState(session, std::make_unique<FilterHistoryState>(session, std::move(filter),
                                                                       recordInto(session.app().lastFilter)));
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

constexpr std::string_view kEditable = "a visible, non-empty raster active layer that meets the selection";
constexpr std::string_view kLastFilterNeeds =
    "a filter to repeat (an earlier blur or sharpen step) and a visible, non-empty raster active layer that meets "
    "the selection";

constexpr CommandStep kLevelsSteps[] = {
    {"--levels", "CH,INBLACK,GAMMA,INWHITE,OUTBLACK,OUTWHITE[/CH,...]", StepArgument::Required, parseLevels,
     "Levels; CH rgb|red|green|blue, levels 0..255, gamma 0.1..9.99", kEditable, StepGroup::Filters},
};
constexpr CommandStep kAutoLevelsSteps[] = {
    {"--auto-levels", "", StepArgument::None, nullptr,
     "Auto Levels: stretch each channel on its own", kEditable, StepGroup::Filters},
};
constexpr CommandStep kAutoContrastSteps[] = {
    {"--auto-contrast", "", StepArgument::None, nullptr,
     "Auto Contrast: stretch the three channels together", kEditable, StepGroup::Filters},
};
constexpr CommandStep kCurvesSteps[] = {
    {"--curves", "CH:X,Y;X,Y;...[/CH:...]", StepArgument::Required, parseCurves,
     "Curves: 2..10 points per channel, x from 0 to 255", kEditable, StepGroup::Filters},
};
constexpr CommandStep kColorBalanceSteps[] = {
    {"--color-balance", "SC,SM,SY,MC,MM,MY,HC,HM,HY[,nopreserve]", StepArgument::Required, parseColorBalance,
     "Color Balance of shadows, midtones, highlights (cyan-red, magenta-green, yellow-blue, -100..100)",
     kEditable, StepGroup::Filters},
};
constexpr CommandStep kBrightnessContrastSteps[] = {
    {"--brightness-contrast", "B,C", StepArgument::Required, parseBrightnessContrast,
     "Brightness/Contrast, each -100..100", kEditable, StepGroup::Filters},
};
constexpr CommandStep kHueSaturationSteps[] = {
    {"--hue-saturation", "RANGE,H,S,L[/RANGE,H,S,L...]", StepArgument::Required, parseHueSaturation,
     "Hue/Saturation; RANGE master|reds|yellows|greens|cyans|blues|magentas, H -180..180, S and L -100..100",
     kEditable, StepGroup::Filters},
    {"--colorize", "H,S,L", StepArgument::Required, parseColorize,
     "Colorize: hue 0..360, saturation 0..100, lightness -100..100", kEditable, StepGroup::Filters},
};
constexpr CommandStep kDesaturateSteps[] = {
    {"--desaturate", "", StepArgument::None, nullptr, "Desaturate", kEditable, StepGroup::Filters},
};
constexpr CommandStep kInvertSteps[] = {
    {"--invert", "", StepArgument::None, nullptr, "Invert", kEditable, StepGroup::Filters},
};
constexpr CommandStep kLastFilterSteps[] = {
    {"--last-filter", "", StepArgument::None, nullptr,
     "repeat the last blur or sharpen filter of this run", kLastFilterNeeds, StepGroup::Filters},
};
constexpr CommandStep kBlurSteps[] = {
    {"--blur", "", StepArgument::None, nullptr, "Blur", kEditable, StepGroup::Filters},
};
constexpr CommandStep kBlurMoreSteps[] = {
    {"--blur-more", "", StepArgument::None, nullptr, "Blur More", kEditable, StepGroup::Filters},
};
constexpr CommandStep kGaussianBlurSteps[] = {
    {"--gaussian-blur", "R", StepArgument::Required, parseGaussianBlur,
     "Gaussian Blur of radius R (0.1..250; below 0.2 changes nothing)", kEditable, StepGroup::Filters},
};
constexpr CommandStep kSharpenSteps[] = {
    {"--sharpen", "", StepArgument::None, nullptr, "Sharpen", kEditable, StepGroup::Filters},
};
constexpr CommandStep kSharpenMoreSteps[] = {
    {"--sharpen-more", "", StepArgument::None, nullptr, "Sharpen More", kEditable, StepGroup::Filters},
};

constexpr CommandSpec kFilterCommands[] = {
    {.id = kCmdLevels, .route = CommandRoute::Document, .menuText = "Levels...", .shortcutText = "Ctrl+L",
     .keys = "Ctrl+L", .statusText = "Adjust the tonal range with levels\nLevels", .asks = CommandAsks::Dialog,
     .enabled = hasEditableLayer, .run = runDialog<FilterKind::Levels>, .steps = kLevelsSteps},
    {.id = kCmdAutoLevels, .route = CommandRoute::Document, .menuText = "Auto Levels",
     .statusText = "Stretch each channel's tonal range\nAuto Levels", .enabled = hasEditableLayer,
     .run = runAutomatic<AutoLevelsFilter>, .steps = kAutoLevelsSteps},
    {.id = kCmdAutoContrast, .route = CommandRoute::Document, .menuText = "Auto Contrast",
     .statusText = "Stretch the overall contrast\nAuto Contrast", .enabled = hasEditableLayer,
     .run = runAutomatic<AutoContrastFilter>, .steps = kAutoContrastSteps},
    {.id = kCmdCurves, .route = CommandRoute::Document, .menuText = "Curves...", .shortcutText = "Ctrl+M",
     .keys = "Ctrl+M", .statusText = "Adjust the tonal range with curves\nCurves", .asks = CommandAsks::Dialog,
     .enabled = hasEditableLayer, .run = runDialog<FilterKind::Curves>, .steps = kCurvesSteps},
    {.id = kCmdColorBalance, .route = CommandRoute::Document, .menuText = "Color Balance...",
     .shortcutText = "Ctrl+B", .keys = "Ctrl+B", .statusText = "Change the color balance\nColor Balance",
     .asks = CommandAsks::Dialog, .enabled = hasEditableLayer, .run = runDialog<FilterKind::ColorBalance>,
     .steps = kColorBalanceSteps},
    {.id = kCmdBrightnessContrast, .route = CommandRoute::Document, .menuText = "Brightness/Contrast...",
     .statusText = "Change brightness and contrast\nBrightness/Contrast", .asks = CommandAsks::Dialog,
     .enabled = hasEditableLayer, .run = runDialog<FilterKind::BrightnessContrast>,
     .steps = kBrightnessContrastSteps},
    {.id = kCmdHueSaturation, .route = CommandRoute::Document, .menuText = "Hue/Saturation...",
     .shortcutText = "Ctrl+U", .keys = "Ctrl+U",
     .statusText = "Change hue, saturation and lightness\nHue/Saturation", .asks = CommandAsks::Dialog,
     .enabled = hasEditableLayer, .run = runDialog<FilterKind::HueSaturation, FilterKind::Colorize>,
     .steps = kHueSaturationSteps},
    {.id = kCmdDesaturate, .route = CommandRoute::Document, .menuText = "Desaturate",
     .statusText = "Convert the colors to gray\nDesaturate", .enabled = hasEditableLayer,
     .run = runFixed<FilterKind::Desaturate>, .steps = kDesaturateSteps},
    {.id = kCmdInvert, .route = CommandRoute::Document, .menuText = "Invert",
     .statusText = "Invert the colors\nInvert", .enabled = hasEditableLayer, .run = runFixed<FilterKind::Invert>,
     .steps = kInvertSteps},
    {.id = kCmdLastFilter, .route = CommandRoute::Document, .menuText = "Last Filter", .shortcutText = "Ctrl+F",
     .keys = "Ctrl+F", .statusText = "Repeat the last filter\nLast Filter", .enabled = hasLastFilter,
     .run = runLastFilter, .steps = kLastFilterSteps},
    {.id = kCmdBlur, .route = CommandRoute::Document, .menuText = "Blur",
     .statusText = "Blur the image slightly\nBlur", .enabled = hasEditableLayer,
     .run = runFixed<FilterKind::Blur>, .steps = kBlurSteps},
    {.id = kCmdBlurMore, .route = CommandRoute::Document, .menuText = "Blur More",
     .statusText = "Blur the image more strongly\nBlur More", .enabled = hasEditableLayer,
     .run = runFixed<FilterKind::BlurMore>, .steps = kBlurMoreSteps},
    {.id = kCmdGaussianBlur, .route = CommandRoute::Document, .menuText = "Gaussian Blur...",
     .statusText = "Blur the image with a Gaussian kernel\nGaussian Blur", .asks = CommandAsks::Dialog,
     .enabled = hasEditableLayer, .run = runDialog<FilterKind::GaussianBlur>, .steps = kGaussianBlurSteps},
    {.id = kCmdSharpen, .route = CommandRoute::Document, .menuText = "Sharpen",
     .statusText = "Sharpen the image slightly\nSharpen", .enabled = hasEditableLayer,
     .run = runFixed<FilterKind::Sharpen>, .steps = kSharpenSteps},
    {.id = kCmdSharpenMore, .route = CommandRoute::Document, .menuText = "Sharpen More",
     .statusText = "Sharpen the image more strongly\nSharpen More", .enabled = hasEditableLayer,
     .run = runFixed<FilterKind::SharpenMore>, .steps = kSharpenMoreSteps},
};

} // namespace

std::span<const CommandSpec> filterCommandSpecs() { return kFilterCommands; }

} // namespace pict
