#pragma once

#include <GL/glu.h>

#include <memory>

namespace tervane {

/// A GLU quadric object owned for its lifetime (smooth normals, filled, GLU's defaults).
class GlQuadric {
public:
    /// Creates the quadric; throws std::bad_alloc when GLU cannot.
    GlQuadric();

    /// The object to pass to gluSphere, gluCylinder and the like.
    [[nodiscard]] GLUquadric* Get() const { return quadric_.get(); }

private:
    struct Deleter {
        void operator()(GLUquadric* quadric) const { gluDeleteQuadric(quadric); }
    };
    std::unique_ptr<GLUquadric, Deleter> quadric_;
};

} // namespace tervane
