#pragma once
// Curves: one point list per tone channel, each turned into a table by a natural cubic
// spline (3 to 10 points) or a straight line (2 points); a color channel goes through its
// own curve first and the composite curve after it.

#include "imageops/LevelsFilter.h"

#include <array>
#include <vector>

namespace pict {

struct CurvePoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

using CurvePoints = std::vector<CurvePoint>;

struct CurvesSettings {
    static constexpr ParamRange<int32_t> kCoordinate{0, 255, 0};
    static constexpr int32_t kMinPoints = 2;
    static constexpr int32_t kMaxPoints = 10;

    static CurvePoints defaultCurve() { return {{0, 0}, {255, 255}}; }

    std::array<CurvePoints, kToneChannelCount> channel{defaultCurve(), defaultCurve(), defaultCurve(), defaultCurve()};

    bool isIdentity() const {
        for (const CurvePoints& c : channel)
            if (c != defaultCurve())
                return false;
        return true;
    }
    // Every list is one the table construction accepts (see isValidCurve).
    bool isValid() const;
    friend bool operator==(const CurvesSettings&, const CurvesSettings&) = default;
};

// 2 to 10 points with coordinates in 0..255, x strictly increasing from 0 to 255.
bool isValidCurve(const CurvePoints& points);

// The 256-entry table of one list. A list that is not valid gives the identity.
void buildCurveTable(uint8_t (&table)[256], const CurvePoints& points);

class CurvesFilter : public TablePointFilter {
public:
    explicit CurvesFilter(const CurvesSettings& settings);
    FilterKind kind() const override { return FilterKind::Curves; }
    bool isIdentity() const override { return settings_.isIdentity(); }
    const CurvesSettings& settings() const { return settings_; }

private:
    CurvesSettings settings_;
};

} // namespace pict
