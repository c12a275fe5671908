#include "GlTestSupport.h"

#include "gl/GlAxes.h"
#include "gl/text/GlFonts.h"
#include "scene/AxesGeometry.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace tervane {
namespace {

using testing::GlTest;
using Geometry = AxesGeometry;
using PassKind = AxesGeometry::PassKind;

class GlAxesTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        fonts_ = std::make_unique<GlFonts>();
        glDisable(GL_LIGHTING);
    }
    void TearDown() override {
        fonts_.reset(); // its lists belong to the context
        GlTest::TearDown();
    }

    QImage Draw(const Geometry& geometry) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        IssueAxes(geometry, *fonts_);
        return Frame();
    }

    static Geometry OnePass(Geometry::Pass pass) {
        Geometry geometry;
        geometry.passes.push_back(std::move(pass));
        return geometry;
    }

    // Pixel of the view at world (x, y) for the fixture's [-1, 1] orthographic view.
    static QColor At(const QImage& image, float x, float y) {
        const int px = static_cast<int>((x + 1.0f) / 2.0f * kSize);
        const int py = static_cast<int>((1.0f - y) / 2.0f * kSize);
        return image.pixelColor(std::min(px, kSize - 1), std::min(py, kSize - 1));
    }

    std::unique_ptr<GlFonts> fonts_;
};

TEST_F(GlAxesTest, StateSwitchesAreAppliedAndUnsetOnesLeftAlone) {
    struct Row {
        const char* name;
        Geometry::State state;
        GLenum cap;
        bool before;
        bool after;
    };
    Geometry::State lightingOn, lightingOff, trackOn, trackOff, smoothOn, smoothOff, none;
    lightingOn.lighting = true;
    lightingOff.lighting = false;
    trackOn.colorMaterial = true;
    trackOff.colorMaterial = false;
    smoothOn.lineSmooth = true;
    smoothOff.lineSmooth = false;
    const Row rows[] = {
        {"lighting on", lightingOn, GL_LIGHTING, false, true},
        {"lighting off", lightingOff, GL_LIGHTING, true, false},
        {"tracking on", trackOn, GL_COLOR_MATERIAL, false, true},
        {"tracking off", trackOff, GL_COLOR_MATERIAL, true, false},
        {"smoothing on: blend", smoothOn, GL_BLEND, false, true},
        {"smoothing off: line smooth", smoothOff, GL_LINE_SMOOTH, true, false},
        {"unset keeps lighting on", none, GL_LIGHTING, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.before)
            glEnable(row.cap);
        else
            glDisable(row.cap);
        Geometry::Pass pass;
        pass.state = row.state;
        IssueAxes(OnePass(pass), *fonts_);
        EXPECT_EQ(glIsEnabled(row.cap) == GL_TRUE, row.after);
    }

    // Smoothing also sets the blend function and the nicest hint; tracking follows the diffuse
    // colour of both faces.
    glBlendFunc(GL_ONE, GL_ZERO);
    Geometry::Pass pass;
    pass.state = smoothOn;
    pass.state.colorMaterial = true;
    pass.state.smoothShading = false;
    IssueAxes(OnePass(pass), *fonts_);
    GLint value = 0;
    glGetIntegerv(GL_BLEND_SRC, &value);
    EXPECT_EQ(value, GL_SRC_ALPHA);
    glGetIntegerv(GL_BLEND_DST, &value);
    EXPECT_EQ(value, GL_ONE_MINUS_SRC_ALPHA);
    glGetIntegerv(GL_LINE_SMOOTH_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &value);
    EXPECT_EQ(value, GL_FRONT_AND_BACK);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &value);
    EXPECT_EQ(value, GL_DIFFUSE);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
}

