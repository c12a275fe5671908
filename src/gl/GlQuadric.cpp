#include "gl/GlQuadric.h"

#include <new>

namespace tervane {

GlQuadric::GlQuadric() : quadric_(gluNewQuadric()) {
    if (!quadric_) throw std::bad_alloc();
}

} // namespace tervane
