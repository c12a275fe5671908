#include "core/CBox.h"
#include "scene/CMarker.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tervane {
namespace {

TEST(CMarkerTest, InitMakesFreshMarkerAndLeavesSourceAlone) {
    CMarker source;
    source.x = 7.0f;
    source.Color = 0x123456;
    source.Size = 2.0f;
    source.Show = true;
    const CMarker before = source;

    const CMarker made = source.Init(1.5f, -2.0f, 3.25f);

    EXPECT_EQ(source, before);
    CMarker expected;
    expected.x = 1.5f;
    expected.y = -2.0f;
    expected.z = 3.25f;
    EXPECT_EQ(made, expected); // position only; everything else at defaults
}

TEST(CMarkerTest, DefaultSizeGivesSphereRadius) {
    EXPECT_FLOAT_EQ(CMarker{}.SphereRadius(), 0.0575f);
}

TEST(CMarkerTest, ColorFractionsSplitPackedRgbRedLow) {
    struct Row {
        std::int32_t color;
        float r, g, b;
    };
    const Row rows[] = {
        {0x000000, 0.0f, 0.0f, 0.0f},
        {0x0000FF, 1.0f, 0.0f, 0.0f},
        {0x00FF00, 0.0f, 1.0f, 0.0f},
        {0xFF0000, 0.0f, 0.0f, 1.0f},
        {0x336699, 0x99 / 255.0f, 0x66 / 255.0f, 0x33 / 255.0f},
        // The top byte is not a channel and a set sign bit must not make channels negative.
        {static_cast<std::int32_t>(0xFF8040C0u), 0xC0 / 255.0f, 0x40 / 255.0f, 0x80 / 255.0f},
    };
    for (const Row& row : rows) {
        CMarker marker;
        marker.Color = row.color;
        const auto rgb = marker.ColorFractions();
        EXPECT_FLOAT_EQ(rgb[0], row.r) << std::hex << row.color;
        EXPECT_FLOAT_EQ(rgb[1], row.g) << std::hex << row.color;
        EXPECT_FLOAT_EQ(rgb[2], row.b) << std::hex << row.color;
    }
}

} // namespace
} // namespace tervane
