#include "scene/BoxProportions.h"

#include "core/Codes.h"

#include <gtest/gtest.h>

#include <array>

namespace tervane {
namespace {

TEST(BoxProportions, AutomaticMakesACubeOnlyOfBoxesWithASideUnderAFifthOfAnother) {
    using S = std::array<float, 3>;
    struct Row {
        CBox box;
        BoxRatio ratio;
        std::int32_t kind;
        S scale;
    };
    const Row rows[] = {
        // x 4, y (height) 20, z 4: one fifth is not under a fifth.
        {{-2, 2, 0, 20, -2, 2}, BoxRatio::Automatic, kScene3D, {1, 1, 1}},
        {{-2, 2, 0, 21, -2, 2}, BoxRatio::Automatic, kScene3D, {5.25f, 1, 5.25f}},
        {{-2, 2, 0, 21, -2, 2}, BoxRatio::TrueScale, kScene3D, {1, 1, 1}},
        {{-2, 2, 0, 2, -2, 2}, BoxRatio::Cube, kSceneBoxAlt, {1, 2, 1}},
        // A flat graph keeps its flat side; the others are not stretched for it.
        {{-2, 2, 3, 3, -2, 2}, BoxRatio::Automatic, kScene3D, {1, 1, 1}},
        {{-2, 2, 3, 3, -1, 1}, BoxRatio::Cube, kScene3D, {1, 1, 2}},
        // Colour maps and the plane kinds are never scaled; nor is an empty box.
        {{-2, 2, 0, 100, -2, 2}, BoxRatio::Cube, kSceneColorMap, {1, 1, 1}},
        {{-2, 2, 0, 100, -2, 2}, BoxRatio::Cube, kScenePlane, {1, 1, 1}},
        {CBox::Empty(), BoxRatio::Cube, kScene3D, {1, 1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(BoxRatioName(row.ratio)) + " " + std::to_string(row.box.MaxY));
        const S scale = BoxScale(row.box, row.ratio, row.kind);
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_FLOAT_EQ(scale[k], row.scale[k]) << k;
    }
    const CBox cube =
        ScaledBox({-2, 2, 0, 21, -1, 3}, BoxScale({-2, 2, 0, 21, -1, 3}, BoxRatio::Cube, kScene3D));
    EXPECT_FLOAT_EQ(cube.MaxX - cube.MinX, 21.0f);
    EXPECT_FLOAT_EQ(cube.MaxZ - cube.MinZ, 21.0f);
}

TEST(BoxProportions, NamesReadBack) {
    for (const BoxRatio r : {BoxRatio::Automatic, BoxRatio::TrueScale, BoxRatio::Cube})
        EXPECT_EQ(ParseBoxRatio(BoxRatioName(r)), r);
    EXPECT_FALSE(ParseBoxRatio("square"));
}

} // namespace
} // namespace tervane
