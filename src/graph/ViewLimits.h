#pragma once

namespace tervane {

/// The view intervals: the curve, point and animated surface kinds leave out (as NaN) every
/// point with a coordinate beyond them.
struct ViewLimits {
    float MinX = -20, MaxX = 20, MinY = -20, MaxY = 20, MinZ = -50, MaxZ = 50;

    /// True when (x, y, z) lies inside all three intervals (NaN never does).
    bool Contains(float x, float y, float z) const {
        return x >= MinX && x <= MaxX && y >= MinY && y <= MaxY && z >= MinZ && z <= MaxZ;
    }

    friend bool operator==(const ViewLimits&, const ViewLimits&) = default;
};

} // namespace tervane
