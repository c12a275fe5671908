#pragma once

#include <span>

namespace tervane::detail {

/// The contour levels of one field: zmin, zmin + step, ... up to zmax, counted in single
/// precision. Only finite samples count; invalid (NaN) points never reach the levels.
struct ContourLevels {
    bool hasSamples = false; ///< false when no sample is finite: there is nothing to trace
    float zmin = 0.0f;
    float zmax = 0.0f;
    float step = 0.0f;

    /// Calls visit(index, level) for every level, lowest first.
    ///
    /// The level is advanced by repeated single-precision addition, so the top level is
    /// reached or missed exactly as the accumulated sum falls. The sequence ends when the
    /// sum no longer grows: a zero step (a constant field) yields the one level zmin, and a
    /// step too small to move a large zmin cannot loop for ever. A negative step (a
    /// negative level count) counts away from zmax and yields no level.
    template <class Visit> void ForEach(Visit&& visit) const {
        if (!hasSamples || !(step >= 0.0f)) return;
        int index = 0;
        for (float level = zmin; level <= zmax; ++index) {
            visit(index, level);
            const float next = level + step;
            if (!(next > level)) break;
            level = next;
        }
    }
};

/// Scans z for the smallest and largest finite sample and divides the range into lngLevel
/// intervals. Throws std::domain_error when lngLevel is 0 (the step would divide by zero).
ContourLevels ComputeLevels(std::span<const float> z, int lngLevel);

/// Adds 0.00001 to every value within 0.0001 of a level, level by level, so that no node
/// sits exactly on a level and every crossing falls strictly inside an edge.
void LiftNodesOffLevels(std::span<float> z, const ContourLevels& levels);

} // namespace tervane::detail
