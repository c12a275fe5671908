#pragma once

#include <locale>
#include <string>

namespace tervane {

/// How the box-style tick labels write numbers: the user's decimal mark and digit grouping, one
/// digit after the decimal mark and a leading zero.
struct AxisNumberFormat {
    /// Text between the whole part and the tenths.
    std::string decimalPoint = ".";
    /// Text between digit groups of the whole part.
    std::string groupSeparator = ",";
    /// Digits per group, counted from the decimal mark; 0 writes the whole part ungrouped.
    int groupSize = 3;

    /// The decimal mark and grouping of a C++ locale (std::locale("") is the user's setting).
    [[nodiscard]] static AxisNumberFormat FromLocale(const std::locale& locale);

    /// The value rounded half away from zero to one decimal, e.g. "-1,234.5" or "0.0". A value
    /// that rounds to zero is written without a sign.
    [[nodiscard]] std::string Format(double value) const;

    friend bool operator==(const AxisNumberFormat&, const AxisNumberFormat&) = default;
};

} // namespace tervane
