#pragma once

#include <GL/gl.h>

namespace tervane {

/// Pushes a server attribute group for the lifetime of the guard, so drawing code that changes
/// state leaves the caller's state as it found it, also when an exception unwinds it.
class GlAttribGuard {
public:
    explicit GlAttribGuard(GLbitfield mask) { glPushAttrib(mask); }
    ~GlAttribGuard() { glPopAttrib(); }
    GlAttribGuard(const GlAttribGuard&) = delete;
    GlAttribGuard& operator=(const GlAttribGuard&) = delete;
};

/// Pushes a client attribute group (pixel store modes) for the lifetime of the guard.
class GlClientAttribGuard {
public:
    explicit GlClientAttribGuard(GLbitfield mask) { glPushClientAttrib(mask); }
    ~GlClientAttribGuard() { glPopClientAttrib(); }
    GlClientAttribGuard(const GlClientAttribGuard&) = delete;
    GlClientAttribGuard& operator=(const GlClientAttribGuard&) = delete;
};

/// Saves the model-view matrix for the lifetime of the guard.
class GlMatrixGuard {
public:
    GlMatrixGuard() {
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
    }
    ~GlMatrixGuard() {
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
    GlMatrixGuard(const GlMatrixGuard&) = delete;
    GlMatrixGuard& operator=(const GlMatrixGuard&) = delete;
};

} // namespace tervane
