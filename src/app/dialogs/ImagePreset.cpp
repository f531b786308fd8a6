#include "app/dialogs/ImagePreset.h"

#include <algorithm>

namespace pict {

bool PresetList::add(const ImagePreset& preset) {
    if (preset.id < kFirstUserPresetId || findById(preset.id) || findByName(preset.name))
        return false;
    presets_.push_back(preset);
    return true;
}

bool PresetList::removeById(int32_t id) {
    auto it = std::find_if(presets_.begin(), presets_.end(), [id](const ImagePreset& p) { return p.id == id; });
    if (it == presets_.end())
        return false;
    presets_.erase(it);
    return true;
}

const ImagePreset* PresetList::findById(int32_t id) const {
    for (const ImagePreset& p : presets_)
        if (p.id == id)
            return &p;
    return nullptr;
}

const ImagePreset* PresetList::findByName(const std::string& name) const {
    for (const ImagePreset& p : presets_)
        if (p.name == name)
            return &p;
    return nullptr;
}

int32_t PresetList::nextFreeId() const {
    // At most count() ids are taken, so one of the first count() + 1 candidates is free.
    int32_t id = kFirstUserPresetId;
    while (findById(id))
        ++id;
    return id;
}

} // namespace pict
