#pragma once

namespace tervane {

/// Axis-aligned box that every GetBox returns; a plain value with no behaviour.
struct CBox {
    float MinX = 0.0f;
    float MaxX = 0.0f;
    float MinY = 0.0f;
    float MaxY = 0.0f;
    float MinZ = 0.0f;
    float MaxZ = 0.0f;

    friend bool operator==(const CBox&, const CBox&) = default;

    /// Start of a widening or a union: minimum above maximum on every axis, so the first
    /// real box or point replaces it, and a box left like this is known to hold nothing.
    static constexpr CBox Empty() { return {kReset, -kReset, kReset, -kReset, kReset, -kReset}; }

    /// Widens this box to hold other too; a box with minimum above maximum changes nothing.
    constexpr void Include(const CBox& other) {
        if (other.MinX < MinX) MinX = other.MinX;
        if (other.MaxX > MaxX) MaxX = other.MaxX;
        if (other.MinY < MinY) MinY = other.MinY;
        if (other.MaxY > MaxY) MaxY = other.MaxY;
        if (other.MinZ < MinZ) MinZ = other.MinZ;
        if (other.MaxZ > MaxZ) MaxZ = other.MaxZ;
    }

    /// The magnitude of Empty()'s bounds (documents and older files know boxes by it).
    static constexpr float kReset = 9999999.0f;
};

} // namespace tervane
