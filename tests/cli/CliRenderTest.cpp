#include "cli/CliMain.h"

#include "document/Document.h"
#include "document/KplFormat.h"
#include "graph/GraphPresets.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code = 0;
    std::string out;
    std::string err;
};

CliRun RunCliWith(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    CliRun run;
    run.code = cli::RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::int32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
                                     (static_cast<std::uint32_t>(b[at + 3]) << 24));
}

int Ink(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ++n;
    return n;
}

// A document with one surface of z², written as the window saves it.
class CliRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("tervane-render-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        Document document;
        GraphRecipe recipe;
        recipe.Function = "z^2";
        recipe.Name = "g";
        recipe.StepU = recipe.StepV = 12;
        recipe.Colours = {kQuantityX, kQuantityY, 0};
        recipe.Material = 0;
        recipe.LineWidth = 1;
        const auto g = MakeSurfaceGraph(recipe);
        document.SetSceneKind(kScene3D);
        ASSERT_TRUE(document.AddGraph(g).Ok());
        document_ = dir_ / "surface.kpl";
        ASSERT_TRUE(document.SaveFile(document_).Ok());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    fs::path dir_;
    fs::path document_;
};

TEST_F(CliRenderTest, WritesAPngOfTheRequestedSize) {
    const fs::path out = dir_ / "front.png";
    const CliRun run =
        RunCliWith({"render", document_.string(), "-o", out.string(), "--size", "120x90"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QImage front(QString::fromStdString(out.string()));
    ASSERT_FALSE(front.isNull());
    EXPECT_EQ(front.size(), QSize(120, 90));
    EXPECT_GT(Ink(front), 200);

    const fs::path top = dir_ / "top.png";
    ASSERT_EQ(RunCliWith({"render", document_.string(), "-o", top.string(), "--size", "120x90",
                          "--view", "top", "--projection", "perspective", "--step", "0"})
                  .code,
              0);
    EXPECT_NE(QImage(QString::fromStdString(top.string())), front);
}

TEST_F(CliRenderTest, BitmapFollowsTheCaptureWidthRule) {
    struct Row {
        int viewWidth;
        int bitmapWidth;
    };
    // Bit 1 of the width clear: two columns less, plus one; set: one column more.
    for (const Row row : {Row{401, 400}, Row{402, 403}}) {
        SCOPED_TRACE(row.viewWidth);
        const fs::path out = dir_ / ("view" + std::to_string(row.viewWidth) + ".BMP");
        const CliRun run = RunCliWith({"render", document_.string(), "-o", out.string(), "--size",
                                       std::to_string(row.viewWidth) + "x50"});
        ASSERT_EQ(run.code, 0) << run.err;
        const std::vector<std::uint8_t> bytes = ReadBytes(out);
        ASSERT_GT(bytes.size(), 54u);
        EXPECT_EQ(bytes[0], 'B');
        EXPECT_EQ(bytes[1], 'M');
        EXPECT_EQ(Le32(bytes, 18), row.bitmapWidth);
        EXPECT_EQ(Le32(bytes, 22), 50);
        const int stride = (3 * row.bitmapWidth + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54u + 50u * static_cast<std::size_t>(stride));
    }
}

TEST_F(CliRenderTest, RefusesBadArgumentsAndReportsFailures) {
    const std::string doc = document_.string();
    const std::string png = (dir_ / "x.png").string();
    struct Row {
        std::vector<std::string> args;
        int code;
        const char* message;
    };
    const Row rows[] = {
        {{"render", doc}, 2, "needs -o"},
        {{"render", doc, "-o", (dir_ / "x.jpg").string()}, 2, ".png or .bmp"},
        {{"render", doc, "-o", png, "--size", "0x10"}, 2, "--size"},
        {{"render", doc, "-o", png, "--view", "back"}, 2, "unknown view"},
        {{"render", doc, "-o", png, "--step", "-1"}, 2, "--step"},
        {{"render", doc, "-o"}, 2, "needs a value"},
        {{"render", (dir_ / "missing.kpl").string(), "-o", png}, 1, "Cannot open"},
        {{"render", doc, "-o", (dir_ / "no" / "such" / "x.png").string()}, 1, "Cannot write"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.args));
        const CliRun run = RunCliWith(row.args);
        EXPECT_EQ(run.code, row.code);
        EXPECT_NE(run.err.find(row.message), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(png));
}

// A two-dimensional document of y = 3 sin x over x in -6..6 (y -4..4), as its file holds it: the
// curve in red, black axes without grid, background or secondary marks. Its axes count in steps
// of 2 (ticks labelled 2, 4, 6 up and 2..8 right); the peak must stand at the height of 3 and
// the zero crossings at +-pi, where the ticks put these values.
TEST(CliRenderPlane, TheCurveStandsAtTheValuesItsAxesName) {
    const fs::path dir = fs::temp_directory_path() / "tervane-render-plane";
    fs::create_directories(dir);
    const std::string text =
        "S11 1 0 1 @y=3sinx@ 3   sin(x)*3 400 1 -6 6 -4 4 0 0 16711680 255 2 0 3 3 255 3 0 0 1 1 "
        "3 2 3 2 1 1 0 0 0 1 1 1 1 1 1 1 2 2 2 13421772 13421772 13421772 10066329 10066329 "
        "10066329 4 4 4 0 1 @X@ @Y@ @Z@ 0 0 0 2 65280 16777215 65280 65280 0 0 0";
    std::string error;
    const auto bytes = kpl::EncodeContainer(text, error);
    ASSERT_TRUE(bytes) << error;
    const fs::path doc = dir / "sine.kpl", png = dir / "sine.png";
    std::ofstream(doc, std::ios::binary) << *bytes;
    const CliRun run =
        RunCliWith({"render", doc.string(), "-o", png.string(), "--size", "1000x750"});
    ASSERT_EQ(run.code, 0) << run.err;
    const QImage image(QString::fromStdString(png.string()));
    fs::remove_all(dir);
    ASSERT_FALSE(image.isNull());

    const auto dark = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return std::max({c.red(), c.green(), c.blue()}) < 100;
    };
    const auto red = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.red() > c.green() + 80 && c.red() > c.blue() + 80;
    };
    // The axes are the column and the row with the most dark pixels.
    int axisX = 0, axisY = 0, most = 0;
    for (int x = 0; x < image.width(); ++x) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += dark(x, y);
        if (n > most) std::tie(most, axisX) = std::pair(n, x);
    }
    most = 0;
    for (int y = 0; y < image.height(); ++y) {
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += dark(x, y);
        if (n > most) std::tie(most, axisY) = std::pair(n, y);
    }
    // The ticks on the positive side of each axis: thin dark marks two pixels beside it (the
    // arrow head there is thicker), the k-th at the value 2k: 2, 4, 6 up and 2, 4, 6, 8 right.
    const auto ticks = [](int count, const auto& markAt) {
        std::vector<int> at;
        for (int k = 1; k + 1 < count; ++k)
            if (markAt(k) && !markAt(k - 1) && !markAt(k + 1)) at.push_back(k);
        return at;
    };
    const std::vector<int> up = ticks(axisY, [&](int k) { return dark(axisX - 2, axisY - k); });
    const std::vector<int> right =
        ticks(image.width() - axisX, [&](int k) { return dark(axisX + k, axisY + 2); });
    ASSERT_EQ(up.size(), 3u);
    ASSERT_EQ(right.size(), 4u);
    const double unitY = up.back() / 6.0, unitX = right.back() / 8.0;

    int top = image.height();
    for (int y = 0; y < image.height() && top == image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (red(x, y)) top = y;
    EXPECT_NEAR(top, axisY - 3 * unitY, 2.0) << "the peak at 3";
    for (const int side : {-1, 1}) {
        // The red pixels beside the x axis between 1 and 5 units out: the crossing near pi.
        double sum = 0;
        int n = 0;
        for (int y = axisY - 3; y <= axisY + 3; ++y)
            for (int d = static_cast<int>(unitX); d < static_cast<int>(5 * unitX); ++d)
                if (y != axisY && red(axisX + side * d, y)) {
                    sum += d;
                    ++n;
                }
        ASSERT_GT(n, 0) << side;
        EXPECT_NEAR(sum / n, std::numbers::pi * unitX, 2.0) << "the zero at " << side << " pi";
    }
}

} // namespace
} // namespace tervane
