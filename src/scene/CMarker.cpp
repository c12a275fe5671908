#include "scene/CMarker.h"

#include "core/PackedColor.h"

namespace tervane {

CMarker CMarker::Init(float newX, float newY, float newZ) const {
    CMarker marker;
    marker.x = newX;
    marker.y = newY;
    marker.z = newZ;
    return marker;
}

std::array<float, 3> CMarker::ColorFractions() const {
    return tervane::ColorFractions<float>(Color);
}

} // namespace tervane
