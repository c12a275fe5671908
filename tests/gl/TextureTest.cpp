#include "GlTestSupport.h"

#include "gl/CTexture.h"
#include "gl/TextureImage.h"

#include <QDir>
#include <QTemporaryDir>

namespace tervane {
namespace {

using testing::GlTest;

TEST(TextureSizeTest, SidesBecomePowersOfTwoOfAtMost256) {
    struct Row {
        int side;
        int maxSize;
        int expected;
    };
    const Row rows[] = {
        {300, 256, 256},
        {200, 256, 256},
        {100, 256, 128},
        {50, 256, 64},
        {64, 256, 64},
        {3, 256, 4},
        {5, 256, 8},
        {1, 256, 1},
        {257, 256, 256},
        {100, 64, 64},
        {100, 200, 128}, // an odd limit still gives a power of
                         // two within it
        {100, 0, 100},   // no usable maximum: no rescaling
        {0, 256, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(TextureSide(row.side, row.maxSize), row.expected)
            << row.side << " max " << row.maxSize;
}

TEST(TextureSizeTest, ExtensionTestIgnoresCase) {
    struct Row {
        const char* name;
        bool accepted;
    };
    const Row rows[] = {{"photo.jpg", true}, {"PHOTO.JPG", true},  {"a/b.Bmp", true},
                        {"x.gif", true},     {"x.png", true},      {"x.jpeg", true},
                        {"x.tga", false},    {"x.jpg.txt", false}, {"", false}};
    for (const Row& row : rows)
        EXPECT_EQ(IsTextureFileName(QString::fromLatin1(row.name)), row.accepted) << row.name;
}

TEST(TextureSizeTest, OddWidthsConvertWithoutSkew) {
    // 101 pixels of 3 bytes give 303-byte rows, which QImage pads to 304.
    QImage picture(101, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 101; ++x)
            picture.setPixel(x, y, qRgb(x, y * 100, 7));
    const TextureImage image = PictureToRgbRows(picture);
    ASSERT_EQ(image.width, 101);
    ASSERT_EQ(image.height, 3);
    ASSERT_EQ(image.pixels.size(), 101u * 3u * 3u);
    for (int row = 0; row < 3; ++row) {
        const int pictureRow = 2 - row; // bottom row first
        for (int x = 0; x < 101; ++x) {
            const std::size_t at = (static_cast<std::size_t>(row) * 101 + x) * 3;
            ASSERT_EQ(image.pixels[at], x);
            ASSERT_EQ(image.pixels[at + 1], pictureRow * 100);
            ASSERT_EQ(image.pixels[at + 2], 7);
        }
    }
    EXPECT_TRUE(PictureToRgbRows(QImage()).pixels.empty());
}

class TextureTest : public GlTest {
protected:
    QString WritePicture(const QString& name, int width, int height, const char* format,
                         QRgb colour = qRgb(200, 100, 50)) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(picture.save(path, format));
        return path;
    }

    static QSize BoundSize() {
        GLint width = 0;
        GLint height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        return {width, height};
    }

    QTemporaryDir dir_;
};

TEST_F(TextureTest, PicturesAreRescaledToPowerOfTwoSides) {
    struct Row {
        int width;
        int height;
        QSize texture;
    };
    const Row rows[] = {
        {3, 5, {4, 8}}, {300, 200, {256, 256}}, {100, 50, {128, 64}}, {64, 64, {64, 64}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        CTexture texture;
        ASSERT_TRUE(texture.LoadGLTextures(WritePicture("p.png", row.width, row.height, "PNG")));
        EXPECT_NE(texture.TextureName(), 0u);
        EXPECT_EQ(QSize(texture.Width(), texture.Height()), row.texture);
        EXPECT_EQ(BoundSize(), row.texture);
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(filter, GL_LINEAR);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
        EXPECT_EQ(filter, GL_LINEAR);
    }
}

TEST_F(TextureTest, NarrowPicturesUploadWithoutSkew) {
    // Rows of 2 RGB pixels are 6 bytes: read with GL's default 4-byte alignment they would skew.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 255, 0));
    picture.setPixel(0, 1, qRgb(0, 0, 255));
    picture.setPixel(1, 1, qRgb(255, 255, 0));
    const QString path = dir_.filePath("small.bmp");
    ASSERT_TRUE(picture.save(path, "BMP"));
    CTexture texture;
    ASSERT_TRUE(texture.LoadGLTextures(path));
    ASSERT_EQ(BoundSize(), QSize(2, 2));
    std::array<GLubyte, 12> texels{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    // Bottom row (picture row 1) first.
    const std::array<GLubyte, 12> expected{0, 0, 255, 255, 255, 0, 255, 0, 0, 0, 255, 0};
    EXPECT_EQ(texels, expected);
}

TEST_F(TextureTest, FormatsAndExtensionsInAnyCase) {
    struct Row {
        const char* name;
        const char* format;
        bool loads;
    };
    const Row rows[] = {{"photo.jpg", "JPG", true},
                        {"PHOTO.JPG", "JPG", true},
                        {"pic.BMP", "BMP", true},
                        {"pic.tga", "PNG", false}}; // a picture, but not a texture name
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CTexture texture;
        EXPECT_EQ(texture.LoadGLTextures(WritePicture(row.name, 16, 16, row.format)), row.loads);
        EXPECT_EQ(texture.TextureName() != 0, row.loads);
    }

    // Qt reads GIF but cannot write it: a one-pixel red GIF by hand.
    const unsigned char gif[] = {'G', 'I',  'F', '8', '9', 'a', 1, 0,    1, 0, 0x80, 0,
                                 0,   0xFF, 0,   0,   0,   0,   0, 0x2C, 0, 0, 0,    0,
                                 1,   0,    1,   0,   0,   2,   2, 0x44, 1, 0, 0x3B};
    QFile file(dir_.filePath("Red.Gif"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(gif), sizeof gif);
    file.close();
    CTexture texture;
    ASSERT_TRUE(texture.LoadGLTextures(file.fileName()));
    std::array<GLubyte, 3> texel{};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texel.data());
    EXPECT_EQ(texel, (std::array<GLubyte, 3>{255, 0, 0}));
}

TEST_F(TextureTest, UnreadableFileCreatesNothing) {
    const QString path = dir_.filePath("broken.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    CTexture texture;
    EXPECT_FALSE(texture.LoadGLTextures(path));
    EXPECT_FALSE(texture.LoadGLTextures(dir_.filePath("missing.png")));
    EXPECT_EQ(texture.TextureName(), 0u);
    EXPECT_TRUE(texture.LastError().empty());
}

TEST_F(TextureTest, TextureIsDeletedWithTheObject) {
    GLuint name = 0;
    {
        CTexture texture;
        ASSERT_TRUE(texture.LoadGLTextures(WritePicture("p.png", 8, 8, "PNG")));
        name = texture.TextureName();
        EXPECT_TRUE(glIsTexture(name));
    }
    EXPECT_FALSE(glIsTexture(name));
}

TEST_F(TextureTest, CompiledListCarriesItsOwnUpload) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    {
        CTexture texture;
        ASSERT_TRUE(texture.LoadGLTextures(WritePicture("p.png", 3, 5, "PNG")));
    }
    glEndList();
    glBindTexture(GL_TEXTURE_2D, 0);
    glCallList(list);
    EXPECT_EQ(BoundSize(), QSize(4, 8));
    glDeleteLists(list, 1);
}

} // namespace
} // namespace tervane
