#include "GlTestSupport.h"

#include "core/Codes.h"
#include "core/MaterialPresets.h"
#include "gl/GlLight.h"
#include "gl/GlMarker.h"
#include "gl/GlMaterial.h"

#include <array>

namespace tervane {
namespace {

using testing::GlTest;
using Four = std::array<float, 4>;

Four GetLight(GLenum light, GLenum name) {
    Four value{};
    glGetLightfv(light, name, value.data());
    return value;
}

Four GetMaterial(GLenum face, GLenum name) {
    Four value{};
    glGetMaterialfv(face, name, value.data());
    return value;
}

class GlLightTest : public GlTest {};

TEST_F(GlLightTest, EnabledLightDrivesTwoMirroredLights) {
    CLight light;
    light.SetDiffuse(0, 0.5f);
    light.SetAmission(1, 0.25f);
    light.SetSpecular(2, 0.75f);
    SetLight(light);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    // With the identity model-view the eye-space positions are the given ones.
    EXPECT_EQ(GetLight(GL_LIGHT0, GL_POSITION), (Four{100, 100, 100, 1}));
    EXPECT_EQ(GetLight(GL_LIGHT1, GL_POSITION), (Four{-100, -100, -100, 1}));
    for (const GLenum id : {GL_LIGHT0, GL_LIGHT1}) {
        EXPECT_EQ(GetLight(id, GL_DIFFUSE), (Four{0.5f, 1, 1, 1}));
        EXPECT_EQ(GetLight(id, GL_AMBIENT), (Four{1, 0.25f, 1, 1}));
        EXPECT_EQ(GetLight(id, GL_SPECULAR), (Four{1, 1, 0.75f, 1}));
    }
    Four ambient{};
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient.data());
    EXPECT_EQ(ambient, (Four{1, 1, 1, 1}));
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, GL_TRUE);
}

TEST_F(GlLightTest, DisabledLightSwitchesAllThreeOff) {
    CLight light;
    SetLight(light);
    light.SetEnabled(false);
    SetLight(light);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
}

TEST_F(GlLightTest, EveryPresetIsIssuedForBothFaces) {
    for (int number = 1; number <= kMaterialPresetCount; ++number) {
        SCOPED_TRACE(number);
        const MaterialPreset& preset = *FindMaterialPreset(number);
        CMaterial material;
        SetMaterial(material, number);
        for (const GLenum face : {GL_FRONT, GL_BACK}) {
            EXPECT_EQ(GetMaterial(face, GL_AMBIENT), preset.ambient);
            EXPECT_EQ(GetMaterial(face, GL_DIFFUSE), preset.diffuse);
            EXPECT_EQ(GetMaterial(face, GL_SPECULAR), preset.specular);
            EXPECT_EQ(GetMaterial(face, GL_EMISSION), preset.emission);
            EXPECT_EQ(GetMaterial(face, GL_SHININESS)[0], preset.shininess);
        }
    }
    // Glass is the translucent one.
    CMaterial glass;
    SetMaterial(glass, 3);
    EXPECT_FLOAT_EQ(GetMaterial(GL_FRONT, GL_DIFFUSE)[3], 0.34747f);
}

TEST_F(GlLightTest, UnknownNumberOnAFreshMaterialIssuesZeros) {
    CMaterial preset;
    SetMaterial(preset, 9);
    CMaterial fresh;
    SetMaterial(fresh, 0);
    for (const GLenum face : {GL_FRONT, GL_BACK}) {
        for (const GLenum name : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_EMISSION})
            EXPECT_EQ(GetMaterial(face, name), (Four{0, 0, 0, 0}));
        EXPECT_EQ(GetMaterial(face, GL_SHININESS)[0], 0.0f);
    }
}

