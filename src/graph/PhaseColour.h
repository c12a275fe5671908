#pragma once

#include <array>

namespace tervane {

/// Options of the phase colouring.
struct PhaseColourOptions {
    /// Lightness steps at each power of 2 of |w|.
    bool Rings = false;
    /// Lightness steps at each multiple of π/6 of arg w.
    bool Rays = false;
};

/// The colour (sRGB, each channel 0..1) of the value w = |w|·e^(i·arg) in the phase scheme:
/// the hue goes round a colour wheel taken at constant lightness and chroma in OKLab, so equal
/// steps of arg give equal steps of colour; the lightness grows with |w| (black at a zero, white
/// at a pole, the middle at |w| = 1), and the optional rings and rays darken the colour in a
/// sawtooth that restarts at each power of 2 of |w| and each multiple of π/6 of arg. Arg 0 is
/// red, π/2 yellow-green, π cyan-blue, −π/2 violet.
std::array<float, 3> PhaseColour(double argument, double modulus,
                                 const PhaseColourOptions& options = {});

/// An sRGB colour (0..1 a channel) in OKLab (L, a, b); the inverse of the conversion
/// PhaseColour uses, for checking colour distances.
std::array<double, 3> SrgbToOklab(const std::array<float, 3>& rgb);

} // namespace tervane
