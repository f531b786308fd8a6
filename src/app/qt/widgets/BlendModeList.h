#pragma once
// The list of the 19 blend modes, in their order, that the Fill and New Layer dialogs show.

#include "surface/BlendModes.h"

#include <QComboBox>

namespace pict::qt {

inline QComboBox* blendModeList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        list->addItem(QString::fromUtf8(blendModeName(mode)));
    list->setMaxVisibleItems(kBlendModeCount);
    return list;
}

} // namespace pict::qt
