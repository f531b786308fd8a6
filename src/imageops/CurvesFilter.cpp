#include "imageops/CurvesFilter.h"

#include <cmath>

namespace pict {
namespace {

constexpr int32_t kMaxSplinePoints = CurvesSettings::kMaxPoints;

// A natural cubic spline (second derivatives 0 at both ends) through n points.
class NaturalSpline {
public:
    explicit NaturalSpline(const CurvePoints& points) : n_(static_cast<int32_t>(points.size())) {
        for (int32_t k = 0; k < n_; ++k) {
            x_[k] = points[k].x;
            y_[k] = points[k].y;
        }
        double u[kMaxSplinePoints] = {};
        y2_[0] = y2_[n_ - 1] = 0.0;
        for (int32_t k = 1; k < n_ - 1; ++k) {
            const double sig = (x_[k] - x_[k - 1]) / (x_[k + 1] - x_[k - 1]);
            const double p = sig * y2_[k - 1] + 2.0;
            y2_[k] = (sig - 1.0) / p;
            u[k] = (6.0 * ((y_[k + 1] - y_[k]) / (x_[k + 1] - x_[k]) - (y_[k] - y_[k - 1]) / (x_[k] - x_[k - 1])) /
                        (x_[k + 1] - x_[k - 1]) -
                    sig * u[k - 1]) /
                   p;
        }
        for (int32_t k = n_ - 2; k >= 0; --k)
            y2_[k] = y2_[k] * y2_[k + 1] + u[k];
    }

    double valueAt(double x) const {
        if (x < x_[0] || x > x_[n_ - 1])
            return 0.0;
        int32_t lo = 0;
        int32_t hi = n_ - 1;
        while (hi - lo > 1) {
            const int32_t k = (hi + lo) >> 1;
            if (x_[k] > x)
                hi = k;
            else
                lo = k;
        }
        const double h = x_[hi] - x_[lo];
        const double a = (x_[hi] - x) / h;
        const double b = (x - x_[lo]) / h;
        return a * y_[lo] + b * y_[hi] + ((a * a * a - a) * y2_[lo] + (b * b * b - b) * y2_[hi]) * (h * h) * 0.16666666666666666;
    }

private:
    int32_t n_;
    double x_[kMaxSplinePoints] = {};
    double y_[kMaxSplinePoints] = {};
    double y2_[kMaxSplinePoints] = {};
};

void buildLineTable(uint8_t (&table)[256], CurvePoint p0, CurvePoint p1) {
    if (p0 == p1 || p0.x == p1.x || p0.y == p1.y) {
        const uint8_t value = roundToByte(p0.y);
        for (uint8_t& entry : table)
            entry = value;
        return;
    }
    const double slope = double(p1.y - p0.y) / double(p1.x - p0.x);
    const double intercept = p0.y - p0.x * slope;
    for (int x = 0; x < 256; ++x)
        table[x] = roundToByte(intercept + x * slope);
}

} // namespace

bool isValidCurve(const CurvePoints& points) {
    const auto count = static_cast<int32_t>(points.size());
    if (count < CurvesSettings::kMinPoints || count > CurvesSettings::kMaxPoints)
        return false;
    if (points.front().x != 0 || points.back().x != 255)
        return false;
    for (int32_t k = 0; k < count; ++k) {
        if (!CurvesSettings::kCoordinate.contains(points[k].x) || !CurvesSettings::kCoordinate.contains(points[k].y))
            return false;
        if (k > 0 && points[k].x <= points[k - 1].x)
            return false;
    }
    return true;
}

bool CurvesSettings::isValid() const {
    for (const CurvePoints& c : channel)
        if (!isValidCurve(c))
            return false;
    return true;
}

void buildCurveTable(uint8_t (&table)[256], const CurvePoints& points) {
    if (!isValidCurve(points) || points == CurvesSettings::defaultCurve()) {
        setIdentity(table);
        return;
    }
    if (points.size() == 2) {
        buildLineTable(table, points[0], points[1]);
        return;
    }
    const NaturalSpline spline(points);
    for (int x = 0; x < 256; ++x)
        table[x] = roundToByte(spline.valueAt(x));
}

CurvesFilter::CurvesFilter(const CurvesSettings& settings) : TablePointFilter(GrayTable::None), settings_(settings) {
    uint8_t composite[256];
    buildCurveTable(composite, settings.channel[kToneComposite]);
    uint8_t (*const targets[3])[256] = {&tables_.red, &tables_.green, &tables_.blue};
    for (int32_t c = 0; c < 3; ++c) {
        uint8_t own[256];
        buildCurveTable(own, settings.channel[kToneRed + c]);
        for (int i = 0; i < 256; ++i)
            (*targets[c])[i] = composite[own[i]];
    }
}

} // namespace pict