TEST_F(GlAxesTest, QuadsAndTrianglesCarryTheirCornerColours) {
    const Geometry::Colour red{1, 0, 0}, green{0, 1, 0}, blue{0, 0, 1}, black{0, 0, 0};
    Geometry::Pass pass;
    pass.state.smoothShading = true;
    // Left half: one quad with a colour per corner; right half: one triangle.
    pass.quads.push_back({{{{-1, -1, 0}, {0, -1, 0}, {0, 1, 0}, {-1, 1, 0}}},
                          {red, green, blue, black},
                          Geometry::Point{0, 0, 1}});
    pass.triangles.push_back({{{{0, -1, 0}, {1, -1, 0}, {1, 1, 0}}}, {green, green, green}});
    const QImage image = Draw(OnePass(pass));
    struct Row {
        float x, y;
        QColor expected;
    };
    const Row rows[] = {
        {-0.98f, -0.98f, Qt::red},  {-0.02f, -0.98f, Qt::green}, {-0.02f, 0.96f, Qt::blue},
        {-0.98f, 0.96f, Qt::black}, {0.9f, -0.5f, Qt::green},
    };
    for (const Row& row : rows) {
        const QColor c = At(image, row.x, row.y);
        SCOPED_TRACE(::testing::PrintToString(std::array{row.x, row.y}));
        EXPECT_NEAR(c.red(), row.expected.red(), 16);
        EXPECT_NEAR(c.green(), row.expected.green(), 16);
        EXPECT_NEAR(c.blue(), row.expected.blue(), 16);
    }
    // Outside the triangle (above its hypotenuse) stays white.
    EXPECT_EQ(At(image, 0.1f, 0.9f), QColor(Qt::white));
}

TEST_F(GlAxesTest, EachLineKeepsItsOwnColourAndWidth) {
    Geometry::Pass pass;
    // Three horizontal lines: thin red, thick blue, thin red again (widths change twice).
    pass.lines.push_back({{-1, 0.5f, 0}, {1, 0.5f, 0}, {1, 0, 0}, 1.0f});
    pass.lines.push_back({{-1, 0.0f, 0}, {1, 0.0f, 0}, {0, 0, 1}, 7.0f});
    pass.lines.push_back({{-1, -0.5f, 0}, {1, -0.5f, 0}, {1, 0, 0}, 1.0f});
    const QImage image = Draw(OnePass(pass));
    const int column = kSize / 2;
    std::vector<int> redRows, blueRows;
    for (int y = 0; y < kSize; ++y) {
        const QColor c = image.pixelColor(column, y);
        if (c == QColor(Qt::red)) redRows.push_back(y);
        if (c == QColor(Qt::blue)) blueRows.push_back(y);
    }
    EXPECT_EQ(redRows.size(), 2u);
    EXPECT_EQ(blueRows.size(), 7u);
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 1.0f);
}

TEST_F(GlAxesTest, LabelsUseTheirFontAndColour) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 8.0, -4.0, 4.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    struct Row {
        Geometry::Font font;
        Geometry::Colour colour;
        QColor ink;
    };
    const Row rows[] = {
        {Geometry::Font::OutlineLabel, {0, 0, 1}, Qt::blue},
        {Geometry::Font::OutlineTitle, {1, 0, 0}, Qt::red},
        {Geometry::Font::Bitmap, {0, 0, 1}, Qt::black}, // raster text is always black
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.font));
        Geometry::Pass pass;
        pass.labels.push_back({"88", {1, 0, 0}, {}, row.font, row.colour});
        const QImage image = Draw(OnePass(pass));
        int ink = 0, other = 0;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c == row.ink)
                    ++ink;
                else if (c != QColor(Qt::white) && row.font == Geometry::Font::Bitmap)
                    ++other;
            }
        EXPECT_GT(ink, 10);
        EXPECT_EQ(other, 0);
    }
}

TEST_F(GlAxesTest, ConeIsTurnedAlongItsAxisAndTheMatrixRestored) {
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    Geometry::Pass pass;
    // Turned 90 degrees about y, the cone grows from the centre towards +x.
    pass.cones.push_back({{0, 0, 0}, {90, 0, 1, 0}, 0.3f, 0.0f, 0.8f, 16, 16, {1, 0, 0}});
    const QImage image = Draw(OnePass(pass));
    int right = 0, left = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (image.pixelColor(x, y) == QColor(Qt::red)) (x >= kSize / 2 ? right : left)++;
    EXPECT_GT(right, 200);
    EXPECT_EQ(left, 0);
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(before[k], after[k]) << k;
}

} // namespace
} // namespace tervane
