#pragma once

#include <array>
#include <cstdint>

namespace tervane {

// A packed colour holds red in the low byte, green in the second and blue in the third. The top
// byte is ignored, so every value (negative ones too) splits into bytes of 0..255.

/// Red byte of a packed colour.
[[nodiscard]] constexpr int RedOf(std::int32_t colour) {
    return static_cast<int>(static_cast<std::uint32_t>(colour) & 0xFFu);
}
/// Green byte of a packed colour.
[[nodiscard]] constexpr int GreenOf(std::int32_t colour) {
    return static_cast<int>((static_cast<std::uint32_t>(colour) >> 8) & 0xFFu);
}
/// Blue byte of a packed colour.
[[nodiscard]] constexpr int BlueOf(std::int32_t colour) {
    return static_cast<int>((static_cast<std::uint32_t>(colour) >> 16) & 0xFFu);
}

/// Red, green and blue of a packed colour as fractions of 255.
template <typename T> [[nodiscard]] constexpr std::array<T, 3> ColorFractions(std::int32_t colour) {
    return {static_cast<T>(RedOf(colour)) / static_cast<T>(255),
            static_cast<T>(GreenOf(colour)) / static_cast<T>(255),
            static_cast<T>(BlueOf(colour)) / static_cast<T>(255)};
}

/// The packed colour of three bytes.
[[nodiscard]] constexpr std::int32_t PackColor(int red, int green, int blue) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(blue & 0xFF) << 16) |
                                     (static_cast<std::uint32_t>(green & 0xFF) << 8) |
                                     static_cast<std::uint32_t>(red & 0xFF));
}

} // namespace tervane
