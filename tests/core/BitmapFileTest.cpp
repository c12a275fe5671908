#include "core/BitmapFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace tervane {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

// RGB rows of a given size where every byte is set (padding included), so the encoder must clear
// the padding itself.
std::vector<std::uint8_t> FilledRows(int width, int height, std::uint8_t r, std::uint8_t g,
                                     std::uint8_t b) {
    const int stride = BitmapRowStride(width);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * height, 0xEE);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * stride + 3 * x;
            rows[at] = r;
            rows[at + 1] = g;
            rows[at + 2] = b;
        }
    return rows;
}

TEST(BitmapFileTest, CaptureWidthRuleAndStride) {
    struct Row {
        int viewWidth;
        int passedWidth;
        int stride;
    };
    // A view 401 wide gives a 400-wide bitmap with 1200-byte rows; 402 gives 403 wide, 1209 bytes
    // padded to 1212.
    const Row rows[] = {{401, 399, 1200}, {402, 402, 1212}, {400, 398, 1200},
                        {403, 403, 1212}, {3, 3, 12},       {4, 2, 12}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.viewWidth);
        EXPECT_EQ(BitmapCaptureWidth(row.viewWidth), row.passedWidth);
        EXPECT_EQ(BitmapRowStride(row.passedWidth + 1), row.stride);
    }
}

TEST(BitmapFileTest, HeaderFieldsMatchTheSize) {
    const int width = 403;
    const int height = 2;
    const auto file = EncodeBitmapFile(width, height, FilledRows(width, height, 1, 2, 3));
    const std::uint32_t image = 1212u * height;
    ASSERT_EQ(file.size(), 54u + image);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32(file, 2), 54u + image);
    EXPECT_EQ(U32(file, 6), 0u); // both reserved words
    EXPECT_EQ(U32(file, 10), 54u);
    EXPECT_EQ(U32(file, 14), 40u);
    EXPECT_EQ(U32(file, 18), 403u);
    EXPECT_EQ(U32(file, 22), 2u);
    EXPECT_EQ(U16(file, 26), 1u);
    EXPECT_EQ(U16(file, 28), 24u);
    EXPECT_EQ(U32(file, 30), 0u);
    EXPECT_EQ(U32(file, 34), image);
    for (std::size_t at = 38; at < 54; at += 4)
        EXPECT_EQ(U32(file, at), 0u) << at;
}

TEST(BitmapFileTest, PixelsAreBgrWithZeroPadding) {
    const int width = 403; // 1209 bytes of pixels, 3 of padding per row
    const auto file = EncodeBitmapFile(width, 3, FilledRows(width, 3, 255, 0, 0));
    for (int y = 0; y < 3; ++y) {
        const std::size_t row = 54 + static_cast<std::size_t>(y) * 1212;
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(file[row + 3 * x], 0);
            ASSERT_EQ(file[row + 3 * x + 1], 0);
            ASSERT_EQ(file[row + 3 * x + 2], 255);
        }
        EXPECT_EQ(file[row + 1209], 0);
        EXPECT_EQ(file[row + 1210], 0);
        EXPECT_EQ(file[row + 1211], 0);
    }
}

TEST(BitmapFileTest, RowsKeepTheirBottomUpOrder) {
    // Row 0 of the input is the bottom row and must stay the first row of the file.
    const int width = 2;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(BitmapRowStride(width)) * 2, 0);
    rows[0] = 10;     // bottom-left red
    rows[8 + 1] = 20; // top-left green (stride 8)
    const auto file = EncodeBitmapFile(width, 2, rows);
    EXPECT_EQ(file[54 + 2], 10);
    EXPECT_EQ(file[54 + 8 + 1], 20);
}

TEST(BitmapFileTest, RejectsBadSizes) {
    const std::vector<std::uint8_t> twelve(12, 0);
    EXPECT_THROW((void)BitmapRowStride(0), std::invalid_argument);
    EXPECT_THROW((void)EncodeBitmapFile(0, 1, twelve), std::invalid_argument);
    EXPECT_THROW((void)EncodeBitmapFile(4, 0, twelve), std::invalid_argument);
    EXPECT_THROW((void)EncodeBitmapFile(4, 2, twelve), std::invalid_argument); // one row short
    EXPECT_THROW((void)EncodeBitmapFile(1 << 30, 1, twelve), std::invalid_argument);
    EXPECT_THROW((void)EncodeBitmapFile(1 << 14, 1 << 14, twelve), std::invalid_argument);
}

class BitmapWriteTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("tervane_bitmap_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    static std::vector<std::uint8_t> Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path dir_;
};

TEST_F(BitmapWriteTest, ReplacesAnExistingFileCompletely) {
    const auto path = dir_ / "view.bmp";
    {
        std::ofstream old(path, std::ios::binary);
        old << std::string(5000, 'x'); // longer than the new file
    }
    const auto bytes = EncodeBitmapFile(2, 2, FilledRows(2, 2, 1, 2, 3));
    ASSERT_TRUE(WriteBitmapFile(path, bytes));
    EXPECT_EQ(Read(path), bytes);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(BitmapWriteTest, FailureLeavesNoFile) {
    const auto bytes = EncodeBitmapFile(2, 2, FilledRows(2, 2, 1, 2, 3));
    EXPECT_FALSE(WriteBitmapFile(dir_ / "missing" / "view.bmp", bytes));
    EXPECT_FALSE(WriteBitmapFile({}, bytes));
    // A directory in the way is not replaced, and nothing is left behind.
    std::filesystem::create_directory(dir_ / "taken.bmp");
    EXPECT_FALSE(WriteBitmapFile(dir_ / "taken.bmp", bytes));
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken.bmp"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1);
}

} // namespace
} // namespace tervane
