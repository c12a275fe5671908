#pragma once

#include "scene/AxesGeometry.h"

namespace tervane {

class GlFonts;

/// Issues a coordinate-system description into GL (normally the scene list being compiled):
/// for each pass in order its state switches, polygon mode and material, then its quads (normal,
/// corner colours), triangles, lines (each with its colour and width), labels through the fonts
/// and cones through a GLU quadric.
///
/// State a pass switches stays switched, exactly as the description orders it (its last pass
/// turns lighting on again); text and cones restore the model-view matrix they move.
void IssueAxes(const AxesGeometry& geometry, const GlFonts& fonts);

} // namespace tervane
