#pragma once
// Rotation angles as the geometry commands hand them over: any number of degrees, folded
// into [0, 360). Angles within a ten-thousandth of a degree of a right angle count as that
// angle, and a hair below a full turn counts as no turn at all.

#include <cmath>

namespace pict {

inline constexpr double kAngleTolerance = 0.0001;

inline bool isNearAngle(double angle, double target) { return std::fabs(angle - target) < kAngleTolerance; }

inline double normalizedRotation(double angle) {
    if (!std::isfinite(angle))
        return angle;
    angle = std::fmod(angle, 360.0);
    if (angle < 0.0)
        angle += 360.0;
    return isNearAngle(angle, 360.0) ? 0.0 : angle;
}

inline bool isNoRotation(double angle) { return isNearAngle(normalizedRotation(angle), 0.0); }

} // namespace pict
