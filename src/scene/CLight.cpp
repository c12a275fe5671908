#include "scene/CLight.h"

#include "scene/detail/Subscript.h"

namespace tervane {

using detail::CheckedIndex;

float CLight::Position(int index) const {
    return position_[CheckedIndex(index, 4)];
}
void CLight::SetPosition(int index, float value) {
    position_[CheckedIndex(index, 4)] = value;
}

float CLight::Diffuse(int index) const {
    return diffuse_[CheckedIndex(index, 4)];
}
void CLight::SetDiffuse(int index, float value) {
    diffuse_[CheckedIndex(index, 4)] = value;
}

float CLight::Amission(int index) const {
    return amission_[CheckedIndex(index, 4)];
}
void CLight::SetAmission(int index, float value) {
    amission_[CheckedIndex(index, 4)] = value;
}

float CLight::Specular(int index) const {
    return specular_[CheckedIndex(index, 4)];
}
void CLight::SetSpecular(int index, float value) {
    specular_[CheckedIndex(index, 4)] = value;
}

float CLight::GlobalAmbient(int index) const {
    return globalAmbient_[CheckedIndex(index, 1)];
}
void CLight::SetGlobalAmbient(int index, float value) {
    globalAmbient_[CheckedIndex(index, 1)] = value;
}

float CLight::TwoSides(int index) const {
    return twoSides_[CheckedIndex(index, 1)];
}
void CLight::SetTwoSides(int index, float value) {
    twoSides_[CheckedIndex(index, 1)] = value;
}

LightSetup CLight::Setup() const {
    LightSetup setup;
    setup.enabled = enabled_;
    setup.light0Position = position_;
    // Light 1 is always a positional light, whatever w light 0 has.
    setup.light1Position = {-position_[0], -position_[1], -position_[2], 1.0f};
    setup.diffuse = diffuse_;
    setup.ambient = amission_;
    setup.specular = specular_;
    // The dialog's single on/off level becomes a grey ambient; alpha stays opaque.
    const float level = globalAmbient_[0];
    setup.modelAmbient = {level, level, level, 1.0f};
    setup.modelTwoSide = twoSides_[0];
    return setup;
}

} // namespace tervane
