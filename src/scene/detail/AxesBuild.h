#pragma once

#include "scene/AxesGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace tervane::detail {

using Point = AxesGeometry::Point;
using Colour = AxesGeometry::Colour;

inline constexpr Colour kBlack{0.0f, 0.0f, 0.0f};
inline constexpr Colour kBlue{0.0f, 0.0f, 1.0f};
inline constexpr Colour kRed{1.0f, 0.0f, 0.0f};

// Geometry is worked out in double from the float box and narrowed once, at the vertex.
inline Point P(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

inline AxesGeometry::Line MakeLine(Point from, Point to, Colour colour, float width = 1.0f) {
    return {from, to, colour, width};
}

// Characters of a UTF-8 text (continuation bytes do not count), the unit of the width estimate.
inline std::size_t CharCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Text width in scene units, estimated from the character count alone.
inline double TextWidth(std::string_view text) {
    return static_cast<double>(CharCount(text)) / 3.9;
}

// A line width GL accepts: a stored width below 1 would be rejected and leave the old width.
inline float SafeWidth(std::int32_t width) {
    return static_cast<float>(std::max<std::int32_t>(width, 1));
}

// Whole numbers without a fraction ("-3", "15"); anything else in its shortest exact form.
inline std::string PlainNumberText(double value) {
    if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::floor(value)) {
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// The axes of the two-dimensional scene kinds (1 and 4); AxesGeometry2D.cpp.
AxesGeometry TwoDimensionalAxes(const CAxes& axes, const CBox& box, float labelUnitBase);

} // namespace tervane::detail
