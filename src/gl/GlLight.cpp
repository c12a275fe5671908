#include "gl/GlLight.h"

#include <GL/gl.h>

namespace tervane {

void IssueLight(const LightSetup& setup) {
    if (!setup.enabled) {
        glDisable(GL_LIGHTING);
        glDisable(GL_LIGHT0);
        glDisable(GL_LIGHT1);
        return;
    }
    for (const GLenum light : {GL_LIGHT0, GL_LIGHT1}) {
        glLightfv(light, GL_POSITION,
                  light == GL_LIGHT0 ? setup.light0Position.data() : setup.light1Position.data());
        glLightfv(light, GL_DIFFUSE, setup.diffuse.data());
        glLightfv(light, GL_AMBIENT, setup.ambient.data());
        glLightfv(light, GL_SPECULAR, setup.specular.data());
    }
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, setup.modelAmbient.data());
    glLightModelf(GL_LIGHT_MODEL_TWO_SIDE, setup.modelTwoSide);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
}

void SetLight(const CLight& light) {
    IssueLight(light.Setup());
}

} // namespace tervane
