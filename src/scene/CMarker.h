#pragma once

#include <array>
#include <cstdint>

namespace tervane {

/// Point object: the camera's eye and reference points and the points of animated point graphs.
struct CMarker {
    /// Slices and stacks of the sphere a three-dimensional scene draws for a marker.
    static constexpr int kSphereSlices = 32;
    static constexpr int kSphereStacks = 32;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    /// Packed RGB, red in the low byte.
    std::int32_t Color = 0;
    /// Size factor; the drawn sphere radius and the 2D symbol sizes derive from it.
    float Size = 0.15f;
    /// Outline instead of filled symbol in two-dimensional documents.
    bool Hollow = false;
    /// Symbol number for two-dimensional documents.
    std::int32_t Symbol = 0;
    /// Shown flag, kept for the owner; the marker itself never reads it.
    bool Show = false;

    /// A fresh marker (default properties) at the given position; this one stays unchanged.
    [[nodiscard]] CMarker Init(float newX, float newY, float newZ) const;

    /// Radius of the sphere drawn in three-dimensional scenes; never zero, so a tiny Size stays
    /// visible.
    [[nodiscard]] float SphereRadius() const { return Size * 0.05f + 0.05f; }

    /// Red, green and blue fractions of Color (each byte / 255), as glColor expects.
    [[nodiscard]] std::array<float, 3> ColorFractions() const;

    friend bool operator==(const CMarker&, const CMarker&) = default;
};

} // namespace tervane
