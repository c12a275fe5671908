#include "scene/AxisNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace tervane {

AxisNumberFormat AxisNumberFormat::FromLocale(const std::locale& locale) {
    const auto& punct = std::use_facet<std::numpunct<char>>(locale);
    AxisNumberFormat format;
    format.decimalPoint = std::string(1, punct.decimal_point());
    format.groupSeparator = std::string(1, punct.thousands_sep());
    const std::string grouping = punct.grouping();
    // A first group size of 0 or CHAR_MAX (or no grouping at all) means the locale does not group.
    const int first = grouping.empty() ? 0 : static_cast<unsigned char>(grouping[0]);
    format.groupSize = (first > 0 && first < 127) ? first : 0;
    return format;
}

std::string AxisNumberFormat::Format(double value) const {
    if (!std::isfinite(value)) {
        return value != value ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    }
    // Whole tenths; beyond 1e17 a double carries no tenths anyway, so the tenths digit is 0 there.
    std::string whole;
    int tenth = 0;
    bool negative = false;
    if (std::fabs(value) < 1e17) {
        const long long tenths = std::llround(value * 10.0);
        negative = tenths < 0;
        const unsigned long long magnitude =
            negative ? 0ULL - static_cast<unsigned long long>(tenths) : tenths;
        whole = std::to_string(magnitude / 10);
        tenth = static_cast<int>(magnitude % 10);
    } else {
        negative = value < 0;
        char buffer[400];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                          std::chars_format::fixed, 0);
        whole.assign(buffer, result.ptr);
    }

    std::string grouped;
    if (groupSize > 0) {
        const std::size_t size = static_cast<std::size_t>(groupSize);
        const std::size_t lead = whole.size() % size == 0 ? size : whole.size() % size;
        grouped = whole.substr(0, lead);
        for (std::size_t i = lead; i < whole.size(); i += size) {
            grouped += groupSeparator;
            grouped += whole.substr(i, size);
        }
    } else {
        grouped = whole;
    }
    std::string text = negative ? "-" : "";
    text += grouped;
    text += decimalPoint;
    text += static_cast<char>('0' + tenth);
    return text;
}

} // namespace tervane
