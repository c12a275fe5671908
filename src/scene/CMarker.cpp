#include "scene/CMarker.h"

namespace tervane {

CMarker CMarker::Init(float newX, float newY, float newZ) const {
    CMarker marker;
    marker.x = newX;
    marker.y = newY;
    marker.z = newZ;
    return marker;
}

std::array<float, 3> CMarker::ColorFractions() const {
    // Read the bytes of the unsigned pattern so a colour with the top bit set cannot yield
    // negative channels.
    const auto packed = static_cast<std::uint32_t>(Color);
    return {static_cast<float>(packed & 0xFFu) / 255.0f,
            static_cast<float>((packed >> 8) & 0xFFu) / 255.0f,
            static_cast<float>((packed >> 16) & 0xFFu) / 255.0f};
}

} // namespace tervane
