#include "scene/CMaterial.h"

#include "core/MaterialPresets.h"
#include "scene/detail/Subscript.h"

namespace tervane {

using detail::CheckedIndex;

float CMaterial::Ambient(int index) const {
    return ambient_[CheckedIndex(index, 4)];
}
void CMaterial::SetAmbient(int index, float value) {
    ambient_[CheckedIndex(index, 4)] = value;
}

float CMaterial::Diffuse(int index) const {
    return diffuse_[CheckedIndex(index, 4)];
}
void CMaterial::SetDiffuse(int index, float value) {
    diffuse_[CheckedIndex(index, 4)] = value;
}

float CMaterial::Specular(int index) const {
    return specular_[CheckedIndex(index, 4)];
}
void CMaterial::SetSpecular(int index, float value) {
    specular_[CheckedIndex(index, 4)] = value;
}

float CMaterial::Emission(int index) const {
    return emission_[CheckedIndex(index, 4)];
}
void CMaterial::SetEmission(int index, float value) {
    emission_[CheckedIndex(index, 4)] = value;
}

float CMaterial::Shininess(int index) const {
    return shininess_[CheckedIndex(index, 1)];
}
void CMaterial::SetShininess(int index, float value) {
    shininess_[CheckedIndex(index, 1)] = value;
}

MaterialSetup CMaterial::SetMaterial(int number) {
    if (const MaterialPreset* preset = FindMaterialPreset(number)) {
        ambient_ = preset->ambient;
        diffuse_ = preset->diffuse;
        specular_ = preset->specular;
        emission_ = preset->emission;
        shininess_[0] = preset->shininess;
    }
    return Setup();
}

MaterialSetup CMaterial::Setup() const {
    return MaterialSetup{diffuse_, specular_, shininess_[0], emission_, ambient_};
}

} // namespace tervane
