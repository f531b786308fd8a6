#include "app/dialogs/adjustments/CurvesDialogModel.h"

namespace pict {

CurveEditor::ClickResult CurvesDialogModel::press(int32_t x, int32_t y, bool ctrl) {
    const CurvesSettings before = editor_.settings();
    const CurveEditor::ClickResult result = editor_.click(x, y, ctrl);
    dragging_ = result == CurveEditor::ClickResult::Selected || result == CurveEditor::ClickResult::Inserted;
    if (dragging_)
        readout_ = editor_.points()[size_t(editor_.selectedPoint())];
    else
        hover(x);
    if (editor_.settings() != before)
        changed();
    return result;
}

void CurvesDialogModel::drag(int32_t x, int32_t y) {
    if (!dragging_)
        return;
    const bool moved = editor_.moveSelected(CurvesSettings::kCoordinate.clamp(x), CurvesSettings::kCoordinate.clamp(y));
    readout_ = editor_.points()[size_t(editor_.selectedPoint())];
    if (moved)
        changed();
}

void CurvesDialogModel::hover(int32_t x) {
    x = CurvesSettings::kCoordinate.clamp(x);
    readout_ = {x, editor_.curveAt(x)};
}

std::unique_ptr<ImageFilter> CurvesDialogModel::makeFilter() const {
    return std::make_unique<CurvesFilter>(editor_.settings());
}

void CurvesDialogModel::resetValues() {
    editor_.reset();
    readout_ = {};
    dragging_ = false;
}

} // namespace pict
