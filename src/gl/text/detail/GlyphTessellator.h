#pragma once

#include <array>
#include <vector>

namespace tervane::detail {

/// One closed outline of a glyph: points in em units, y up, the closing point not repeated.
using GlyphContour = std::vector<std::array<double, 2>>;

/// Issues a glyph as a solid: the filled outline as front face at z = 0, the same as back face
/// at z = -depth and the walls between them, each with its normal, into whatever list is being
/// compiled (or drawn at once). nonZero selects the non-zero winding rule (TrueType outlines),
/// else even-odd. Returns false when the GLU tessellator reported an error; what it managed to
/// issue stays.
bool EmitExtrudedGlyph(const std::vector<GlyphContour>& contours, double depth, bool nonZero);

} // namespace tervane::detail
