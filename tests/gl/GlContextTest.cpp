#include "GlTestSupport.h"

namespace tervane {
namespace {

using testing::GlTest;

TEST(HeadlessGlContextTest, ClearsToTheRequestedColourAtTheRequestedSize) {
    HeadlessGlContext context(37, 21);
    EXPECT_EQ(context.Width(), 37);
    EXPECT_EQ(context.Height(), 21);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    const QImage image = context.ReadPixels();
    ASSERT_EQ(image.size(), QSize(37, 21));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(36, 20), qRgb(255, 0, 0));
    const auto bytes = context.ReadRgbBytes();
    ASSERT_EQ(bytes.size(), 37u * 21u * 3u);
    EXPECT_EQ(bytes[0], 255);
    EXPECT_EQ(bytes[1], 0);
}

TEST(HeadlessGlContextTest, HasDepthAndCompatibilityProfile) {
    HeadlessGlContext context(8, 8);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    // Display lists exist only in the compatibility profile.
    const GLuint list = glGenLists(1);
    EXPECT_NE(list, 0u);
    glDeleteLists(list, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(HeadlessGlContextTest, ReadPixelsPutsTheTopRowFirst) {
    HeadlessGlContext context(4, 4);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 4, 1); // GL's bottom row
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    const QImage image = context.ReadPixels();
    EXPECT_EQ(image.pixel(0, 3), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(HeadlessGlContextTest, ContextsLiveIndependently) {
    // Destroying one context must not tear down the display another still uses.
    auto first = std::make_unique<HeadlessGlContext>(4, 4);
    {
        HeadlessGlContext second(4, 4);
        glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        EXPECT_EQ(second.ReadPixels().pixel(1, 1), qRgb(0, 255, 0));
    }
    first->MakeCurrent();
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(first->ReadPixels().pixel(1, 1), qRgb(0, 0, 255));
}

} // namespace
} // namespace tervane
