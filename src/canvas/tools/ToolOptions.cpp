#include "canvas/tools/ToolOptions.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

namespace pict {

namespace {

// A field reached through one member, or through a member of a member.
template <auto Member>
constexpr ToolOptionField field(const char* key, int32_t minimum, int32_t maximum) {
    using Value = std::remove_cvref_t<decltype(std::declval<ToolOptions&>().*Member)>;
    return {key, minimum, maximum, [](const ToolOptions& o) { return int32_t(o.*Member); },
            [](ToolOptions& o, int32_t v) { o.*Member = static_cast<Value>(v); }};
}
template <auto Group, auto Member>
constexpr ToolOptionField field(const char* key, int32_t minimum, int32_t maximum) {
    using Value = std::remove_cvref_t<decltype(std::declval<ToolOptions&>().*Group.*Member)>;
    return {key, minimum, maximum, [](const ToolOptions& o) { return int32_t(o.*Group.*Member); },
            [](ToolOptions& o, int32_t v) { o.*Group.*Member = static_cast<Value>(v); }};
}

using B = BrushParams;
using O = ToolOptions;
constexpr int32_t kLastMode = kBlendModeCount - 1;

const ToolOptionField kFields[] = {
    field<&O::brush, &B::size>("brush.size", B::kMinSize, B::kMaxSize),
    field<&O::brush, &B::hardness>("brush.hardness", B::kMinHardness, B::kMaxHardness),
    field<&O::brush, &B::opacity>("brush.opacity", B::kMinOpacity, B::kMaxOpacity),
    field<&O::brush, &B::spacing>("brush.spacing", B::kMinSpacing, B::kMaxSpacing),
    field<&O::brush, &B::mode>("brush.mode", 0, kLastMode),
    field<&O::brush, &B::lockTransparency>("brush.lock_transparency", 0, 1),
    field<&O::brush, &B::pressureSize>("brush.pressure_size", 0, 1),
    field<&O::brush, &B::pressureOpacity>("brush.pressure_opacity", 0, 1),
    field<&O::pencil, &B::size>("pencil.size", B::kMinSize, B::kMaxSize),
    field<&O::pencil, &B::opacity>("pencil.opacity", B::kMinOpacity, B::kMaxOpacity),
    field<&O::pencil, &B::mode>("pencil.mode", 0, kLastMode),
    field<&O::pencil, &B::lockTransparency>("pencil.lock_transparency", 0, 1),
    field<&O::eraser, &B::size>("eraser.size", B::kMinSize, B::kMaxSize),
    field<&O::eraser, &B::hardness>("eraser.hardness", B::kMinHardness, B::kMaxHardness),
    field<&O::eraser, &B::opacity>("eraser.opacity", B::kMinOpacity, B::kMaxOpacity),
    field<&O::eraser, &B::spacing>("eraser.spacing", B::kMinSpacing, B::kMaxSpacing),
    field<&O::eraser, &B::hardEdge>("eraser.hard_edge", 0, 1),
    field<&O::eraser, &B::pressureSize>("eraser.pressure_size", 0, 1),
    field<&O::eraser, &B::pressureOpacity>("eraser.pressure_opacity", 0, 1),
    field<&O::bucket, &FillToolOptions::tolerance>("bucket.tolerance", 0, 255),
    field<&O::bucket, &FillToolOptions::contiguous>("bucket.contiguous", 0, 1),
    field<&O::bucket, &FillToolOptions::sampleMerged>("bucket.sample_merged", 0, 1),
    field<&O::bucket, &FillToolOptions::mode>("bucket.mode", 0, kLastMode),
    field<&O::bucket, &FillToolOptions::opacity>("bucket.opacity", 1, 100),
    field<&O::gradient, &GradientToolOptions::radial>("gradient.radial", 0, 1),
    field<&O::gradient, &GradientToolOptions::toTransparent>("gradient.to_transparent", 0, 1),
    field<&O::gradient, &GradientToolOptions::mode>("gradient.mode", 0, kLastMode),
    field<&O::gradient, &GradientToolOptions::opacity>("gradient.opacity", 1, 100),
    field<&O::picker, &PickerToolOptions::sampleMerged>("picker.sample_merged", 0, 1),
    field<&O::picker, &PickerToolOptions::sampleSize>("picker.sample_size", 1, 5),
    field<&O::wand, &WandToolOptions::tolerance>("wand.tolerance", 0, 255),
    field<&O::wand, &WandToolOptions::contiguous>("wand.contiguous", 0, 1),
    field<&O::wand, &WandToolOptions::sampleMerged>("wand.sample_merged", 0, 1),
    field<&O::wand, &WandToolOptions::antiAlias>("wand.anti_alias", 0, 1),
    field<&O::selectionMode>("selection.mode", 0, kSelectionModeCount - 1),
    field<&O::ellipseMarquee>("marquee.ellipse", 0, 1),
    field<&O::polygonalLasso>("lasso.polygonal", 0, 1),
};

} // namespace

std::span<const ToolOptionField> toolOptionFields() { return kFields; }

const ToolOptionField* findToolOptionField(const char* key) {
    for (const ToolOptionField& field : kFields)
        if (std::strcmp(field.key, key) == 0)
            return &field;
    return nullptr;
}

bool setToolOption(ToolOptions& options, const char* key, int64_t value) {
    const ToolOptionField* field = findToolOptionField(key);
    if (!field)
        return false;
    int32_t v = int32_t(std::clamp<int64_t>(value, field->minimum, field->maximum));
    // The sample square is 1, 3 or 5 pixels wide.
    if (std::strcmp(key, "picker.sample_size") == 0 && v % 2 == 0)
        v += 1;
    field->set(options, v);
    return true;
}

} // namespace pict
