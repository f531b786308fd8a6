#include "app/dialogs/adjustments/CurveEditor.h"

#include <algorithm>

namespace pict {
namespace {

int32_t clampCoordinate(int32_t value) { return CurvesSettings::kCoordinate.clamp(value); }

int32_t squaredDistance(const CurvePoint& p, int32_t x, int32_t y) {
    const int32_t dx = p.x - x;
    const int32_t dy = p.y - y;
    return dx * dx + dy * dy;
}

} // namespace

CurveEditor::CurveEditor(const CurvesSettings& settings) : settings_(settings) {
    for (CurvePoints& list : settings_.channel)
        if (!isValidCurve(list))
            list = CurvesSettings::defaultCurve();
}

void CurveEditor::setChannel(int32_t channel) {
    if (channel < 0 || channel >= kToneChannelCount)
        return;
    channel_ = channel;
    selected_ = kNoPoint;
    tableValid_ = false;
}

void CurveEditor::reset() {
    settings_ = CurvesSettings{};
    channel_ = kToneComposite;
    selected_ = kNoPoint;
    tableValid_ = false;
}

int32_t CurveEditor::curveAt(int32_t x) const {
    if (!tableValid_) {
        buildCurveTable(table_, points());
        tableValid_ = true;
    }
    return table_[clampCoordinate(x)];
}

int32_t CurveEditor::nearestPointWithin(int32_t x, int32_t y) const {
    const CurvePoints& list = points();
    int32_t best = kNoPoint;
    int32_t bestDistance = kNearSquared + 1;
    for (int32_t k = 0; k < static_cast<int32_t>(list.size()); ++k) {
        const int32_t d = squaredDistance(list[size_t(k)], x, y);
        if (d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    }
    return best;
}

CurveEditor::ClickResult CurveEditor::click(int32_t x, int32_t y, bool ctrl) {
    x = clampCoordinate(x);
    y = clampCoordinate(y);
    CurvePoints& list = settings_.channel[channel_];
    const auto last = static_cast<int32_t>(list.size()) - 1;

    if (const int32_t near = nearestPointWithin(x, y); near != kNoPoint) {
        if (ctrl) {
            if (near == 0 || near == last)
                return ClickResult::Ignored; // the ends always stay
            list.erase(list.begin() + near);
            selected_ = kNoPoint;
            tableValid_ = false;
            return ClickResult::Removed;
        }
        selected_ = near;
        moveSelected(x, y);
        return ClickResult::Selected;
    }

    const int32_t dy = curveAt(x) - y;
    if (dy * dy > kNearSquared)
        return ClickResult::Ignored;
    // A new point needs an x of its own strictly inside the list, and room for it.
    if (list.size() >= size_t(CurvesSettings::kMaxPoints) || x <= 0 || x >= 255)
        return ClickResult::Ignored;
    const auto at = std::lower_bound(list.begin(), list.end(), x,
                                     [](const CurvePoint& p, int32_t value) { return p.x < value; });
    if (at->x == x)
        return ClickResult::Ignored;
    selected_ = static_cast<int32_t>(at - list.begin());
    list.insert(at, CurvePoint{x, y});
    tableValid_ = false;
    return ClickResult::Inserted;
}

bool CurveEditor::moveSelected(int32_t x, int32_t y) {
    CurvePoints& list = settings_.channel[channel_];
    const auto last = static_cast<int32_t>(list.size()) - 1;
    if (selected_ < 0 || selected_ > last)
        return false;
    CurvePoint& point = list[size_t(selected_)];
    const CurvePoint before = point;
    point.y = clampCoordinate(y);
    if (selected_ != 0 && selected_ != last)
        point.x = std::clamp(x, list[size_t(selected_ - 1)].x + 1, list[size_t(selected_ + 1)].x - 1);
    if (point == before)
        return false;
    tableValid_ = false;
    return true;
}

} // namespace pict
