#include "GlTestSupport.h"

#include "gl/GlContourSink.h"

#include <stdexcept>
#include <vector>

namespace tervane {
namespace {

using testing::GlTest;

// z(i, j) = i on a 5 x 5 grid: four straight lines at x = 2..5 (less a hair) from y = 1 to 5.
std::vector<float> RampField() {
    std::vector<float> z;
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 5; ++j)
            z.push_back(static_cast<float>(i));
    return z;
}

class ContourSinkTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 6.4, 0.0, 6.4, -10.0, 10.0); // 20 pixels per unit
        glMatrixMode(GL_MODELVIEW);
        // The caller's state that contour drawing must hand back.
        glEnable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glLineWidth(1.0f);
        glColor3f(0.25f, 0.5f, 0.75f);
    }

    void Draw(const std::vector<float>& z, int levels, int fillStyle = 0) {
        DrawContour(5, 5, 1.0f, 1.0f, z, 0.0f, 0.0f, 0.0f, levels, fillStyle, 0x0000FF, 0xFF0000, 3,
                    kSceneColorMap);
    }

    static void ExpectCallerStateBack() {
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
        GLfloat width = 0.0f;
        glGetFloatv(GL_LINE_WIDTH, &width);
        EXPECT_EQ(width, 1.0f);
        GLfloat colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_EQ(colour[0], 0.25f);
        EXPECT_EQ(colour[2], 0.75f);
        GLint depth = -1;
        glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 0);
    }
};

TEST_F(ContourSinkTest, DrawsLevelLinesInGradedColoursAndRestoresState) {
    Draw(RampField(), 4);
    ExpectCallerStateBack();
    const QImage image = Frame();
    const int row = 128 - 3 * 20; // y = 3
    // The lowest level (1) draws nothing; the highest (5) is in the first colour, red.
    EXPECT_EQ(image.pixel(20, row), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(30, row), qRgb(255, 255, 255));
    const QColor top = image.pixelColor(100, row);
    EXPECT_GT(top.red(), 200);
    EXPECT_LT(top.blue(), 60);
    // Level 2 is a quarter of the way from blue (second colour) to red.
    const QColor low = image.pixelColor(40, row);
    EXPECT_GT(low.blue(), low.red());
    // Lines run from the bottom side (y = 1) to the top side (y = 5), not beyond.
    EXPECT_NE(image.pixel(60, 128 - 2 * 20), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(60, 128 - 6 * 20), qRgb(255, 255, 255));
}

TEST_F(ContourSinkTest, SingleColourStyleUsesTheSecondColour) {
    Draw(RampField(), 4, CContour::SingleColourFillStyle);
    const QColor top = Frame().pixelColor(100, 128 - 3 * 20);
    EXPECT_GT(top.blue(), 200);
    EXPECT_LT(top.red(), 60);
}

TEST_F(ContourSinkTest, ReplaysFromADisplayList) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    Draw(RampField(), 4);
    glEndList();
    ExpectCallerStateBack();
    EXPECT_EQ(InkPixels(Frame()), 0); // compiled, not drawn
    glCallList(list);
    ExpectCallerStateBack();
    EXPECT_GT(InkPixels(Frame()), 4 * 3 * 60);
    glDeleteLists(list, 1);
}

TEST_F(ContourSinkTest, FailedTracingStillRestoresState) {
    EXPECT_THROW(Draw(RampField(), 0), std::domain_error);
    ExpectCallerStateBack();
    EXPECT_EQ(InkPixels(Frame()), 0);
}

} // namespace
} // namespace tervane
