#include "graph/PhaseColour.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tervane {

namespace {

constexpr double kPi = std::numbers::pi;

double Encode(double linear) {
    linear = std::clamp(linear, 0.0, 1.0);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

double Decode(double encoded) {
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

// Lightness of |w| in OKLab: 0.08 at a zero, 0.62 at |w| = 1, 0.95 towards a pole, along
// t = √r / (√r + 1), which spreads the usual range of |w| (1/100 .. 100) over most of it.
double LightnessOf(double modulus) {
    if (std::isnan(modulus)) return 0.62;
    if (std::isinf(modulus)) return 0.95;
    const double s = std::sqrt(std::max(modulus, 0.0));
    const double t = s / (s + 1.0);
    return t < 0.5 ? 0.08 + (0.62 - 0.08) * 2.0 * t : 0.62 + (0.95 - 0.62) * (2.0 * t - 1.0);
}

// The largest chroma whose hue circle at lightness L stays inside sRGB for every hue (measured
// for OKLab: about 0.17·L up to L = 0.75, then falling to 0 at white), with a small margin.
double ChromaOf(double lightness) {
    return 0.97 * std::min(0.165 * lightness, 0.47 * (1.0 - lightness));
}

// A sawtooth from 0.78 to 1 over each unit of x: the colour darkens just past each step.
double Sawtooth(double x) {
    if (!std::isfinite(x)) return 1.0;
    return 0.78 + 0.22 * (x - std::floor(x));
}

} // namespace

std::array<float, 3> PhaseColour(double argument, double modulus,
                                 const PhaseColourOptions& options) {
    double lightness = LightnessOf(modulus);
    double chroma = ChromaOf(lightness);
    double factor = 1.0;
    if (options.Rings && modulus > 0.0) factor *= Sawtooth(std::log2(modulus));
    if (options.Rays) {
        double turn = std::fmod(argument, 2.0 * kPi);
        if (turn < 0) turn += 2.0 * kPi;
        factor *= Sawtooth(turn / (kPi / 6.0));
    }
    lightness *= factor;
    chroma *= factor;
    // Arg 0 sits at the OKLab hue of red (about 29°), so the wheel starts where users expect.
    const double hue = (std::isfinite(argument) ? argument : 0.0) + 29.0 * kPi / 180.0;
    const double a = chroma * std::cos(hue), b = chroma * std::sin(hue);

    const double l_ = lightness + 0.3963377774 * a + 0.2158037573 * b;
    const double m_ = lightness - 0.1055613458 * a - 0.0638541728 * b;
    const double s_ = lightness - 0.0894841775 * a - 1.2914855480 * b;
    const double l = l_ * l_ * l_, m = m_ * m_ * m_, s = s_ * s_ * s_;
    const double r = 4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s;
    const double g = -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s;
    const double bl = -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s;
    return {static_cast<float>(Encode(r)), static_cast<float>(Encode(g)),
            static_cast<float>(Encode(bl))};
}

std::array<double, 3> SrgbToOklab(const std::array<float, 3>& rgb) {
    const double r = Decode(rgb[0]), g = Decode(rgb[1]), b = Decode(rgb[2]);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

} // namespace tervane
