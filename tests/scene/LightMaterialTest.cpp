#include "core/MaterialPresets.h"
#include "scene/CLight.h"
#include "scene/CMaterial.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tervane {
namespace {

using Four = std::array<float, 4>;

TEST(CLightTest, DefaultsGiveTwoOpposedWhiteLights) {
    const LightSetup setup = CLight{}.Setup();
    EXPECT_TRUE(setup.enabled);
    EXPECT_EQ(setup.light0Position, (Four{100, 100, 100, 1}));
    EXPECT_EQ(setup.light1Position, (Four{-100, -100, -100, 1}));
    EXPECT_EQ(setup.diffuse, (Four{1, 1, 1, 1}));
    EXPECT_EQ(setup.ambient, (Four{1, 1, 1, 1}));
    EXPECT_EQ(setup.specular, (Four{1, 1, 1, 1}));
    EXPECT_EQ(setup.modelAmbient, (Four{1, 1, 1, 1}));
    EXPECT_EQ(setup.modelTwoSide, 1.0f);
}

TEST(CLightTest, SetupFollowsEditedProperties) {
    CLight light;
    light.SetEnabled(false);
    light.SetPosition(0, 0.0f); // what "Color Map" does: light on the viewing axis
    light.SetPosition(1, 0.0f);
    light.SetPosition(3, 0.0f); // a directional light 0 still mirrors to a positional light 1
    light.SetDiffuse(2, 0.25f);
    light.SetAmission(0, 0.5f);
    light.SetSpecular(3, 0.75f);
    light.SetGlobalAmbient(0, 0.0f);
    light.SetTwoSides(0, 0.0f);

    const LightSetup setup = light.Setup();
    EXPECT_FALSE(setup.enabled);
    EXPECT_EQ(setup.light0Position, (Four{0, 0, 100, 0}));
    EXPECT_EQ(setup.light1Position, (Four{-0.0f, -0.0f, -100, 1}));
    EXPECT_EQ(setup.diffuse, (Four{1, 1, 0.25f, 1}));
    EXPECT_EQ(setup.ambient, (Four{0.5f, 1, 1, 1}));
    EXPECT_EQ(setup.specular, (Four{1, 1, 1, 0.75f}));
    EXPECT_EQ(setup.modelAmbient, (Four{0, 0, 0, 1}));
    EXPECT_EQ(setup.modelTwoSide, 0.0f);
}

// Every indexed property accepts exactly its own index range.
TEST(IndexedPropertyTest, RejectsIndicesOutsideTheirRange) {
    struct Row {
        std::string name;
        int size;
        std::function<void(int)> get;
        std::function<void(int)> set;
    };
    CLight light;
    CMaterial material;
    const Row rows[] = {
        {"Position", 4, [&](int i) { (void)light.Position(i); },
         [&](int i) { light.SetPosition(i, 1); }},
        {"GlobalAmbient", 1, [&](int i) { (void)light.GlobalAmbient(i); },
         [&](int i) { light.SetGlobalAmbient(i, 1); }},
        {"Ambient", 4, [&](int i) { (void)material.Ambient(i); },
         [&](int i) { material.SetAmbient(i, 1); }},
        {"Shininess", 1, [&](int i) { (void)material.Shininess(i); },
         [&](int i) { material.SetShininess(i, 1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (int i = 0; i < row.size; ++i) {
            EXPECT_NO_THROW(row.get(i));
            EXPECT_NO_THROW(row.set(i));
        }
        for (int bad : {-1, row.size, row.size + 1}) {
            EXPECT_THROW(row.get(bad), std::out_of_range) << bad;
            EXPECT_THROW(row.set(bad), std::out_of_range) << bad;
        }
    }
}

TEST(CMaterialTest, FreshMaterialIsAllZero) {
    const CMaterial material;
    const MaterialSetup setup = material.Setup();
    EXPECT_EQ(setup.ambient, Four{});
    EXPECT_EQ(setup.diffuse, Four{});
    EXPECT_EQ(setup.specular, Four{});
    EXPECT_EQ(setup.emission, Four{});
    EXPECT_EQ(setup.shininess, 0.0f);
    EXPECT_EQ(material.MatType(), 0);
}

TEST(CMaterialTest, NumbersOutsideThePresetsChangeNothing) {
    for (int number : {0, -1, 14, 1000}) {
        SCOPED_TRACE(number);
        CMaterial fresh;
        const MaterialSetup zero = fresh.SetMaterial(number);
        EXPECT_EQ(zero.diffuse, Four{});
        EXPECT_EQ(zero.specular, Four{});
        EXPECT_EQ(zero.emission, Four{});
        EXPECT_EQ(zero.ambient, Four{});
        EXPECT_EQ(zero.shininess, 0.0f);

        CMaterial loaded;
        loaded.SetMaterial(4);
        loaded.SetMatType(9);
        const MaterialSetup kept = loaded.SetMaterial(number);
        EXPECT_EQ(kept.diffuse, (Four{0.49697f, 0.344891f, 0, 0}));
        EXPECT_FLOAT_EQ(kept.shininess, 118.690944f);
        EXPECT_EQ(loaded.MatType(), 9);
    }
}

TEST(CMaterialTest, PresetRowsAsLoaded) {
    struct Row {
        int number;
        std::string_view name;
        Four ambient, diffuse, specular, emission;
        float shininess;
    };
    // A sample of rows typed independently of the preset table, covering the special cases.
    const Row rows[] = {
        {3,
         "Glass",
         {0.187004f, 0.0748842f, 0, 0.34747f},
         {0.748016f, 0.299537f, 0, 0.34747f},
         {0.836364f, 0.836364f, 0.836364f, 0.34747f},
         {0, 0, 0, 0.34747f},
         117.915136f},
        {5,
         "Neon",
         {0, 0, 0, 0},
         {0, 0, 0, 0},
         {0.622449f, 0.622449f, 0.622449f, 0},
         {0.0188407f, 0.940276f, 1, 0},
         6.5306112f},
        {13,
         "Winter",
         {0.0486486f, 0.0486486f, 0.0486486f, 0},
         {0.205405f, 0.205405f, 0.205405f, 0},
         {0.686486f, 0.676818f, 0.684159f, 0},
         {0, 0, 0, 0},
         128},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CMaterial material;
        const MaterialSetup setup = material.SetMaterial(row.number);
        EXPECT_EQ(setup.ambient, row.ambient);
        EXPECT_EQ(setup.diffuse, row.diffuse);
        EXPECT_EQ(setup.specular, row.specular);
        EXPECT_EQ(setup.emission, row.emission);
        EXPECT_EQ(setup.shininess, row.shininess);
        EXPECT_EQ(material.Diffuse(3), row.diffuse[3]);
        EXPECT_EQ(FindMaterialPreset(row.number)->name, row.name);
    }
}

TEST(MaterialPresetsTest, ListOrderAndTableProperties) {
    const std::string_view names[] = {"Artdeco", "Autumn", "Recoco", "Santefe"};
    const int numbers[] = {1, 2, 6, 7};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(FindMaterialPreset(numbers[i])->name, names[i]);
    }
    EXPECT_EQ(FindMaterialPreset(0), nullptr);
    EXPECT_EQ(FindMaterialPreset(14), nullptr);

    int withEmission = 0;
    int translucent = 0;
    for (const MaterialPreset& preset : MaterialPresets()) {
        SCOPED_TRACE(std::string(preset.name));
        EXPECT_GT(preset.shininess, 0.0f);
        EXPECT_LE(preset.shininess, 128.0f); // the GL limit
        if (preset.emission != Four{}) ++withEmission;
        if (preset.ambient[3] != 0 && preset.diffuse[3] != 0 && preset.specular[3] != 0 &&
            preset.emission[3] != 0)
            ++translucent;
    }
    EXPECT_EQ(withEmission, 2); // Neon's colour and Glass's alpha
    EXPECT_EQ(translucent, 1);  // only Glass
}

} // namespace
} // namespace tervane
