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
};

} // namespace tervane
