#include "GlTestSupport.h"

#include "gl/ViewBitmap.h"

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tervane {
namespace {

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

TEST(ViewBitmapTest, PureRedViewIsStoredAsBlueGreenRed) {
    HeadlessGlContext context(6, 3);
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // The bitmap is w + 1 = 5 pixels wide: 15 bytes of pixels padded to 16.
    const auto file = ReadViewBitmap(4, 3);
    ASSERT_EQ(file.size(), 54u + 3u * 16u);
    EXPECT_EQ(U32(file, 18), 5u);
    EXPECT_EQ(U32(file, 22), 3u);
    for (int row = 0; row < 3; ++row) {
        const std::size_t at = 54 + static_cast<std::size_t>(row) * 16;
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(file[at + 3 * x], 0);
            EXPECT_EQ(file[at + 3 * x + 1], 0);
            EXPECT_EQ(file[at + 3 * x + 2], 255);
        }
        EXPECT_EQ(file[at + 15], 0);
    }
}

TEST(ViewBitmapTest, BottomRowComesFirstAndOutsideColumnsAreBlack) {
    HeadlessGlContext context(4, 2);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 4, 1);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    // w = 4 reads 5 columns from a view 4 wide: the last lies outside the frame buffer.
    const auto file = ReadViewBitmap(4, 2);
    ASSERT_EQ(file.size(), 54u + 2u * 16u);
    EXPECT_EQ(file[54 + 0], 0); // bottom row: green
    EXPECT_EQ(file[54 + 1], 255);
    EXPECT_EQ(file[54 + 2], 0);
    EXPECT_EQ(file[54 + 16], 255);    // top row: white
    EXPECT_EQ(file[54 + 16 + 12], 0); // outside column
}

TEST(ViewBitmapTest, SaveWritesTheFileAndRejectsBadSizes) {
    HeadlessGlContext context(8, 8);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    QTemporaryDir dir;
    const std::filesystem::path path = dir.filePath("view.bmp").toStdString();
    ASSERT_TRUE(SaveViewBitmap(path, 6, 8));
    const auto bytes = ReadFile(path);
    EXPECT_EQ(bytes, ReadViewBitmap(6, 8));
    const QImage loaded(QString::fromStdString(path.string()));
    EXPECT_EQ(loaded.size(), QSize(7, 8));
    EXPECT_EQ(loaded.pixel(3, 3), qRgb(0, 0, 255));

    const std::filesystem::path other = dir.filePath("none.bmp").toStdString();
    EXPECT_FALSE(SaveViewBitmap(other, -1, 8));
    EXPECT_FALSE(SaveViewBitmap(other, 6, 0));
    EXPECT_FALSE(std::filesystem::exists(other));
}

} // namespace
} // namespace tervane
