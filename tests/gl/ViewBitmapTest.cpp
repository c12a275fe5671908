#include "GlTestSupport.h"

#include "core/BitmapFile.h"
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

TEST(ViewBitmapTest, BottomRowComesFirst) {
    HeadlessGlContext context(4, 2);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 4, 1);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    const auto file = ReadViewBitmap(3, 2);
    ASSERT_EQ(file.size(), 54u + 2u * 12u);
    EXPECT_EQ(file[54 + 0], 0); // bottom row: green
    EXPECT_EQ(file[54 + 1], 255);
    EXPECT_EQ(file[54 + 2], 0);
    EXPECT_EQ(file[54 + 12], 255); // top row: white
    EXPECT_EQ(file[54 + 12 + 1], 255);
    EXPECT_EQ(file[54 + 12 + 2], 255);
}

// Widths with the bit of value 2 set give a bitmap one pixel wider than the view: its last
// column lies beyond the drawing and must show the background, not black. The drawing's own
// last column is painted black so that neither a shifted read nor a copied edge passes.
TEST(ViewBitmapTest, ColumnBeyondTheViewShowsTheBackground) {
    struct Row {
        int viewWidth;
        float red, green, blue; // the clear colour
    };
    const Row rows[] = {{642, 1.0f, 1.0f, 1.0f},
                        {643, 1.0f, 1.0f, 1.0f},
                        {402, 1.0f, 1.0f, 1.0f},
                        {401, 1.0f, 1.0f, 1.0f}, // bit clear: the bitmap stays inside the view
                        {7, 0.2f, 0.4f, 0.6f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.viewWidth);
        const int height = 3;
        HeadlessGlContext context(row.viewWidth, height);
        glClearColor(row.red, row.green, row.blue, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(row.viewWidth - 1, 0, 1, height);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(row.red, row.green, row.blue, 1.0f);

        const int w = BitmapCaptureWidth(row.viewWidth);
        const auto file = ReadViewBitmap(w, height);
        const int pixels = w + 1;
        const auto stride = static_cast<std::size_t>(BitmapRowStride(pixels));
        ASSERT_EQ(file.size(), 54u + height * stride);
        const auto byte = [](float fraction) { return static_cast<int>(fraction * 255.0f + 0.5f); };
        for (int y = 0; y < height; ++y) {
            const std::size_t at = 54 + y * stride;
            for (int x = pixels - 2; x < pixels; ++x) {
                const std::size_t p = at + 3 * static_cast<std::size_t>(x);
                const bool drawnEdge = x == row.viewWidth - 1;
                EXPECT_EQ(file[p], drawnEdge ? 0 : byte(row.blue)) << x;
                EXPECT_EQ(file[p + 1], drawnEdge ? 0 : byte(row.green)) << x;
                EXPECT_EQ(file[p + 2], drawnEdge ? 0 : byte(row.red)) << x;
            }
            for (std::size_t pad = 3 * static_cast<std::size_t>(pixels); pad < stride; ++pad)
                EXPECT_EQ(file[at + pad], 0);
        }
    }
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