TEST_F(GlLightTest, ColourTrackingFollowsTheMaterial) {
    struct Row {
        int material;
        GLint tracked;
    };
    for (const Row row : {Row{5, GL_EMISSION}, Row{1, GL_DIFFUSE}, Row{0, GL_DIFFUSE}}) {
        SCOPED_TRACE(row.material);
        glDisable(GL_COLOR_MATERIAL);
        ApplyGraphMaterial(row.material);
        EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
        GLint face = 0;
        GLint parameter = 0;
        glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
        glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &parameter);
        EXPECT_EQ(face, GL_FRONT_AND_BACK);
        EXPECT_EQ(parameter, row.tracked);
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    ApplyPanelMaterial(5);
    GLint parameter = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &parameter);
    EXPECT_EQ(parameter, GL_DIFFUSE); // panels track the diffuse colour even for Neon
    GLint modes[2] = {};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_FILL);
    EXPECT_EQ(modes[1], GL_FILL);
    // Neon's own emission is issued; the tracked diffuse comes from the colour.
    EXPECT_FLOAT_EQ(GetMaterial(GL_FRONT, GL_EMISSION)[1], 0.940276f);
}

class GlMarkerTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        // 0.2 units across 128 pixels: a sphere of radius 0.0575 is about 74 pixels wide.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.1, 0.1, -0.1, 0.1, -10.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
    }
};

TEST_F(GlMarkerTest, LitSphereIsBrightestFacingTheLight) {
    CLight light;
    light.SetPosition(0, 0.0f); // on the viewing axis, as the colour map sets it
    light.SetPosition(1, 0.0f);
    light.SetGlobalAmbient(0, 0.0f);
    SetLight(light);
    ApplyGraphMaterial(0); // zero material: only the tracked diffuse colour lights it
    CMarker marker;
    marker.Color = 0x00C0C0C0;
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    DrawMarker(marker, 3);

    const QImage image = Frame();
    EXPECT_NEAR(InkWidth(image), 0.0575 / 0.2 * 2 * kSize, 2.0);
    const int centre = qGray(image.pixel(kSize / 2, kSize / 2));
    const int edge = qGray(image.pixel(kSize / 2 + 35, kSize / 2));
    EXPECT_GT(centre, 150);
    EXPECT_LT(edge, centre - 60);
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(before[k], after[k]);
}

TEST_F(GlMarkerTest, UnlitSphereShowsItsColourAtItsPosition) {
    CMarker marker = CMarker{}.Init(0.05f, 0.0f, 0.0f);
    marker.Color = 0x0000FF; // red in the low byte
    marker.Size = 0.0f;      // the radius never drops below 0.05
    DrawMarker(marker, 7);
    const QImage image = Frame();
    EXPECT_EQ(image.pixel(kSize / 2 + 32, kSize / 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(kSize / 2 + 32 + 30, kSize / 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(kSize / 2 - 10, kSize / 2), qRgb(255, 255, 255));
    EXPECT_NEAR(InkWidth(image), 64, 2);
}

TEST_F(GlMarkerTest, FlatSymbolsInTwoDimensionalDocuments) {
    struct Row {
        int symbol;
        bool hollow;
        double width; // expected extent in pixels
        bool centreInked;
    };
    // Size 1: circle radius 0.05, square half side 0.04, triangle circumradius 0.075.
    const Row rows[] = {{0, false, 64, true},
                        {1, false, 51.2, true},
                        {2, false, 0.075 * 1.7320508 / 0.2 * kSize, true},
                        {0, true, 64, false},
                        {42, false, 64, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.symbol);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        CMarker marker;
        marker.Size = 1.0f;
        marker.Symbol = row.symbol;
        marker.Hollow = row.hollow;
        DrawMarker(marker, kScenePlane);
        const QImage image = Frame();
        EXPECT_NEAR(InkWidth(image), row.width, 2.5);
        EXPECT_EQ(image.pixel(kSize / 2, kSize / 2) != qRgb(255, 255, 255), row.centreInked);
    }
}

} // namespace
} // namespace tervane
