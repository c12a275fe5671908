#include "gl/GlMaterial.h"

#include <GL/gl.h>

namespace tervane {

void IssueMaterial(const MaterialSetup& setup) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, setup.diffuse.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, setup.specular.data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, setup.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, setup.emission.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, setup.ambient.data());
}

void SetMaterial(CMaterial& material, int number) {
    IssueMaterial(material.SetMaterial(number));
}

void ApplyGraphMaterial(int materialNumber) {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, materialNumber == kNeonMaterial ? GL_EMISSION : GL_DIFFUSE);
    CMaterial material;
    SetMaterial(material, materialNumber);
}

void ApplyPanelMaterial(int materialNumber) {
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    CMaterial material;
    SetMaterial(material, materialNumber);
}

} // namespace tervane
