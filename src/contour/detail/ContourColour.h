#pragma once

namespace tervane::detail {

/// A colour as three fractions, as glColor3d takes it.
struct ContourRgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;

    friend bool operator==(const ContourRgb&, const ContourRgb&) = default;
};

/// Splits a packed colour (red in the low byte) into fractions of 255. Bits above the
/// third byte stay in blue, so such a colour can give a blue above 1 (GL clamps it).
ContourRgb SplitColor(int colour);

/// The colour of level: the second colour at zmin rising linearly to the first at zmax, or the
/// second colour throughout for the single-colour fill style. A constant field (zmax = zmin)
/// takes the second colour instead of dividing by zero.
ContourRgb LevelColour(float level, float zmin, float zmax, int fstFillStyle,
                       const ContourRgb& first, const ContourRgb& second);

} // namespace tervane::detail
